#pragma once
// The session: what the main window holds (host, open workbook, chosen source,
// genotype store, options) and its handlers without the widgets. The window
// and the command line are thin front ends over it; both report through a
// StatusSink.
#include <memory>
#include <string>
#include <vector>

#include "app/core/StatusSink.h"
#include "host/Host.h"
#include "report/RunContext.h"
#include "store/Problems.h"

namespace app {

// What choosing a sheet found (the outcome table of the sheet choice).
enum class SheetOutcome { NoType, NotSource, Ssr, Character };

class Session {
 public:
  explicit Session(StatusSink& status);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Form_Load: starts the host and sets the first status texts.
  void Form_Load();
  // filBook_Click: closes the open workbook, opens `path`, lists its sheets.
  // Throws host::HostError when the file cannot be opened (nothing is changed).
  void filBook_Click(const std::string& path);
  // lstSheet_Click: the sheet `name` of the list is chosen; names and classifies it.
  SheetOutcome lstSheet_Click(const std::string& name);
  // "ssr" or "chr" by the sheet's first data cell.
  std::string CheckType(const std::string& sheetName);
  // cmdExec_Click: the whole run. A host failure stops the run and throws
  // host::HostError; the workbook file on disk is then as it was before.
  void cmdExec_Click();
  // cmdExit_Click: closes the host.
  void cmdExit_Click();

  // The option check boxes (the window mirrors them; the command line sets them).
  bool chkZoo = false;
  bool chkCombination = false;
  bool chkUKai = false;
  bool OptionsEnabled() const { return optionsEnabled_; }
  bool StartEnabled() const { return startEnabled_; }

  // Where the run saves: empty means in place (or, for a legacy .xls, a new
  // .xlsx beside it). Set for "run --output PATH": the original stays untouched.
  void SetSaveTarget(const std::string& path) { saveTarget_ = path; }
  // The file the last run saved to (and reopened).
  const std::string& SavedPath() const { return savedPath_; }

  // The closing message text of the last run (FlagCheck), and whether a flag was raised.
  const std::string& ClosingMessage() const { return closingMessage_; }
  bool DataProblems() const;

  const std::vector<std::string>& SheetList() const { return ctx_.lstSheet; }
  const std::string& SelectedSheet() const { return selectedSheet_; }
  const std::string& SheetBaseName() const { return ctx_.SheetBaseName; }
  const std::string& DataType() const { return dataType_; }
  host::Workbook* ExcelBook() const { return ctx_.ExcelBook; }
  host::Application* ExcelApp() const { return ctx_.ExcelApp; }

 private:
  std::string FlagCheck();
  // The stages of cmdExec_Click, from the cleared store to the reopened workbook.
  void RunStages();
  void Apply(SheetOutcome outcome);
  void Announce(const std::string& text);

  StatusSink& status_;
  std::unique_ptr<host::Application> app_;
  std::string dataType_;  // "ssr", "chr" or "" for the chosen sheet
  report::RunContext ctx_;
  std::string selectedSheet_;
  std::string saveTarget_;
  std::string savedPath_;
  std::string closingMessage_;
  store::ProblemSet problems_;
  bool optionsEnabled_ = false;
  bool startEnabled_ = false;
};

}  // namespace app
