#include "messages/InterfaceTexts.h"

#include <array>
#include <string>
#include <utility>

#include "messages/Catalogue.h"

namespace msg {
namespace {

using Entry = detail::Entry<Ui>;

constexpr std::array kJapanese = {
    Entry{Ui::ChooseFile, "データファイルを決定してください"},
    Entry{Ui::ChooseSheet, "変換元のデータシートを選択してください"},
    Entry{Ui::NoType, "データの種類が識別できません"},
    Entry{Ui::NotSource, "変換対象外のデータが選択されました"},
    Entry{Ui::SsrChosen, "ＳＳＲデータが選択されました"},
    Entry{Ui::ChrChosen, "文字パターンデータが選択されました"},
    Entry{Ui::Reading, "変換元データ読み込み中"},
    Entry{Ui::ConvertingSsr, "ＳＳＲデータ変換中"},
    Entry{Ui::CountingChr, "文字データカウント中"},
    Entry{Ui::ZooRunning, "０/１変換 実行中"},
    Entry{Ui::CombinationRunning, "コンビネーションチェック 集計中"},
    Entry{Ui::UKaiRunning, "ＵＫａｉ理論値 計算中"},
    Entry{Ui::Completed, "変換・集計 完了しました"},
    Entry{Ui::FinishedNormally, "正常に終了しました"},
    Entry{Ui::TooManyVarieties, "品種数が許容範囲を超えました"},
    Entry{Ui::TooManyMarkers, "マーカー数が許容範囲を超えました"},
    Entry{Ui::NonNumeric, "SSRに数値でないデータがあります"},
    Entry{Ui::NotDiploid, "２倍体でないデータがあります"},
    Entry{Ui::TooManyAlleles, "アリル数が多すぎます"},
    Entry{Ui::TooManyGenotypes, "遺伝子型数が多すぎます"},
    Entry{Ui::ProgramTitle, "AlleleScope"},
    Entry{Ui::TitleBanner, "DNA AlleleScope"},
    Entry{Ui::TitleEdition, "for Windows Version 1.0"},
    Entry{Ui::OptionFrame, "Option"},
    Entry{Ui::OptionCombination, "Combination"},
    Entry{Ui::OptionUKai, "ＵＫａｉ"},
    Entry{Ui::OptionZoo, "０/１"},
    Entry{Ui::StartButton, "Start"},
    Entry{Ui::QuitButton, "Quit"},
    Entry{Ui::HelpButton, "Help"},
    Entry{Ui::OpenFailed, "ブックを開けませんでした"},
    Entry{Ui::SheetUnreadable, "シートを読めませんでした"},
    Entry{Ui::RunStopped, "処理を中止しました"},
    Entry{Ui::FolderUnavailable, "フォルダを開けません"},
    Entry{Ui::AboutCaption, "{}のﾊﾞｰｼﾞｮﾝ情報"},
    Entry{Ui::VersionLabel, "ﾊﾞｰｼﾞｮﾝ {}.{}.{}"},
    Entry{Ui::Disclaimer,
          "本プログラムは現状のまま提供され、明示・黙示を問わず一切の保証はありません。"
          "利用の結果は利用者の責任となります。"},
    Entry{Ui::OkButton, "OK"},
    Entry{Ui::SysInfoButton, "ｼｽﾃﾑ情報(&S)..."},
    Entry{Ui::SysInfoUnavailable, "現時点ではｼｽﾃﾑ情報を使用できません"},
    Entry{Ui::WaitingForRun, "同じブックの別の処理が終わるのを待っています"},
    Entry{Ui::LockFileQuestion,
          "{} は他のプログラムで開かれています（ロックファイル {}）。\n"
          "保存すると、どちらかの変更が失われることがあります。このまま実行して保存しますか？"},
    Entry{Ui::HardLinkSplit,
          "{} には別の名前（ハードリンク）があります。結果はこの名前にだけ保存され、"
          "別の名前は元の内容のままです。"},
};

static_assert(detail::InIdOrder(kJapanese, Ui::HardLinkSplit));

// A number as the comment label has always shown it: non-negative numbers
// keep the blank where a minus sign would stand.
std::string Signed(int number) {
  return number < 0 ? std::to_string(number) : " " + std::to_string(number);
}

}  // namespace

std::string_view Text(Ui id) { return detail::Lookup(kJapanese, id); }

std::string VarietyComment(int variety) { return "品種 [" + Signed(variety) + "]"; }
std::string MarkerComment(int marker) { return "マーカー [" + Signed(marker) + "]"; }
std::string CellComment(int variety, int marker) {
  return "データ [" + Signed(variety) + ":" + Signed(marker) + "]";
}
std::string MarkerNameComment(int marker, std::string_view name) {
  return "マーカー " + Signed(marker) + "[" + std::string(name) + "]";
}
std::string PairComment(int first, int second) {
  return "品種 [" + Signed(first) + ":" + Signed(second) + "]";
}

}  // namespace msg
