#pragma once
// The session: one open workbook, what each of its sheets means to a breeder,
// and runs of its source sheets. The window and the command line are thin
// front ends over it; neither reaches past it into the run.
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "host/FileIdentity.h"
#include "report/Progress.h"
#include "report/ReadGenotypes.h"
#include "report/Run.h"
#include "store/Problems.h"

namespace host {
class RunLock;
}

namespace app {

// What choosing a sheet means.
enum class SheetKind {
  UnknownType,  // the name has no ".": its type cannot be told
  NotSource,    // a type other than "org" (result sheets among them)
  Ssr,          // a source of SSR data
  Character,    // a source of character data
};

struct SheetInfo {
  std::string name;
  SheetKind kind;
};

// A source sheet is named BASE.org, "org" in any case, after the first ".".
bool IsSourceName(std::string_view name);
// The status text that choosing a sheet of that kind shows.
std::string_view ChoiceText(SheetKind kind);

using RunOptions = report::RunOptions;
// Where a run tells its stage and what it is working on.
using Progress = report::Progress;

struct ProblemEntry {
  store::Problem problem;
  std::string text;  // its line of the closing message
};

struct RunReport {
  std::vector<ProblemEntry> problems;      // in closing-message order
  std::vector<std::string> sheetsWritten;  // in workbook order
  // Groups of varieties no marker tells apart, listed on the summary sheet.
  int identicalGroups = 0;
  std::string summarySheet;

  bool HasProblems() const { return !problems.empty(); }
  // The closing message as the run has always shown it: each problem's line
  // ended by "\r", or the finished-normally text when there is none, then
  // the identical varieties' line.
  std::string ClosingMessage() const;
  // The line that names the groups of identical varieties; empty when none.
  std::string IdenticalLine() const;
};

struct SavedFile {
  std::string path;            // the file saved to, and open now
  bool splitHardLink = false;  // that file had other names, which keep the old version
};

// Another spreadsheet program holds the file a run would save open: its lock
// file is beside it, and whichever side saves second would lose the other's work.
class WorkbookInUse : public std::runtime_error {
 public:
  WorkbookInUse(std::string workbook, std::string lockFile);
  const std::string& Workbook() const { return workbook_; }
  const std::string& LockFile() const { return lockFile_; }

 private:
  std::string workbook_;
  std::string lockFile_;
};

// The source sheet has no table where a run reads it, so there is nothing to
// run: the message says what is missing and where the table must stand.
class TableNotFound : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Opens `path` in place of the open workbook. Throws host::HostError when
  // the file cannot be opened; the session then stays as it was.
  void Open(const std::string& path);
  // Closes the workbook without saving and ends the host.
  void Close();
  bool IsOpen() const { return book_ != nullptr; }
  // The file the open workbook was read from.
  const std::string& Path() const;

  // The sheet names in workbook order, as last opened.
  const std::vector<std::string>& SheetNames() const { return sheetNames_; }
  // What choosing `sheet` means; a source is classified by its typed cells.
  SheetKind Classify(const std::string& sheet);
  // Every sheet with its kind.
  std::vector<SheetInfo> Sheets();
  // The sheet a user means by `name`: that name, else the one that matches it
  // ignoring case (the workbook's names are unique so); empty when none does.
  std::string FindSheet(const std::string& name) const;

  // Throws now what saving to `target` (the workbook itself when empty) would
  // throw after a long run: WorkbookInUse when another program holds the file
  // open (unless SetSaveOverLockFile allows it), host::HostError when it cannot
  // be written.
  void CheckSaveTarget(const std::string& target = {}) const;

  // Runs the source `sheet`: its results stand in the open workbook, unsaved,
  // until Save or Discard. Any exception stops the run: the workbook is read
  // again from disk and the exception goes on to the caller. Throws
  // std::invalid_argument when `sheet` is not a source, TableNotFound, before
  // anything is written, for a source without a table.
  //
  // From here until Save or Discard the workbook file is locked against other
  // runs (see host::RunLock): a second run waits for the first, up to
  // LockWait, and then works on the file the first one saved. A file that
  // changed on disk since it was opened is read again first.
  RunReport Run(const std::string& sheet, const RunOptions& options, Progress& progress);
  // Whether a run's results wait to be saved.
  bool HasUnsavedRun() const { return runLock_ != nullptr; }
  // Saves the run's results in place (a legacy .xls to a new .xlsx beside it)
  // or to `target`, then reopens what was saved (unless SetReopenAfterSave
  // says not to: the session then holds no workbook). Throws what
  // CheckSaveTarget throws; after WorkbookInUse the results still wait, after
  // any other failure they are gone and the workbook is read again. Once
  // saved, the run has succeeded: a reopen that fails then leaves the session
  // without a workbook (IsOpen is false).
  SavedFile Save(const std::string& target = {});
  // Lets go of a run's unsaved results: the workbook is read again from disk.
  void Discard();

  // The genotypes of the source `sheet`, read and converted as a run does it;
  // nothing is written. Throws std::invalid_argument when it is not a source,
  // TableNotFound when it has no table where a run reads one.
  report::GenotypeRead ReadGenotypes(const std::string& sheet);

  // Whether Save saves over a file whose lock file says another program holds
  // it open (a lock file left over by a crash says so too).
  void SetSaveOverLockFile(bool allow) { saveOverLockFile_ = allow; }
  // How long Run waits for another run on the same workbook to finish.
  void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }
  // Whether Save reads the saved workbook again, for more choices and runs; a
  // caller that ends with the run has no use for it.
  void SetReopenAfterSave(bool reopen) { reopenAfterSave_ = reopen; }

 private:
  host::Application& Host();
  std::string SaveTo(const std::string& target);
  void Reload(const std::string& path);
  // Lets go of the open workbook without ending the host.
  void Forget();
  // Throws std::invalid_argument when `sheet` is not a source, TableNotFound
  // when it has no table to read; returns its kind otherwise.
  report::SourceKind CheckSource(const std::string& sheet);
  // Makes ready to save over `target`; returns whether it has other names.
  bool PrepareTarget(const std::string& target) const;
  void CheckLockFile(const std::string& target) const;
  // Ends a run: the lock goes, and the workbook is read again from disk.
  void EndRun(const std::string& reopen);

  std::unique_ptr<host::Application> app_;
  host::Workbook* book_ = nullptr;
  std::vector<std::string> sheetNames_;
  std::map<std::string, SheetKind> kinds_;      // the sources classified so far
  std::optional<host::FileIdentity> openedAs_;  // the file as it was when opened
  bool saveOverLockFile_ = false;
  bool reopenAfterSave_ = true;
  std::unique_ptr<host::RunLock> runLock_;  // held from a run to its save
  std::string runPath_;                     // the file the run read
  std::chrono::milliseconds lockWait_{30000};
};

}  // namespace app
