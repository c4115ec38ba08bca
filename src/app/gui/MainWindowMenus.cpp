// The main window's menu bar, its recent workbooks and the workbooks dropped
// on it: other ways to the same state the drive, folder and file lists reach.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>

#include "app/gui/MainWindow.h"
#include "app/gui/MessageBoxes.h"
#include "app/gui/UiText.h"

namespace gui {

namespace {

// The workbook a drag carries: one local file that the file list would show.
QString DraggedWorkbook(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return {};
  const QUrl url = data->urls().front();
  if (!url.isLocalFile()) return {};
  const QString path = url.toLocalFile();
  const QString suffix = QFileInfo(path).suffix().toLower();
  const bool workbook = suffix == QLatin1String("xlsx") || suffix == QLatin1String("xlsm") ||
                        suffix == QLatin1String("xls");
  return workbook ? path : QString();
}

}  // namespace

void MainWindow::BuildMenus() {
  auto* bar = new QMenuBar(this);
  bar->setObjectName(QStringLiteral("menuBar"));
  layout()->setMenuBar(bar);

  QMenu* file = bar->addMenu(UiText(msg::Ui::MenuFile));
  file->setObjectName(QStringLiteral("fileMenu"));
  QAction* open = file->addAction(UiText(msg::Ui::MenuOpen), this, &MainWindow::OpenClicked);
  open->setObjectName(QStringLiteral("openAction"));
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  recentMenu_ = file->addMenu(UiText(msg::Ui::MenuOpenRecent));
  recentMenu_->setObjectName(QStringLiteral("recentMenu"));
  FillRecentMenu();
  file->addSeparator();
  AddFileTools(file);
  file->addSeparator();
  QAction* quit = file->addAction(UiText(msg::Ui::MenuQuit), this, &MainWindow::QuitClicked);
  quit->setObjectName(QStringLiteral("quitAction"));
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* analysis = bar->addMenu(UiText(msg::Ui::MenuAnalysis));
  analysis->setObjectName(QStringLiteral("analysisMenu"));
  analysis->setToolTipsVisible(true);  // the options say what each adds
  runAction_ = analysis->addAction(UiText(msg::Ui::MenuRun), this, &MainWindow::Start);
  runAction_->setObjectName(QStringLiteral("runAction"));
  runAction_->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::CTRL | Qt::Key_R)});
  analysis->addSeparator();
  AddLooks(analysis);
  SetStartEnabled(startButton_->isEnabled());
  analysis->addSeparator();
  for (QCheckBox* box : optionBoxes_) MirrorOption(analysis, box);

  QMenu* help = bar->addMenu(UiText(msg::Ui::MenuHelp));
  help->setObjectName(QStringLiteral("helpMenu"));
  QAction* contents =
      help->addAction(UiText(msg::Ui::MenuHelpContents), this, &MainWindow::HelpContentsClicked);
  contents->setObjectName(QStringLiteral("helpAction"));
  contents->setShortcut(QKeySequence(Qt::Key_F1));
  QAction* about = help->addAction(UiText(msg::Ui::MenuAbout), this, &MainWindow::HelpClicked);
  about->setObjectName(QStringLiteral("aboutAction"));
  resize(width(), height() + bar->sizeHint().height());  // the lists keep their first height
}

void MainWindow::MirrorOption(QMenu* menu, QCheckBox* box) {
  QAction* action = menu->addAction(box->text());
  action->setObjectName(box->objectName() + QStringLiteral("Action"));
  action->setToolTip(box->toolTip());
  action->setCheckable(true);
  action->setChecked(box->isChecked());
  action->setEnabled(box->isEnabled());
  connect(action, &QAction::toggled, box, &QCheckBox::setChecked);
  connect(box, &QCheckBox::toggled, action, &QAction::setChecked);
  optionActions_.insert(box, action);
  box->installEventFilter(this);  // the entry is enabled with its box
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    auto* box = qobject_cast<QCheckBox*>(watched);
    if (QAction* action = optionActions_.value(box)) action->setEnabled(box->isEnabled());
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::SetStartEnabled(bool enabled) {
  startButton_->setEnabled(enabled);
  if (runAction_ != nullptr) runAction_->setEnabled(enabled);
  for (QAction* action : sourceActions_) action->setEnabled(enabled);
}

void MainWindow::FillRecentMenu() {
  recentMenu_->clear();
  const QStringList recent = settings_.RecentWorkbooks();
  for (const QString& path : recent) {
    QAction* entry = recentMenu_->addAction(QDir::toNativeSeparators(path));
    connect(entry, &QAction::triggered, this, [this, path] { OpenChosenWorkbook(path); });
  }
  recentMenu_->addSeparator();
  QAction* clear = recentMenu_->addAction(UiText(msg::Ui::MenuClearRecent), this, [this] {
    settings_.ClearRecentWorkbooks();
    FillRecentMenu();
  });
  clear->setEnabled(!recent.isEmpty());
  recentMenu_->setEnabled(!recent.isEmpty());
}

void MainWindow::OpenClicked() {
  if (running_) return;
  const QString path = AskWorkbook(this, directory_);
  if (!path.isEmpty()) OpenChosenWorkbook(path);
}

bool MainWindow::OpenChosenWorkbook(const QString& path) {
  if (running_ || !OpenWorkbook(path)) return false;
  // The sheet chosen there last time, else the first source sheet.
  QString sheet = settings_.ChosenSheet(openedPath_);
  if (sheet.isEmpty() || !ChooseSheet(sheet)) {
    for (const std::string& name : session_->SheetNames()) {
      if (app::IsSourceName(name) && ChooseSheet(FromUtf8(name))) break;
    }
  }
  return true;
}

void MainWindow::RememberOpened() {
  settings_.AddRecentWorkbook(openedPath_);
  FillRecentMenu();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!running_ && !DraggedWorkbook(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const QString path = DraggedWorkbook(event->mimeData());
  if (running_ || path.isEmpty()) return;
  event->acceptProposedAction();
  OpenChosenWorkbook(path);
}

}  // namespace gui
