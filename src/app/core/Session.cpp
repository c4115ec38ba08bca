#include "app/core/Session.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "analysis/Information.h"
#include "analysis/Options.h"
#include "convert/Conversion.h"
#include "format/Format.h"
#include "host/ErrorLog.h"
#include "host/SheetAccess.h"

namespace app {

namespace {

// The texts of the window; users know them, so they stay exactly as they are.
constexpr const char* kChooseFile = "データファイルを決定してください";
constexpr const char* kChooseSheet = "変換元のデータシートを選択してください";
constexpr const char* kNoType = "データの種類が識別できません";
constexpr const char* kNotSource = "変換対象外のデータが選択されました";
constexpr const char* kSsrChosen = "ＳＳＲデータが選択されました";
constexpr const char* kChrChosen = "文字パターンデータが選択されました";

constexpr const char* kReading = "変換元データ読み込み中";
constexpr const char* kConvertingSsr = "ＳＳＲデータ変換中";
constexpr const char* kCountingChr = "文字データカウント中";
constexpr const char* kZooRunning = "０/１変換 実行中";
constexpr const char* kCombinationRunning = "コンビネーションチェック 集計中";
constexpr const char* kUKaiRunning = "ＵＫａｉ理論値 計算中";
constexpr const char* kCompleted = "変換・集計 完了しました";
constexpr const char* kFinishedNormally = "正常に終了しました";

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

}  // namespace

Session::Session(StatusSink& status)
    : status_(status), store_(std::make_unique<store::GenotypeStore>()) {
  ctx_.store = store_.get();
  ctx_.status = &status_;
  // The table operations report through the error log of the running session.
  store_->ErrorOut = [this](const std::string& message, int variety, int marker) {
    host::ErrorOut(ctx_, message, variety, marker);
  };
}

Session::~Session() = default;

void Session::Form_Load() {
  if (!app_) app_ = std::make_unique<host::Application>();
  app_->SetVisible(false);
  ctx_.ExcelApp = app_.get();
  status_.SetMessage(kChooseFile);
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
  status_.SetMessage(kChooseSheet);
  status_.SetComment("");
  // Nothing is chosen in the new list: Start waits for a sheet, the ticks stay.
  startEnabled_ = false;
  status_.SetStartEnabled(false);
}

SheetOutcome Session::lstSheet_Click(const std::string& name) {
  selectedSheet_ = name;
  const auto dot = name.find('.');
  if (dot == std::string::npos) {
    store_->DataType.clear();
    Apply(SheetOutcome::NoType);
    return SheetOutcome::NoType;
  }
  ctx_.SheetBaseName = name.substr(0, dot);
  store_->DataType = Lower(name.substr(dot + 1));
  if (store_->DataType != "org") {
    store_->DataType.clear();
    Apply(SheetOutcome::NotSource);
    return SheetOutcome::NotSource;
  }
  store_->DataType = CheckType(name);
  const SheetOutcome outcome =
      store_->DataType == "ssr" ? SheetOutcome::Ssr : SheetOutcome::Character;
  Apply(outcome);
  return outcome;
}

std::string Session::CheckType(const std::string& sheetName) {
  if (!ctx_.ExcelBook) throw host::HostError("CheckType", "", "no workbook is open");
  host::Worksheet& sheet = ctx_.ExcelBook->SheetByName(sheetName);
  host::Range corner = sheet.GetRange("B4");
  auto text = [&](int r, int c) {
    return sheet.Cell(corner.Row() + r, corner.Column() + c).Text();
  };

  std::string first = text(1, 1);
  if (first.empty()) {
    // C5 is often untyped in real data; the first typed cell of the table
    // (row by row, within the marker row and the variety column) decides.
    int markers = 0;
    while (corner.Column() + markers + 1 <= host::kMaxColumns && !text(0, markers + 1).empty())
      ++markers;
    for (int i = 1; first.empty() && corner.Row() + i <= host::kMaxRows && !text(i, 0).empty();
         ++i) {
      for (int j = 1; j <= markers; ++j) {
        first = text(i, j);
        if (!first.empty()) break;
      }
    }
  }
  return first.find('/') != std::string::npos ? "ssr" : "chr";
}

void Session::Apply(SheetOutcome outcome) {
  const bool source = outcome == SheetOutcome::Ssr || outcome == SheetOutcome::Character;
  switch (outcome) {
    case SheetOutcome::NoType:
      status_.SetMessage(kNoType);
      break;
    case SheetOutcome::NotSource:
      status_.SetMessage(kNotSource);
      break;
    case SheetOutcome::Ssr:
      status_.SetMessage(kSsrChosen);
      break;
    case SheetOutcome::Character:
      status_.SetMessage(kChrChosen);
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

bool Session::DataProblems() const {
  const store::GenotypeStore& s = *store_;
  for (int16_t flag : {s.TooManyVarietiesFlag, s.TooManyMarkersFlag, s.NonNumericFlag,
                       s.NotDiploidFlag, s.AlleleOverflowFlag, s.GenoOverflowFlag}) {
    if (flag == store::kTrue) return true;
  }
  return false;
}

std::string Session::FlagCheck() {
  const store::GenotypeStore& s = *store_;
  const std::pair<int16_t, const char*> lines[] = {
      {s.TooManyVarietiesFlag, "品種数が許容範囲を超えました"},
      {s.TooManyMarkersFlag, "マーカー数が許容範囲を超えました"},
      {s.NonNumericFlag, "SSRに数値でないデータがあります"},
      {s.NotDiploidFlag, "２倍体でないデータがあります"},
      {s.AlleleOverflowFlag, "アリル数が多すぎます"},
      {s.GenoOverflowFlag, "遺伝子型数が多すぎます"},
  };
  std::string message;
  for (const auto& [flag, text] : lines) {
    if (flag == store::kTrue) message += std::string(text) + "\r";
  }
  if (message.empty()) message = kFinishedNormally;
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
  store::GenotypeStore& s = *store_;
  host::SheetHandles& h = ctx_.sheets;
  const std::string& base = ctx_.SheetBaseName;

  app_->SetVisible(false);
  s.AlleleDataClear();
  s.GenoDataClear();
  s.ResetFlags();
  closingMessage_.clear();
  h.Clear();

  host::SheetOpen(ctx_, h.ErrSheet, base + ".err");
  host::ErrorSheetFormat(ctx_, *h.ErrSheet);

  if (s.DataType == "ssr") {
    h.SrcSheet = &book.SheetByName(selectedSheet_);
    host::SheetOpen(ctx_, h.SsrSheet, base + ".ssr");
    host::SheetOpen(ctx_, h.TssrSheet, base + ".tssr");
    host::SheetOpen(ctx_, h.PekSheet, base + ".pek");
    host::SheetOpen(ctx_, h.ChrSheet, base + ".chr");
    host::SheetOpen(ctx_, h.AllSheet, base + ".all");
    host::SheetOpen(ctx_, h.GntSheet, base + ".gnt");
    convert::TransSheetFormat(ctx_, *h.SrcSheet, *h.SsrSheet, "s");
    convert::TransSheetFormat(ctx_, *h.SrcSheet, *h.TssrSheet, "t");
    convert::TransSheetFormat(ctx_, *h.SrcSheet, *h.PekSheet, "p");
    convert::TransSheetFormat(ctx_, *h.SrcSheet, *h.ChrSheet, "c");
    analysis::InformationSheetFormat(ctx_, *h.SrcSheet, *h.AllSheet, "a");
    analysis::InformationSheetFormat(ctx_, *h.SrcSheet, *h.GntSheet, "g");
    Announce(kReading);
    host::SourceDataRead(ctx_, *h.SrcSheet);
    Announce(kConvertingSsr);
    convert::AdaptSSR(ctx_);
  } else if (s.DataType == "chr") {
    h.SsrSheet = h.TssrSheet = h.PekSheet = nullptr;
    h.SrcSheet = &book.SheetByName(selectedSheet_);
    host::SheetOpen(ctx_, h.ChrSheet, base + ".chr");
    host::SheetOpen(ctx_, h.AllSheet, base + ".all");
    host::SheetOpen(ctx_, h.GntSheet, base + ".gnt");
    convert::TransSheetFormat(ctx_, *h.SrcSheet, *h.ChrSheet, "c");
    analysis::InformationSheetFormat(ctx_, *h.SrcSheet, *h.AllSheet, "a");
    analysis::InformationSheetFormat(ctx_, *h.SrcSheet, *h.GntSheet, "g");
    Announce(kReading);
    host::SourceDataRead(ctx_, *h.SrcSheet);
    Announce(kCountingChr);
    convert::CountChr(ctx_);
  }

  if (s.ErrorRow == 0 && h.SrcSheet) {
    if (chkZoo) {
      Announce(kZooRunning);
      analysis::ZooMake(ctx_);
    }
    if (chkCombination) {
      Announce(kCombinationRunning);
      host::SheetOpen(ctx_, h.CmbSheet, base + ".cmb");
      analysis::CombinationSheetFormat(ctx_, *h.SrcSheet, *h.CmbSheet);
      analysis::CombinationMake(ctx_);
    }
    if (chkUKai) {
      Announce(kUKaiRunning);
      host::SheetOpen(ctx_, h.UkaiSheet, base + ".ukai");
      analysis::UKaiSheetFormat(ctx_, *h.SrcSheet, *h.UkaiSheet);
      analysis::UKaiCal(ctx_);
    }
  }

  format::SheetsSort(book, h);
  closingMessage_ = FlagCheck();
  status_.ShowClosingMessage(closingMessage_);
  Announce(kCompleted);

  if (saveTarget_.empty()) {
    book.Save();
    savedPath_ = book.SavePath();
  } else {
    book.SaveAs(saveTarget_);
    savedPath_ = saveTarget_;
  }
  filBook_Click(savedPath_);
  h.Clear();
  app_->SetVisible(false);
}

void Session::cmdExit_Click() {
  ctx_.ExcelBook = nullptr;
  if (!app_) app_ = std::make_unique<host::Application>();
  app_->Quit();
  app_.reset();
  ctx_.ExcelApp = nullptr;
}

}  // namespace app
