#include "main/report_texts.h"

#include "convert/runtime_error.h"
#include "convert/sql_value.h"

namespace pointimport::main {

using import::PersonState;
using import::ZeroPointReason;

std::u16string_view ZeroPointReasonText(ZeroPointReason reason) {
  switch (reason) {
    case ZeroPointReason::None:
      return u"";
    case ZeroPointReason::FewerThanThree:
      return u"クラス3名未満";
    case ZeroPointReason::TopThreeTimeUnknown:
      return u"上位3名のタイム不明";
    case ZeroPointReason::ReferenceZero:
      return u"基準タイム0";
    case ZeroPointReason::RankNotNumeric:
      return u"順位なし";
    case ZeroPointReason::RankInParentheses:
      return u"順位に括弧";
    case ZeroPointReason::NoTime:
      return u"タイムなし";
  }
  return u"";
}

std::u16string_view PersonStateText(PersonState state) {
  switch (state) {
    case PersonState::New:
      return u"新規";
    case PersonState::Completed:
      return u"補完";
    case PersonState::Existing:
      return u"既存";
    case PersonState::Refused:
      return u"失敗";
  }
  return u"";
}

std::u16string_view ResultRowText(bool written) { return written ? u"書込" : u"失敗"; }

std::u16string FlagsText(unsigned flags) {
  static constexpr struct {
    unsigned flag;
    std::u16string_view text;
  } kFlags[] = {{import::kEmptyPersonId, u"個人IDが空"},
                {import::kOtherClub, u"所属が異なる"},
                {import::kSameIdOtherName, u"同一IDの別名"},
                {import::kStoredValueUnreadable, u"保存値を読めない"}};
  std::u16string text;
  for (const auto& f : kFlags) {
    if ((flags & f.flag) == 0) continue;
    if (!text.empty()) text += u"・";
    text += f.text;
  }
  return text;
}

std::u16string CausesText(const std::vector<std::u16string>& causes) {
  std::u16string text;
  for (const auto& cause : causes) {
    if (!text.empty()) text += u" / ";
    text += cause;
  }
  return text;
}

std::u16string ValueText(const convert::Variant& value) {
  if (value.IsNull()) return {};
  return convert::ToText(value);
}

std::u16string PointsText(double points) { return convert::FormatSqlValue(convert::Variant(points)); }

}  // namespace pointimport::main
