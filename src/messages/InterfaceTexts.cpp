#include "messages/InterfaceTexts.h"

#include <array>
#include <string>

namespace msg {
namespace {

// In the order of Ui.
constexpr std::array<std::string_view, 20> kJapanese = {
    "データファイルを決定してください",
    "変換元のデータシートを選択してください",
    "データの種類が識別できません",
    "変換対象外のデータが選択されました",
    "ＳＳＲデータが選択されました",
    "文字パターンデータが選択されました",
    "変換元データ読み込み中",
    "ＳＳＲデータ変換中",
    "文字データカウント中",
    "０/１変換 実行中",
    "コンビネーションチェック 集計中",
    "ＵＫａｉ理論値 計算中",
    "変換・集計 完了しました",
    "正常に終了しました",
    "品種数が許容範囲を超えました",
    "マーカー数が許容範囲を超えました",
    "SSRに数値でないデータがあります",
    "２倍体でないデータがあります",
    "アリル数が多すぎます",
    "遺伝子型数が多すぎます",
};
static_assert(kJapanese.size() == static_cast<size_t>(Ui::TooManyGenotypes) + 1);

// A number as the comment label has always shown it: non-negative numbers
// keep the blank where a minus sign would stand.
std::string Signed(int number) {
  return number < 0 ? std::to_string(number) : " " + std::to_string(number);
}

}  // namespace

std::string_view Text(Ui id) { return kJapanese[static_cast<size_t>(id)]; }

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
