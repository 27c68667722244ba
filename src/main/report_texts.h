#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "convert/variant.h"
#include "import/import_report.h"

namespace pointimport::main {

// The words of the import report, shared by the CSV and HTML reports, the
// summary lines and the window.

// "クラス3名未満", "上位3名のタイム不明", "基準タイム0", "順位なし", "順位に括弧",
// "タイムなし"; empty for None.
std::u16string_view ZeroPointReasonText(import::ZeroPointReason reason);

// "新規", "補完", "既存", "失敗".
std::u16string_view PersonStateText(import::PersonState state);

// "書込" or "失敗".
std::u16string_view ResultRowText(bool written);

// The flags in their fixed order, joined with "・".
std::u16string FlagsText(unsigned flags);

// The causes joined with " / ".
std::u16string CausesText(const std::vector<std::u16string>& causes);

// A value as text; Null, which a statement writes as empty text, is empty
// here too.
std::u16string ValueText(const convert::Variant& value);

// The points exactly as the result insert writes them.
std::u16string PointsText(double points);

}  // namespace pointimport::main
