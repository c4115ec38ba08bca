#include "app/core/Session.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "messages/InterfaceTexts.h"
#include "report/Run.h"

namespace app {

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool SamePath(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  return std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec);
}

// The run's stages and details go to the message and comment labels.
class StageReporter : public report::Progress {
 public:
  explicit StageReporter(StatusSink& status) : status_(status) {}
  void Stage(std::string_view text) override { status_.SetMessage(std::string(text)); }
  void Comment(std::string_view text) override { status_.SetComment(std::string(text)); }

 private:
  StatusSink& status_;
};

}  // namespace

Session::Session(StatusSink& status)
    : status_(status) {
}

Session::~Session() = default;

void Session::Form_Load() {
  if (!app_) app_ = std::make_unique<host::Application>();
  app_->SetVisible(false);
  ctx_.ExcelApp = app_.get();
  status_.SetMessage(std::string(msg::Text(msg::Ui::ChooseFile)));
  status_.SetComment("");
  status_.SetStartEnabled(startEnabled_);
  status_.SetOptions(optionsEnabled_, chkZoo, chkCombination, chkUKai);
}

void Session::filBook_Click(const std::string& path) {
  if (!app_) Form_Load();
  host::Workbook* previous = ctx_.ExcelBook;
  // Open the new file before letting go of the old one, so a file that cannot
  // be opened leaves the session as it was. Reopening the same file is the one
  // case where the old copy has to go first: one file, one open workbook.
  if (previous && SamePath(previous->Path(), path)) {
    ctx_.ExcelBook = nullptr;
    previous->Close();
    previous = nullptr;
  }
  host::Workbook& book = app_->Open(path);
  if (previous) previous->Close();
  ctx_.ExcelBook = &book;

  ctx_.lstSheet.clear();
  for (int k = 1; k <= book.SheetCount(); ++k) ctx_.lstSheet.push_back(book.Sheet(k).Name());
  selectedSheet_.clear();
  status_.SetSheetList(ctx_.lstSheet);
  status_.SetMessage(std::string(msg::Text(msg::Ui::ChooseSheet)));
  status_.SetComment("");
  // Nothing is chosen in the new list: Start waits for a sheet, the ticks stay.
  startEnabled_ = false;
  status_.SetStartEnabled(false);
}

SheetOutcome Session::lstSheet_Click(const std::string& name) {
  selectedSheet_ = name;
  const auto dot = name.find('.');
  if (dot == std::string::npos) {
    dataType_.clear();
    Apply(SheetOutcome::NoType);
    return SheetOutcome::NoType;
  }
  ctx_.SheetBaseName = name.substr(0, dot);
  dataType_ = Lower(name.substr(dot + 1));
  if (dataType_ != "org") {
    dataType_.clear();
    Apply(SheetOutcome::NotSource);
    return SheetOutcome::NotSource;
  }
  dataType_ = CheckType(name);
  const SheetOutcome outcome =
      dataType_ == "ssr" ? SheetOutcome::Ssr : SheetOutcome::Character;
  Apply(outcome);
  return outcome;
}

std::string Session::CheckType(const std::string& sheetName) {
  if (!ctx_.ExcelBook) throw host::HostError("CheckType", "", "no workbook is open");
  return report::CheckType(ctx_.ExcelBook->SheetByName(sheetName)) == report::SourceKind::Ssr
             ? "ssr"
             : "chr";
}

void Session::Apply(SheetOutcome outcome) {
  const bool source = outcome == SheetOutcome::Ssr || outcome == SheetOutcome::Character;
  switch (outcome) {
    case SheetOutcome::NoType:
      status_.SetMessage(std::string(msg::Text(msg::Ui::NoType)));
      break;
    case SheetOutcome::NotSource:
      status_.SetMessage(std::string(msg::Text(msg::Ui::NotSource)));
      break;
    case SheetOutcome::Ssr:
      status_.SetMessage(std::string(msg::Text(msg::Ui::SsrChosen)));
      break;
    case SheetOutcome::Character:
      status_.SetMessage(std::string(msg::Text(msg::Ui::ChrChosen)));
      break;
  }
  status_.SetComment("");
  startEnabled_ = source;
  optionsEnabled_ = source;
  chkZoo = false;
  chkCombination = source;
  chkUKai = source;
  status_.SetStartEnabled(startEnabled_);
  status_.SetOptions(optionsEnabled_, chkZoo, chkCombination, chkUKai);
}

void Session::Announce(const std::string& text) {
  status_.SetMessage(text);
  status_.SetComment("");
}

bool Session::DataProblems() const { return problems_.Any(); }

std::string Session::FlagCheck() {
  static constexpr std::pair<store::Problem, msg::Ui> kLines[] = {
      {store::Problem::TooManyVarieties, msg::Ui::TooManyVarieties},
      {store::Problem::TooManyMarkers, msg::Ui::TooManyMarkers},
      {store::Problem::NonNumeric, msg::Ui::NonNumeric},
      {store::Problem::NotDiploid, msg::Ui::NotDiploid},
      {store::Problem::TooManyAlleles, msg::Ui::TooManyAlleles},
      {store::Problem::TooManyGenotypes, msg::Ui::TooManyGenotypes},
  };
  std::string message;
  for (const auto& [problem, text] : kLines) {
    if (problems_.Has(problem)) message += std::string(msg::Text(text)) + "\r";
  }
  if (message.empty()) message = msg::Text(msg::Ui::FinishedNormally);
  return message;
}

void Session::cmdExec_Click() {
  // Start is a disabled button until a source sheet is chosen.
  if (!startEnabled_ || !ctx_.ExcelBook || selectedSheet_.empty()) return;
  const std::string openedPath = ctx_.ExcelBook->Path();
  try {
    RunStages();
  } catch (const host::HostError&) {
    // Nothing was saved. Put the workbook back as the file has it, so the
    // half-run sheets in memory cannot reach the disk with a later save.
    ctx_.sheets.Clear();
    app_->SetVisible(false);
    try {
      filBook_Click(openedPath);
    } catch (const host::HostError&) {
      // The original failure is the one to report.
    }
    throw;
  }
}

void Session::RunStages() {
  host::Workbook& book = *ctx_.ExcelBook;
  closingMessage_.clear();
  problems_.Clear();
  report::RunOptions options;
  options.zoo = chkZoo;
  options.combination = chkCombination;
  options.ukai = chkUKai;
  const report::SourceKind kind =
      dataType_ == "ssr" ? report::SourceKind::Ssr : report::SourceKind::Character;
  StageReporter progress(status_);
  const report::RunOutcome outcome = report::WriteResults(
      book.SheetByName(selectedSheet_), kind, options, ctx_.lstSheet, progress);
  problems_ = outcome.problems;

  closingMessage_ = FlagCheck();
  status_.ShowClosingMessage(closingMessage_);
  Announce(std::string(msg::Text(msg::Ui::Completed)));

  if (saveTarget_.empty()) {
    book.Save();
    savedPath_ = book.SavePath();
  } else {
    book.SaveAs(saveTarget_);
    savedPath_ = saveTarget_;
  }
  filBook_Click(savedPath_);
}

void Session::cmdExit_Click() {
  ctx_.ExcelBook = nullptr;
  if (!app_) app_ = std::make_unique<host::Application>();
  app_->Quit();
  app_.reset();
  ctx_.ExcelApp = nullptr;
}

}  // namespace app
