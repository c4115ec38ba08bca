#include "app/core/Session.h"

#include <filesystem>
#include <stdexcept>
#include <utility>

#include "host/AsciiText.h"
#include "host/AtomicFile.h"
#include "host/Host.h"
#include "host/HostError.h"
#include "host/RunLock.h"
#include "host/SaveTarget.h"
#include "messages/CliTexts.h"
#include "messages/InterfaceTexts.h"
#include "report/Layout.h"
#include "report/TablePlacement.h"

namespace app {

namespace {

bool SamePath(const std::string& a, const std::string& b) {
  std::error_code ec;
  if (std::filesystem::equivalent(a, b, ec)) return true;
  return std::filesystem::weakly_canonical(a, ec) == std::filesystem::weakly_canonical(b, ec);
}

std::vector<ProblemEntry> Entries(const store::ProblemSet& found) {
  std::vector<ProblemEntry> entries;
  for (store::Problem problem : store::kAllProblems)
    if (found.Has(problem))
      entries.push_back({problem, std::string(msg::Text(store::WordingOf(problem).closingLine))});
  return entries;
}

// What is missing, where the table must stand and, when the sheet shows a
// table elsewhere, where that one is: one line each.
std::string NoTableMessage(host::Worksheet& source, const report::TablePlacement& placement) {
  const host::Range corner = report::Anchor(source);
  const std::string markers = corner.Offset(0, 1).Address();
  const std::string varieties = corner.Offset(1, 0).Address();
  std::string message = !placement.hasMarkers && !placement.hasVarieties
                            ? msg::Format(msg::Cli::TableNoNames, source.Name(), markers, varieties)
                        : !placement.hasMarkers
                            ? msg::Format(msg::Cli::TableNoMarkers, source.Name(), markers)
                            : msg::Format(msg::Cli::TableNoVarieties, source.Name(), varieties);
  message += '\n' + msg::Format(msg::Cli::TableMustStart, corner.Address(), markers, varieties);
  if (placement.seemsAt)
    message += '\n' + msg::Format(msg::Cli::TableSeemsAt, *placement.seemsAt, corner.Address());
  return message;
}

}  // namespace

bool IsSourceName(std::string_view name) {
  const auto dot = name.find('.');
  return dot != std::string_view::npos && host::AsciiLower(name.substr(dot + 1)) == "org";
}

std::string_view ChoiceText(SheetKind kind) {
  switch (kind) {
    case SheetKind::UnknownType:
      return msg::Text(msg::Ui::NoType);
    case SheetKind::NotSource:
      return msg::Text(msg::Ui::NotSource);
    case SheetKind::Ssr:
      return msg::Text(msg::Ui::SsrChosen);
    case SheetKind::Character:
      return msg::Text(msg::Ui::ChrChosen);
  }
  return {};
}

std::string RunReport::IdenticalLine() const {
  if (identicalGroups == 0) return {};
  if (identicalGroups == 1) return msg::Format(msg::Ui::IdenticalGroup, summarySheet);
  return msg::Format(msg::Ui::IdenticalGroups, identicalGroups, summarySheet);
}

std::string RunReport::ClosingMessage() const {
  if (problems.empty()) {
    const std::string identical = IdenticalLine();
    return std::string(msg::Text(msg::Ui::FinishedNormally)) +
           (identical.empty() ? "" : "\r" + identical);
  }
  std::string message;
  for (const ProblemEntry& entry : problems) message += entry.text + "\r";
  return message;
}

WorkbookInUse::WorkbookInUse(std::string workbook, std::string lockFile)
    : std::runtime_error(msg::Format(msg::Cli::LockFileFound, workbook, lockFile)),
      workbook_(std::move(workbook)),
      lockFile_(std::move(lockFile)) {}

Session::Session() = default;

Session::~Session() = default;

host::Application& Session::Host() {
  if (!app_) app_ = std::make_unique<host::Application>();
  return *app_;
}

const std::string& Session::Path() const {
  static const std::string kNone;
  return book_ ? book_->Path() : kNone;
}

void Session::Open(const std::string& path) {
  host::Workbook* previous = book_;
  // Open the new file before letting go of the old one, so a file that cannot
  // be opened leaves the session as it was. Reopening the same file is the one
  // case where the old copy has to go first: one file, one open workbook.
  if (previous && SamePath(previous->Path(), path)) {
    book_ = nullptr;
    sheetNames_.clear();
    kinds_.clear();
    previous->Close();
    previous = nullptr;
  }
  // Taken before reading: a change made while we read shows as a change later.
  std::optional<host::FileIdentity> identity = host::FileIdentity::Of(path);
  host::Workbook& book = Host().Open(path);
  if (previous) previous->Close();
  book_ = &book;
  openedAs_ = identity;
  sheetNames_.clear();
  kinds_.clear();
  for (int k = 1; k <= book.SheetCount(); ++k) sheetNames_.push_back(book.Sheet(k).Name());
}

void Session::Close() {
  runLock_.reset();
  book_ = nullptr;
  sheetNames_.clear();
  kinds_.clear();
  if (app_) app_->Quit();
  app_.reset();
}

SheetKind Session::Classify(const std::string& sheet) {
  if (sheet.find('.') == std::string::npos) return SheetKind::UnknownType;
  if (!IsSourceName(sheet)) return SheetKind::NotSource;
  if (!book_) throw host::HostError("ClassifySource", "", "no workbook is open");
  // Nothing changes a sheet while it is open here (a run reopens what it
  // saved): its cells are counted once.
  if (auto known = kinds_.find(sheet); known != kinds_.end()) return known->second;
  const SheetKind kind =
      report::ClassifySource(book_->SheetByName(sheet)) == report::SourceKind::Ssr
          ? SheetKind::Ssr
          : SheetKind::Character;
  kinds_.emplace(sheet, kind);
  return kind;
}

std::vector<SheetInfo> Session::Sheets() {
  std::vector<SheetInfo> sheets;
  for (const std::string& name : sheetNames_) sheets.push_back({name, Classify(name)});
  return sheets;
}

std::string Session::FindSheet(const std::string& name) const {
  for (const std::string& sheet : sheetNames_)
    if (sheet == name) return sheet;
  for (const std::string& sheet : sheetNames_)
    if (host::AsciiLower(sheet) == host::AsciiLower(name)) return sheet;
  return {};
}

report::SourceKind Session::CheckSource(const std::string& sheet) {
  const SheetKind kind = Classify(sheet);
  if (kind != SheetKind::Ssr && kind != SheetKind::Character)
    throw std::invalid_argument("sheet \"" + sheet + "\" is not a source");
  host::Worksheet& source = book_->SheetByName(sheet);
  const report::TablePlacement placement = report::CheckTablePlacement(source);
  if (!placement.Readable()) throw TableNotFound(NoTableMessage(source, placement));
  return kind == SheetKind::Ssr ? report::SourceKind::Ssr : report::SourceKind::Character;
}

report::GenotypeRead Session::ReadGenotypes(const std::string& sheet) {
  const report::SourceKind kind = CheckSource(sheet);
  return report::ReadGenotypes(book_->SheetByName(sheet), kind);
}

void Session::CheckSaveTarget(const std::string& target) const {
  if (!book_) throw host::HostError("Save", "", "no workbook is open");
  const std::string path = target.empty() ? book_->SavePath() : target;
  host::CheckWritable(host::ResolveLinks(path));
  CheckLockFile(path);
}

RunReport Session::Run(const std::string& sheet, const RunOptions& options,
                       report::Progress& progress) {
  if (!book_) throw host::HostError("Run", "", "no workbook is open");
  if (runLock_) Discard();
  runPath_ = book_->Path();
  runLock_ = std::make_unique<host::RunLock>(
      runPath_, lockWait_, [&] { progress.Stage(msg::Text(msg::Ui::WaitingForRun)); });
  try {
    // Nothing of ours is unsaved between runs, so a file that another run or
    // program saved meanwhile is simply read again: the run works on what is there.
    if (host::FileIdentity::Of(runPath_) != openedAs_) Open(runPath_);
    const report::SourceKind kind = CheckSource(sheet);
    report::RunOutcome outcome =
        report::WriteResults(book_->SheetByName(sheet), kind, options, sheetNames_, progress);
    progress.Stage(msg::Text(msg::Ui::Completed));
    progress.Comment("");
    return {Entries(outcome.problems), std::move(outcome.sheetsWritten), outcome.identicalGroups,
            std::move(outcome.summarySheet)};
  } catch (...) {
    // Put the workbook back as the file has it, so the half-run sheets in
    // memory cannot reach the disk with a later save.
    EndRun(runPath_);
    throw;
  }
}

SavedFile Session::Save(const std::string& target) {
  if (!runLock_) throw std::logic_error("Save: no run waits to be saved");
  SavedFile saved;
  try {
    saved.splitHardLink = PrepareTarget(target.empty() ? book_->SavePath() : target);
    saved.path = SaveTo(target);
  } catch (const WorkbookInUse&) {
    throw;  // nothing happened: the results wait for the user's answer
  } catch (...) {
    EndRun(runPath_);
    throw;
  }
  runLock_.reset();
  if (!reopenAfterSave_) {
    Forget();
    return saved;
  }
  try {
    Open(saved.path);
  } catch (const std::exception&) {
    // The results are on disk; only what this session holds is in doubt, so
    // it lets go of the workbook rather than call the run a failure.
    Forget();
  }
  return saved;
}

void Session::Discard() {
  if (runLock_) EndRun(runPath_);
}

std::string Session::SaveTo(const std::string& target) {
  if (target.empty()) {
    book_->Save();
    return book_->SavePath();
  }
  book_->SaveAs(target);
  return target;
}

void Session::EndRun(const std::string& reopen) {
  Reload(reopen);
  runLock_.reset();
}

bool Session::PrepareTarget(const std::string& target) const {
  // Under the run lock no other save of ours can be half done: what a killed
  // one left behind can go.
  host::AtomicFile::RemoveStale(target);
  host::CheckWritable(host::ResolveLinks(target));
  CheckLockFile(target);
  return host::HasOtherNames(target);
}

void Session::CheckLockFile(const std::string& target) const {
  if (saveOverLockFile_) return;
  const std::string lockFile = host::ForeignLockFile(target);
  if (!lockFile.empty()) throw WorkbookInUse(target, lockFile);
}

void Session::Forget() {
  if (book_) book_->Close();
  book_ = nullptr;
  sheetNames_.clear();
  kinds_.clear();
}

void Session::Reload(const std::string& path) {
  Forget();
  try {
    Open(path);
  } catch (const std::exception&) {
    // The original failure is the one to report; the session is left without a workbook.
  }
}

}  // namespace app
