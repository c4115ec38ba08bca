// The main window's controls in Qt layouts: the lists grow with the window,
// and the original form's sizes (in twips) are the smallest the controls get.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/gui/MainWindow.h"
#include "app/gui/WindowMetrics.h"

namespace gui {

namespace {

const QColor kTitleBackground(255, 224, 192);

}  // namespace

void MainWindow::BuildControls() {
  const TwipScale tw(*this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(tw(360), tw(240), tw(360), tw(360));
  layout->setSpacing(tw(240));
  layout->addWidget(BuildTitles());
  layout->addLayout(BuildLists(tw), 1);
  auto* bottom = new QHBoxLayout;
  bottom->setSpacing(tw(345));
  bottom->addLayout(BuildStatus(tw), 1);
  bottom->addLayout(BuildOptions(tw));
  bottom->addLayout(BuildButtons(tw));
  layout->addLayout(bottom);
  layout->addWidget(BuildResults());
  resize(tw(9120), tw(8190));

  // Labels and the frame take no focus; the rest keep the original order.
  QWidget* order[] = {driveList_,   folderList_, fileList_,       sheetList_,
                      startButton_, quitButton_, combinationBox_, ukaiBox_,
                      zeroOneBox_,  summaryBox_, relateBox_,      helpButton_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
  driveList_->setFocus();
}

QWidget* MainWindow::BuildTitles() {
  // The two titles share one peach strip.
  auto* strip = new QWidget(this);
  strip->setObjectName(QStringLiteral("titleStrip"));
  strip->setAutoFillBackground(true);
  QPalette palette = strip->palette();
  palette.setColor(QPalette::Window, kTitleBackground);
  strip->setPalette(palette);
  auto* layout = new QVBoxLayout(strip);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  titleLabel_ = new QLabel(UiText(msg::Ui::TitleBanner), strip);
  titleLabel_->setObjectName(QStringLiteral("titleLabel"));
  titleLabel_->setAlignment(Qt::AlignCenter);
  titleLabel_->setFont(GothicFont(26.25, true));
  layout->addWidget(titleLabel_);

  editionLabel_ = new QLabel(UiFormat(msg::Ui::TitleEdition, ALLELESCOPE_VERSION), strip);
  editionLabel_->setObjectName(QStringLiteral("editionLabel"));
  editionLabel_->setAlignment(Qt::AlignCenter);
  editionLabel_->setFont(GothicFont(14.25, true));
  layout->addWidget(editionLabel_);
  return strip;
}

QLayout* MainWindow::BuildLists(const TwipScale& tw) {
  auto* layout = new QHBoxLayout;
  layout->setSpacing(tw(345));
  auto* folders = new QVBoxLayout;
  folders->setSpacing(tw(60));
  driveList_ = new QComboBox(this);
  driveList_->setObjectName(QStringLiteral("driveList"));
  // A long mount point must not widen the window; the tooltip shows it whole.
  driveList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  driveList_->setMinimumContentsLength(8);
  connect(driveList_, &QComboBox::activated, this, &MainWindow::DriveChosen);
  folders->addWidget(driveList_);

  folderList_ = new QListWidget(this);
  folderList_->setObjectName(QStringLiteral("folderList"));
  connect(folderList_, &QListWidget::itemActivated, this, &MainWindow::FolderChosen);
  folders->addWidget(folderList_, 1);
  layout->addLayout(folders, 2415);

  fileList_ = new QListWidget(this);
  fileList_->setObjectName(QStringLiteral("fileList"));
  fileList_->setFont(GothicFont(12));
  connect(fileList_, &QListWidget::itemClicked, this, &MainWindow::FileChosen);
  // Enter opens too; a double click (click, then activate) opens only once.
  connect(fileList_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
    if (item->data(kPathRole).toString() != openedPath_) FileChosen(item);
  });
  layout->addWidget(fileList_, 2415);

  sheetList_ = new QListWidget(this);
  sheetList_->setObjectName(QStringLiteral("sheetList"));
  sheetList_->setFont(GothicFont(12));
  connect(sheetList_, &QListWidget::itemSelectionChanged, this, &MainWindow::SheetChosen);
  layout->addWidget(sheetList_, 2895);
  for (QWidget* list : {static_cast<QWidget*>(folderList_), static_cast<QWidget*>(fileList_),
                        static_cast<QWidget*>(sheetList_)})
    list->setMinimumSize(tw(2415), tw(2400));
  return layout;
}

QLayout* MainWindow::BuildStatus(const TwipScale& tw) {
  // The status texts are longer than the label is wide: they wrap, at word
  // boundaries, and the comment label starts below them.
  auto* layout = new QVBoxLayout;
  layout->setSpacing(0);
  messageLabel_ = new QLabel(this);
  messageLabel_->setObjectName(QStringLiteral("messageLabel"));
  messageLabel_->setFont(GothicFont(12));
  messageLabel_->setWordWrap(true);
  messageLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  messageLabel_->setMinimumSize(tw(3735),
                                std::max(tw(255), 2 * messageLabel_->fontMetrics().lineSpacing()));
  layout->addWidget(messageLabel_);

  commentLabel_ = new QLabel(this);
  commentLabel_->setObjectName(QStringLiteral("commentLabel"));
  commentLabel_->setWordWrap(true);
  commentLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(commentLabel_, 1);
  return layout;
}

QLayout* MainWindow::BuildOptions(const TwipScale& tw) {
  auto* layout = new QVBoxLayout;
  optionFrame_ = new QGroupBox(UiText(msg::Ui::OptionFrame), this);
  optionFrame_->setObjectName(QStringLiteral("optionFrame"));
  optionFrame_->setMinimumWidth(tw(2175));
  auto* boxes = new QVBoxLayout(optionFrame_);
  // Each option is a check box here and a checkable entry of the Analysis menu.
  auto makeOption = [&](const char* name, msg::Ui caption, msg::Ui tip) {
    auto* box = new QCheckBox(UiText(caption), optionFrame_);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(UiText(tip));
    box->setEnabled(false);
    boxes->addWidget(box);
    optionBoxes_.push_back(box);
    return box;
  };
  combinationBox_ =
      makeOption("combinationBox", msg::Ui::OptionCombination, msg::Ui::TipCombination);
  ukaiBox_ = makeOption("ukaiBox", msg::Ui::OptionIdentification, msg::Ui::TipIdentification);
  zeroOneBox_ = makeOption("zeroOneBox", msg::Ui::OptionZeroOne, msg::Ui::TipZeroOne);
  summaryBox_ = makeOption("summaryBox", msg::Ui::OptionSummary, msg::Ui::TipSummary);
  relateBox_ = makeOption("relateBox", msg::Ui::OptionRelate, msg::Ui::TipRelate);
  boxes->addStretch(1);
  layout->addWidget(optionFrame_, 1);

  helpButton_ = new QPushButton(UiText(msg::Ui::HelpButton), this);
  helpButton_->setObjectName(QStringLiteral("helpButton"));
  helpButton_->setMinimumHeight(tw(375));
  connect(helpButton_, &QPushButton::clicked, this, &MainWindow::HelpClicked);
  layout->addWidget(helpButton_);
  return layout;
}

QLayout* MainWindow::BuildButtons(const TwipScale& tw) {
  auto* layout = new QVBoxLayout;
  layout->setSpacing(tw(240));
  startButton_ = new QPushButton(UiText(msg::Ui::StartButton), this);
  startButton_->setObjectName(QStringLiteral("startButton"));
  startButton_->setFont(GothicFont(15.75));
  startButton_->setMinimumSize(tw(1815), tw(975));
  startButton_->setEnabled(false);
  connect(startButton_, &QPushButton::clicked, this, &MainWindow::StartClicked);
  layout->addWidget(startButton_);

  quitButton_ = new QPushButton(UiText(msg::Ui::QuitButton), this);
  quitButton_->setObjectName(QStringLiteral("quitButton"));
  quitButton_->setFont(GothicFont(14.25));
  quitButton_->setMinimumSize(tw(1815), tw(855));
  connect(quitButton_, &QPushButton::clicked, this, &MainWindow::QuitClicked);
  layout->addWidget(quitButton_);
  return layout;
}

}  // namespace gui
