#pragma once
// The main window: walks to a workbook, lists its sheets, runs the analysis of
// the chosen source sheet. The work is done by app::Session; the window turns
// clicks into session calls and keeps its controls' states itself.
#include <QElapsedTimer>
#include <QHash>
#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "app/core/Export.h"
#include "app/core/Session.h"
#include "app/core/SourceCheck.h"
#include "app/gui/AboutWindow.h"
#include "app/gui/HelpWindow.h"
#include "app/gui/WindowSettings.h"

class QAction;
class QCheckBox;
class QLayout;
class QMenu;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class QTableWidget;

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
  // Walks to the workbook's folder and clicks it in the file list; a workbook
  // that cannot be opened is reported in a message naming the reason.
  bool OpenWorkbook(const QString& path);
  // A workbook chosen in the Open dialog, the recent list or dropped on the
  // window: opened as OpenWorkbook does, then its sheet chosen last time, or
  // else its first source sheet, is clicked.
  bool OpenChosenWorkbook(const QString& path);
  // Clicks the sheet of that name in the sheet list.
  bool ChooseSheet(const QString& name);
  // The workbook (and a sheet of it) named on the command line; returns what
  // went wrong, naming the file or sheet, or nothing.
  QString OpenAtStart(const QString& workbook, const QString& sheet);
  // Presses Start.
  void Start();
  bool Running() const { return running_; }

  // The looks at the chosen source that the Analysis menu offers.
  enum class Look { Markers, LocusTable, Tree, Map };
  void ShowLookAt(Look look);

  const app::Session& GetSession() const { return *session_; }
  AboutWindow* About() const { return about_; }
  HelpWindow* Help() const { return help_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private slots:
  void DriveChosen(int index);
  void FolderChosen(QListWidgetItem* item);
  void FileChosen(QListWidgetItem* item);
  void SheetChosen();
  void StartClicked();
  void QuitClicked();
  void HelpClicked();
  void HelpContentsClicked();
  void OpenClicked();
  void ImportClicked();
  void ExportClicked();

 private:
  // Where the folder and file list items keep their full paths.
  static constexpr int kPathRole = Qt::UserRole;

  void BuildControls();
  QWidget* BuildTitles();
  QLayout* BuildLists(const TwipScale& tw);
  QLayout* BuildStatus(const TwipScale& tw);
  QLayout* BuildOptions(const TwipScale& tw);
  QLayout* BuildButtons(const TwipScale& tw);
  void BuildMenus();
  void AddFileTools(QMenu* file);
  void AddLooks(QMenu* analysis);
  // Writes the chosen source to `path`; throws as app::ExportSource does.
  void WriteExport(const std::string& path, app::ExportFormat format);
  QWidget* BuildResults();
  // The results panel for the file saved last, with the problems the run
  // found and the sheet that lists them; an empty path hides it.
  void ShowResults(const QString& saved, const std::vector<app::DataProblem>& problems = {},
                   const std::string& errorSheet = {});
  // The problems a run of `sheet` logged, as the error sheet lists them.
  std::vector<app::DataProblem> ProblemsOf(const app::RunReport& report, const std::string& sheet);
  // Below the saved path, a tab for what the run added that a breeder reads
  // first: the locus table of the summary sheet, the tree and the map of
  // the distances; none after a run without them.
  void ShowResultViews(const app::RunReport& report, const std::string& sheet);
  // The sheet of the run whose name ends in `suffix` (".err"), or empty.
  static std::string WrittenSheet(const app::RunReport& report, const char* suffix);
  // What `look` shows of the source `sheet`, or its data problems; throws as app::Session does.
  QWidget* LookWidget(const std::string& sheet, Look look);
  // A checkable entry of `menu` that mirrors the option's box both ways.
  void MirrorOption(QMenu* menu, QCheckBox* box);
  void FillRecentMenu();
  // Puts the open workbook first in the recent list.
  void RememberOpened();
  // Opens `path` in the session; a failure is reported and the open workbook stays.
  bool OpenPath(const QString& path);
  // Start and the Run entry are enabled together.
  void SetStartEnabled(bool enabled);
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
  // Runs the chosen sheet and saves it; nothing when the run stopped or the
  // user chose not to save over another program's lock file.
  std::optional<std::pair<app::RunReport, app::SavedFile>> RunChosenSheet();
  // Whether a save may go over the lock file of the program that holds the
  // workbook open: the user is asked.
  bool AskToSaveOver(const app::WorkbookInUse& inUse);
  // Saves the run; nothing when the user declined to save over a lock file.
  std::optional<app::SavedFile> SaveRun();
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
  QCheckBox* summaryBox_;
  QCheckBox* zeroOneBox_;
  QCheckBox* relateBox_;
  QPushButton* startButton_;
  QPushButton* quitButton_;
  QPushButton* helpButton_;
  std::vector<QCheckBox*> optionBoxes_;  // every option, in the order shown
  QHash<QCheckBox*, QAction*> optionActions_;
  QAction* runAction_ = nullptr;
  std::vector<QAction*> sourceActions_;  // enabled with Start: they need a source
  QMenu* recentMenu_ = nullptr;
  QWidget* resultsPanel_;
  QLabel* resultsLabel_;
  QLabel* problemsLabel_;
  QTableWidget* problemList_;
  QTabWidget* resultViews_;
  QString savedPath_;
  WindowSettings settings_;

  std::unique_ptr<app::Session> session_;
  QPointer<AboutWindow> about_;
  QPointer<HelpWindow> help_;
  QString directory_;
  QString openedPath_;  // the workbook the session holds, empty before the first
  std::string chosenSheet_;
  QElapsedTimer repaintClock_;
  bool fillingSheets_ = false;
  bool running_ = false;
  bool quit_ = false;
};

}  // namespace gui
