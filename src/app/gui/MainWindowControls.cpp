// The main window's controls, laid out in twips as the window always was.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "app/gui/MainWindow.h"
#include "app/gui/WindowMetrics.h"

namespace gui {

namespace {

const QColor kTitleBackground(255, 224, 192);

// The title labels' peach strip (both labels, in twips).
QRect TitleStrip(const TwipScale& tw) {
  return tw.Rect(360, 360, 8295, 615).united(tw.Rect(360, 840, 8295, 375));
}

}  // namespace

void MainWindow::BuildControls() {
  const TwipScale tw(*this);
  setFixedSize(tw(9120), tw(8190));
  BuildTitles(tw);
  BuildLists(tw);
  BuildStatus(tw);
  BuildOptions(tw);
  BuildButtons(tw);

  // Labels and the frame take no focus; the rest keep the original order.
  QWidget* order[] = {drvBook_, dirBook_,        filBook_, lstSheet_, cmdExec_,
                      cmdExit_, chkCombination_, chkUKai_, chkZoo_,   cmdInformation_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  drvBook_->setFocus();
}

void MainWindow::BuildTitles(const TwipScale& tw) {
  // The two title labels overlap a little; the window paints their common strip
  // so that neither covers the other's text.
  lblTitle1_ = new QLabel(UiText(msg::Ui::TitleBanner), this);
  lblTitle1_->setObjectName(QStringLiteral("lblTitle1"));
  lblTitle1_->setAlignment(Qt::AlignCenter);
  lblTitle1_->setFont(GothicFont(26.25, true));
  lblTitle1_->setGeometry(tw.Rect(360, 360, 8295, 615));

  Label1_ = new QLabel(UiFormat(msg::Ui::TitleEdition, ALLELESCOPE_VERSION), this);
  Label1_->setObjectName(QStringLiteral("Label1"));
  Label1_->setAlignment(Qt::AlignCenter);
  Label1_->setFont(GothicFont(14.25, true));
  Label1_->setGeometry(tw.Rect(360, 840, 8295, 375));
}

void MainWindow::BuildLists(const TwipScale& tw) {
  drvBook_ = new QComboBox(this);
  drvBook_->setObjectName(QStringLiteral("drvBook"));
  drvBook_->setGeometry(tw.Rect(360, 1800, 2415, 300));
  drvBook_->setGeometry(drvBook_->x(), drvBook_->y(), drvBook_->width(),
                        std::max(drvBook_->height(), drvBook_->sizeHint().height()));
  connect(drvBook_, &QComboBox::activated, this, &MainWindow::drvBook_Change);

  dirBook_ = new QListWidget(this);
  dirBook_->setObjectName(QStringLiteral("dirBook"));
  const int dirTop = std::max(tw(2280), drvBook_->geometry().bottom() + 1 + tw(60));
  dirBook_->setGeometry(tw(360), dirTop, tw(2415), tw(2280 + 3030) - dirTop);
  connect(dirBook_, &QListWidget::itemActivated, this, &MainWindow::dirBook_Change);

  filBook_ = new QListWidget(this);
  filBook_->setObjectName(QStringLiteral("filBook"));
  filBook_->setFont(GothicFont(12));
  filBook_->setGeometry(tw.Rect(3120, 1800, 2415, 3450));
  connect(filBook_, &QListWidget::itemClicked, this, &MainWindow::filBook_Click);
  // Enter opens too; a double click (click, then activate) opens only once.
  connect(filBook_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    if (item->data(kPathRole).toString() != openedPath_) filBook_Click(item);
  });

  lstSheet_ = new QListWidget(this);
  lstSheet_->setObjectName(QStringLiteral("lstSheet"));
  lstSheet_->setFont(GothicFont(12));
  lstSheet_->setGeometry(tw.Rect(5760, 1800, 2895, 3420));
  connect(lstSheet_, &QListWidget::itemSelectionChanged, this, &MainWindow::lstSheet_Click);
}

void MainWindow::BuildStatus(const TwipScale& tw) {
  // The status texts are longer than the label is wide: they wrap onto a second
  // line, and the comment label starts below it.
  lblMessage_ = new QLabel(this);
  lblMessage_->setObjectName(QStringLiteral("lblMessage"));
  lblMessage_->setFont(GothicFont(12));
  lblMessage_->setWordWrap(true);
  lblMessage_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const int messageHeight = std::max(tw(255), 2 * lblMessage_->fontMetrics().lineSpacing());
  lblMessage_->setGeometry(tw(360), tw(5640), tw(3735), messageHeight);

  lblComment_ = new QLabel(this);
  lblComment_->setObjectName(QStringLiteral("lblComment"));
  lblComment_->setWordWrap(true);
  lblComment_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const int commentTop = std::max(tw(6120), tw(5640) + messageHeight);
  lblComment_->setGeometry(tw(360), commentTop, tw(3735), tw(6120 + 1575) - commentTop);
}

void MainWindow::BuildOptions(const TwipScale& tw) {
  fraOption_ = new QGroupBox(UiText(msg::Ui::OptionFrame), this);
  fraOption_->setObjectName(QStringLiteral("fraOption"));
  fraOption_->setGeometry(tw.Rect(4440, 5640, 2175, 1455));
  auto makeOption = [&](const char* name, msg::Ui caption, int top, int width) {
    auto* box = new QCheckBox(UiText(caption), fraOption_);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(tw(240), tw(top), tw(width), std::max(tw(255), box->sizeHint().height()));
    box->setEnabled(false);
    return box;
  };
  chkCombination_ = makeOption("chkCombination", msg::Ui::OptionCombination, 360, 1575);
  chkUKai_ = makeOption("chkUKai", msg::Ui::OptionUKai, 720, 1455);
  chkZoo_ = makeOption("chkZoo", msg::Ui::OptionZoo, 1080, 1455);
}

void MainWindow::BuildButtons(const TwipScale& tw) {
  cmdExec_ = new QPushButton(UiText(msg::Ui::StartButton), this);
  cmdExec_->setObjectName(QStringLiteral("cmdExec"));
  cmdExec_->setFont(GothicFont(15.75));
  cmdExec_->setGeometry(tw.Rect(6960, 5640, 1815, 975));
  cmdExec_->setEnabled(false);
  connect(cmdExec_, &QPushButton::clicked, this, &MainWindow::cmdExec_Click);

  cmdExit_ = new QPushButton(UiText(msg::Ui::QuitButton), this);
  cmdExit_->setObjectName(QStringLiteral("cmdExit"));
  cmdExit_->setFont(GothicFont(14.25));
  cmdExit_->setGeometry(tw.Rect(6960, 6840, 1815, 855));
  connect(cmdExit_, &QPushButton::clicked, this, &MainWindow::cmdExit_Click);

  cmdInformation_ = new QPushButton(UiText(msg::Ui::HelpButton), this);
  cmdInformation_->setObjectName(QStringLiteral("cmdInformation"));
  cmdInformation_->setGeometry(tw.Rect(4440, 7320, 2175, 375));
  connect(cmdInformation_, &QPushButton::clicked, this, &MainWindow::cmdInformation_Click);
}

void MainWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  painter.fillRect(TitleStrip(TwipScale(*this)), kTitleBackground);
}

}  // namespace gui
