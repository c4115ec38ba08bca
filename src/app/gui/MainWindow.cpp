#include "app/gui/MainWindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <functional>

#include "app/gui/AboutWindow.h"
#include "app/gui/AppIcon.h"
#include "app/gui/MessageBoxes.h"
#include "app/gui/UiText.h"
#include "app/gui/WaitCursor.h"
#include "app/gui/WindowMetrics.h"
#include "host/HostError.h"
#include "messages/HostFailureTexts.h"

namespace gui {

namespace {

constexpr qint64 kRepaintIntervalMs = 50;

// Keeps running_ true for one run, also when the run ends by an exception.
class RunFlag {
 public:
  explicit RunFlag(bool& flag) : flag_(flag) { flag_ = true; }
  ~RunFlag() { flag_ = false; }
  RunFlag(const RunFlag&) = delete;
  RunFlag& operator=(const RunFlag&) = delete;

 private:
  bool& flag_;
};

// The run's stages go to the message label, its details to the comment label.
class LabelProgress : public app::Progress {
 public:
  using Show = std::function<void(std::string_view)>;
  LabelProgress(Show stage, Show comment)
      : stage_(std::move(stage)), comment_(std::move(comment)) {}
  void Stage(std::string_view text) override { stage_(text); }
  void Comment(std::string_view text) override { comment_(text); }

 private:
  Show stage_, comment_;
};

// Shows the one window of its kind beside the main window, made when first asked for.
template <typename Window>
void ShowBeside(QPointer<Window>& window, QWidget* parent) {
  if (window == nullptr) {
    window = new Window(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

bool IsSource(app::SheetKind kind) {
  return kind == app::SheetKind::Ssr || kind == app::SheetKind::Character;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent)
    : QWidget(parent), session_(std::make_unique<app::Session>()) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(UiText(msg::Ui::ProgramTitle));
  setWindowIcon(AppIcon());
  setFont(GothicFont(9));
  setAcceptDrops(true);
  BuildControls();
  BuildMenus();
  restoreGeometry(settings_.WindowGeometry());
  SetMessage(msg::Text(msg::Ui::ChooseFile));
  SetDirectory(QDir::currentPath());
}

MainWindow::~MainWindow() = default;

// ---- Sheet list, Start, Quit, Help ----------------------------------------

void MainWindow::ShowSheets() {
  fillingSheets_ = true;
  sheetList_->clear();
  for (const std::string& name : session_->SheetNames()) sheetList_->addItem(FromUtf8(name));
  sheetList_->setCurrentRow(-1);
  fillingSheets_ = false;
  chosenSheet_.clear();
  SetMessage(msg::Text(msg::Ui::ChooseSheet));
  SetComment("");
  SetStartEnabled(false);
}

void MainWindow::ShowChoice(app::SheetKind kind) {
  SetMessage(app::ChoiceText(kind));
  SetComment("");
  // A source starts with the usual choice: the pairwise check, Ukai and the
  // summary, no 0/1 or distance sheets.
  const bool source = IsSource(kind);
  SetStartEnabled(source);
  for (QCheckBox* box : optionBoxes_) box->setEnabled(source);
  zeroOneBox_->setChecked(false);
  relateBox_->setChecked(false);
  combinationBox_->setChecked(source);
  ukaiBox_->setChecked(source);
  summaryBox_->setChecked(source);
}

void MainWindow::SheetChosen() {
  if (fillingSheets_ || running_) return;
  const QList<QListWidgetItem*> selected = sheetList_->selectedItems();
  if (selected.isEmpty()) return;
  chosenSheet_ = selected.front()->text().toStdString();
  try {
    const app::SheetKind kind = session_->Classify(chosenSheet_);
    ShowChoice(kind);
    if (IsSource(kind)) settings_.SetChosenSheet(openedPath_, FromUtf8(chosenSheet_));
  } catch (const host::HostError& error) {
    ReportError(UiText(msg::Ui::SheetUnreadable), error);
  } catch (const std::exception& error) {
    ReportError(UiText(msg::Ui::SheetUnreadable), error);
  }
}

bool MainWindow::ChooseSheet(const QString& name) {
  const QList<QListWidgetItem*> found = sheetList_->findItems(name, Qt::MatchExactly);
  if (found.isEmpty()) return false;
  sheetList_->setCurrentItem(found.front());
  return true;
}

QString MainWindow::OpenAtStart(const QString& workbook, const QString& sheet) {
  // OpenWorkbook has shown why a workbook cannot be opened.
  if (!OpenWorkbook(workbook)) return UiFormat(msg::Cli::WindowCannotOpen, workbook.toStdString());
  if (!sheet.isEmpty() && !ChooseSheet(sheet)) {
    const QString problem = UiFormat(msg::Cli::WindowNoSheet, sheet.toStdString());
    ShowMessage(this, QMessageBox::Warning, UiText(msg::Ui::ProgramTitle), problem);
    return problem;
  }
  return {};
}

void MainWindow::Start() {
  if (startButton_->isEnabled()) StartClicked();
}

void MainWindow::StartClicked() {
  if (running_ || !startButton_->isEnabled() || chosenSheet_.empty()) return;
  const std::string sheet = chosenSheet_;
  const auto done = RunChosenSheet();
  if (!done) return;
  const auto& [report, savedFile] = *done;
  // A legacy .xls is saved as a new .xlsx beside it, and that is what is open now.
  const QString saved = QFileInfo(FromUtf8(savedFile.path)).absoluteFilePath();
  const bool elsewhere =
      QFileInfo(saved).canonicalFilePath() != QFileInfo(openedPath_).canonicalFilePath();
  ShowResults(saved, ProblemsOf(report, sheet), WrittenSheet(report, ".err"));
  ShowResultViews(report, sheet);
  ShowClosingMessage(report, saved, elsewhere);
  if (savedFile.splitHardLink)
    ShowMessage(this, QMessageBox::Information, UiText(msg::Ui::ProgramTitle),
                UiFormat(msg::Ui::HardLinkSplit, savedFile.path));
  if (saved != openedPath_) {
    openedPath_ = saved;
    RememberOpened();
    if (QFileInfo(saved).absolutePath() == directory_) FillFiles();
  }
}

std::optional<std::pair<app::RunReport, app::SavedFile>> MainWindow::RunChosenSheet() {
  const app::RunOptions options{.zoo = zeroOneBox_->isChecked(),
                                .combination = combinationBox_->isChecked(),
                                .ukai = ukaiBox_->isChecked(),
                                .summary = summaryBox_->isChecked(),
                                .relate = relateBox_->isChecked()};
  LabelProgress progress([this](std::string_view text) { SetMessage(text); },
                         [this](std::string_view text) { SetComment(text); });
  RunFlag runFlag(running_);
  WaitCursor wait;
  repaintClock_.start();
  session_->SetSaveOverLockFile(false);
  try {
    // Asked before the run rather than after it: the answer rarely changes meanwhile.
    try {
      session_->CheckSaveTarget();
    } catch (const app::WorkbookInUse& inUse) {
      if (!AskToSaveOver(inUse)) return std::nullopt;
    }
    app::RunReport report = session_->Run(chosenSheet_, options, progress);
    std::optional<app::SavedFile> saved = SaveRun();
    ShowSheets();
    if (!saved) return std::nullopt;
    return std::pair{std::move(report), std::move(*saved)};
  } catch (const host::HostError& error) {
    ShowSheets();  // the workbook as the file still has it
    NormalCursor normal;
    ReportError(UiText(msg::Ui::RunStopped), error);
  } catch (const std::exception& error) {
    ShowSheets();
    NormalCursor normal;
    ReportError(UiText(msg::Ui::RunStopped), error);
  }
  return std::nullopt;
}

bool MainWindow::AskToSaveOver(const app::WorkbookInUse& inUse) {
  NormalCursor normal;
  const bool yes =
      AskQuestion(this, UiText(msg::Ui::ProgramTitle),
                  UiFormat(msg::Ui::LockFileQuestion, inUse.Workbook(), inUse.LockFile()));
  session_->SetSaveOverLockFile(yes);
  return yes;
}

std::optional<app::SavedFile> MainWindow::SaveRun() {
  for (;;) {
    try {
      return session_->Save();
    } catch (const app::WorkbookInUse& inUse) {
      // A spreadsheet program opened the file while the run worked.
      if (!AskToSaveOver(inUse)) {
        session_->Discard();
        return std::nullopt;
      }
    }
  }
}

void MainWindow::ShowClosingMessage(const app::RunReport& report, const QString& saved,
                                    bool elsewhere) {
  // Said once the file is saved, so the message never promises a save that may still fail.
  const std::string path = QDir::toNativeSeparators(saved).toStdString();
  ShowMessage(this, QMessageBox::NoIcon, UiText(msg::Ui::ProgramTitle),
              MessageLines(report.ClosingMessage()) + QStringLiteral("\n\n") +
                  (elsewhere ? UiFormat(msg::Ui::SavedElsewhere, path)
                             : UiFormat(msg::Cli::ResultsSaved, path)));
}

void MainWindow::QuitClicked() { close(); }

void MainWindow::HelpContentsClicked() { ShowBeside(help_, this); }

void MainWindow::HelpClicked() { ShowBeside(about_, this); }

void MainWindow::closeEvent(QCloseEvent* event) {
  // The run cannot be left half done; the close waits like every other input.
  if (running_) {
    event->ignore();
    return;
  }
  if (!quit_) {
    quit_ = true;
    settings_.SetWindowGeometry(saveGeometry());
    session_->Close();  // without saving
  }
  if (about_ != nullptr) about_->close();
  if (help_ != nullptr) help_->close();
  event->accept();
}

// ---- Status labels ----------------------------------------------------------

void MainWindow::SetMessage(std::string_view text) {
  messageLabel_->setText(FromUtf8(text));
  Repaint(true);
}

void MainWindow::SetComment(std::string_view text) {
  commentLabel_->setText(FromUtf8(text));
  Repaint(false);
}

void MainWindow::Repaint(bool now) {
  if (!running_) return;  // outside a run the event loop repaints by itself
  if (!now && repaintClock_.isValid() && repaintClock_.elapsed() < kRepaintIntervalMs) return;
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  repaintClock_.restart();
}

void MainWindow::ReportError(const QString& heading, const host::HostError& error) {
  const std::string_view operation = msg::OperationText(error.Cause().operation);
  QString text = heading + QStringLiteral("\n\n") +
                 FromUtf8(operation.empty() ? std::string_view(error.Operation()) : operation);
  if (!error.File().empty()) text += QStringLiteral(": ") + FromUtf8(error.File());
  const std::string reason = msg::FailureText(error.Cause(), error.Reason());
  if (!reason.empty()) text += QStringLiteral("\n") + FromUtf8(reason);
  ShowMessage(this, QMessageBox::Warning, UiText(msg::Ui::ProgramTitle), text);
}

void MainWindow::ReportError(const QString& heading, const std::exception& error) {
  const QString reason =
      host::IsOutOfMemory(error) ? UiText(msg::Ui::OutOfMemory) : QString::fromUtf8(error.what());
  ShowMessage(this, QMessageBox::Warning, UiText(msg::Ui::ProgramTitle),
              heading + QStringLiteral("\n\n") + reason);
}

}  // namespace gui
