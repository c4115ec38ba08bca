#pragma once
// The main window: walks to a workbook, lists its sheets, runs the analysis of
// the chosen source sheet. The work is done by app::Session; the window turns
// clicks into session calls and keeps its controls' states itself.
#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string_view>

#include "app/core/Session.h"
#include "app/gui/AboutWindow.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace host {
class HostError;
}

namespace gui {

class TwipScale;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // Shows `path` in the drive, directory and file lists (a folder the user walked to).
  bool SetDirectory(const QString& path);
  QString Directory() const { return directory_; }
  // Walks to the workbook's folder and clicks it in the file list.
  bool OpenWorkbook(const QString& path);
  // Clicks the sheet of that name in the sheet list.
  bool ChooseSheet(const QString& name);
  // The workbook (and a sheet of it) named on the command line; returns what
  // went wrong, naming the file or sheet, or nothing.
  QString OpenAtStart(const QString& workbook, const QString& sheet);
  // Presses Start.
  void Start();
  bool Running() const { return running_; }

  const app::Session& GetSession() const { return *session_; }
  AboutWindow* About() const { return about_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private slots:
  void DriveChosen(int index);
  void FolderChosen(QListWidgetItem* item);
  void FileChosen(QListWidgetItem* item);
  void SheetChosen();
  void StartClicked();
  void QuitClicked();
  void HelpClicked();

 private:
  // Where the folder and file list items keep their full paths.
  static constexpr int kPathRole = Qt::UserRole;

  void BuildControls();
  void BuildTitles(const TwipScale& tw);
  void BuildLists(const TwipScale& tw);
  void BuildStatus(const TwipScale& tw);
  void BuildOptions(const TwipScale& tw);
  void BuildButtons(const TwipScale& tw);
  void FillDrives();
  void FillDirectories();
  void FillFiles();
  void SelectOpenedFile();

  // The status labels; during a run they repaint through Repaint.
  void SetMessage(std::string_view text);
  void SetComment(std::string_view text);
  // The open workbook's sheets, nothing chosen: Start waits for a sheet, the ticks stay.
  void ShowSheets();
  // What choosing a sheet of `kind` does to Start and the options.
  void ShowChoice(app::SheetKind kind);
  // The closing message and the file the results were saved in.
  void ShowClosingMessage(const app::RunReport& report, const QString& saved, bool elsewhere);
  // Runs the chosen sheet; the report once it is saved, nothing when the run
  // stopped (askedToSave_ then says whether the user wants to save over
  // another program's lock file).
  std::optional<app::RunReport> RunChosenSheet(bool overLockFile);
  void ReportError(const QString& heading, const host::HostError& error);
  void ReportError(const QString& heading, const std::exception& error);
  // Lets the labels repaint during a run, at most every few dozen milliseconds,
  // while clicks and keys wait until the run has ended.
  void Repaint(bool now);

  QLabel* titleLabel_;
  QLabel* editionLabel_;
  QComboBox* driveList_;
  QListWidget* folderList_;
  QListWidget* fileList_;
  QListWidget* sheetList_;
  QLabel* messageLabel_;
  QLabel* commentLabel_;
  QGroupBox* optionFrame_;
  QCheckBox* combinationBox_;
  QCheckBox* ukaiBox_;
  QCheckBox* zeroOneBox_;
  QCheckBox* relateBox_;
  QPushButton* startButton_;
  QPushButton* quitButton_;
  QPushButton* helpButton_;

  std::unique_ptr<app::Session> session_;
  QPointer<AboutWindow> about_;
  QString directory_;
  QString openedPath_;  // the workbook the session holds, empty before the first
  std::string chosenSheet_;
  QElapsedTimer repaintClock_;
  bool fillingSheets_ = false;
  bool running_ = false;
  bool askedToSave_ = false;
  bool quit_ = false;
};

}  // namespace gui
