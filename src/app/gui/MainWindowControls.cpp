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
  QWidget* order[] = {driveList_,   folderList_, fileList_,       sheetList_,
                      startButton_, quitButton_, combinationBox_, ukaiBox_,
                      zeroOneBox_,  relateBox_,  helpButton_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  driveList_->setFocus();
}

void MainWindow::BuildTitles(const TwipScale& tw) {
  // The two title labels overlap a little; the window paints their common strip
  // so that neither covers the other's text.
  titleLabel_ = new QLabel(UiText(msg::Ui::TitleBanner), this);
  titleLabel_->setObjectName(QStringLiteral("titleLabel"));
  titleLabel_->setAlignment(Qt::AlignCenter);
  titleLabel_->setFont(GothicFont(26.25, true));
  titleLabel_->setGeometry(tw.Rect(360, 360, 8295, 615));

  editionLabel_ = new QLabel(UiFormat(msg::Ui::TitleEdition, ALLELESCOPE_VERSION), this);
  editionLabel_->setObjectName(QStringLiteral("editionLabel"));
  editionLabel_->setAlignment(Qt::AlignCenter);
  editionLabel_->setFont(GothicFont(14.25, true));
  editionLabel_->setGeometry(tw.Rect(360, 840, 8295, 375));
}

void MainWindow::BuildLists(const TwipScale& tw) {
  driveList_ = new QComboBox(this);
  driveList_->setObjectName(QStringLiteral("driveList"));
  driveList_->setGeometry(tw.Rect(360, 1800, 2415, 300));
  driveList_->setGeometry(driveList_->x(), driveList_->y(), driveList_->width(),
                          std::max(driveList_->height(), driveList_->sizeHint().height()));
  connect(driveList_, &QComboBox::activated, this, &MainWindow::DriveChosen);

  folderList_ = new QListWidget(this);
  folderList_->setObjectName(QStringLiteral("folderList"));
  const int dirTop = std::max(tw(2280), driveList_->geometry().bottom() + 1 + tw(60));
  folderList_->setGeometry(tw(360), dirTop, tw(2415), tw(2280 + 3030) - dirTop);
  connect(folderList_, &QListWidget::itemActivated, this, &MainWindow::FolderChosen);

  fileList_ = new QListWidget(this);
  fileList_->setObjectName(QStringLiteral("fileList"));
  fileList_->setFont(GothicFont(12));
  fileList_->setGeometry(tw.Rect(3120, 1800, 2415, 3450));
  connect(fileList_, &QListWidget::itemClicked, this, &MainWindow::FileChosen);
  // Enter opens too; a double click (click, then activate) opens only once.
  connect(fileList_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    if (item->data(kPathRole).toString() != openedPath_) FileChosen(item);
  });

  sheetList_ = new QListWidget(this);
  sheetList_->setObjectName(QStringLiteral("sheetList"));
  sheetList_->setFont(GothicFont(12));
  sheetList_->setGeometry(tw.Rect(5760, 1800, 2895, 3420));
  connect(sheetList_, &QListWidget::itemSelectionChanged, this, &MainWindow::SheetChosen);
}

void MainWindow::BuildStatus(const TwipScale& tw) {
  // The status texts are longer than the label is wide: they wrap onto a second
  // line, and the comment label starts below it.
  messageLabel_ = new QLabel(this);
  messageLabel_->setObjectName(QStringLiteral("messageLabel"));
  messageLabel_->setFont(GothicFont(12));
  messageLabel_->setWordWrap(true);
  messageLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const int messageHeight = std::max(tw(255), 2 * messageLabel_->fontMetrics().lineSpacing());
  messageLabel_->setGeometry(tw(360), tw(5640), tw(3735), messageHeight);

  commentLabel_ = new QLabel(this);
  commentLabel_->setObjectName(QStringLiteral("commentLabel"));
  commentLabel_->setWordWrap(true);
  commentLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const int commentTop = std::max(tw(6120), tw(5640) + messageHeight);
  commentLabel_->setGeometry(tw(360), commentTop, tw(3735), tw(6120 + 1575) - commentTop);
}

void MainWindow::BuildOptions(const TwipScale& tw) {
  optionFrame_ = new QGroupBox(UiText(msg::Ui::OptionFrame), this);
  optionFrame_->setObjectName(QStringLiteral("optionFrame"));
  // Four boxes 300 twips apart: the frame ends above the help button.
  optionFrame_->setGeometry(tw.Rect(4440, 5640, 2175, 1620));
  auto makeOption = [&](const char* name, msg::Ui caption, int top, int width) {
    auto* box = new QCheckBox(UiText(caption), optionFrame_);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(tw(240), tw(top), tw(width), std::max(tw(255), box->sizeHint().height()));
    box->setEnabled(false);
    return box;
  };
  combinationBox_ = makeOption("combinationBox", msg::Ui::OptionCombination, 330, 1575);
  ukaiBox_ = makeOption("ukaiBox", msg::Ui::OptionUKai, 630, 1455);
  zeroOneBox_ = makeOption("zeroOneBox", msg::Ui::OptionZoo, 930, 1455);
  relateBox_ = makeOption("relateBox", msg::Ui::OptionRelate, 1230, 1575);
}

void MainWindow::BuildButtons(const TwipScale& tw) {
  startButton_ = new QPushButton(UiText(msg::Ui::StartButton), this);
  startButton_->setObjectName(QStringLiteral("startButton"));
  startButton_->setFont(GothicFont(15.75));
  startButton_->setGeometry(tw.Rect(6960, 5640, 1815, 975));
  startButton_->setEnabled(false);
  connect(startButton_, &QPushButton::clicked, this, &MainWindow::StartClicked);

  quitButton_ = new QPushButton(UiText(msg::Ui::QuitButton), this);
  quitButton_->setObjectName(QStringLiteral("quitButton"));
  quitButton_->setFont(GothicFont(14.25));
  quitButton_->setGeometry(tw.Rect(6960, 6840, 1815, 855));
  connect(quitButton_, &QPushButton::clicked, this, &MainWindow::QuitClicked);

  helpButton_ = new QPushButton(UiText(msg::Ui::HelpButton), this);
  helpButton_->setObjectName(QStringLiteral("helpButton"));
  helpButton_->setGeometry(tw.Rect(4440, 7320, 2175, 375));
  connect(helpButton_, &QPushButton::clicked, this, &MainWindow::HelpClicked);
}

void MainWindow::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  painter.fillRect(TitleStrip(TwipScale(*this)), kTitleBackground);
}

}  // namespace gui
