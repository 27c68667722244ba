#pragma once

#include "main/form/twips.h"

namespace pointimport::main::form {

// The window's fixed layout and the texts it starts with; every toolkit
// builds the same window from these. Positions on picMain are measured from
// its top-left corner, the others from the window's client area.

inline constexpr char16_t kWindowCaption[] = u"ポイント取込ツール";
inline constexpr int kClientWidth = TwipsToPixels(7215);
inline constexpr int kClientHeight = TwipsToPixels(2910);

inline constexpr Rect kCmdOpenRect = TwipRect(360, 300, 1215, 375);
inline constexpr char16_t kCmdOpenText[] = u"開く";
// Import starts disabled: only an opened file with a keyword enables it.
inline constexpr Rect kCmdUpdateRect = TwipRect(360, 2220, 1215, 375);
inline constexpr char16_t kCmdUpdateText[] = u"取込";

inline constexpr Rect kPicMainRect = TwipRect(60, 60, 7095, 2775);
inline constexpr int kPicMainRed = 224;
inline constexpr int kPicMainGreen = 224;
inline constexpr int kPicMainBlue = 224;
inline constexpr Rect kLblEventNameRect = TwipRect(360, 960, 6375, 435);
inline constexpr Rect kLblKeywordRect = TwipRect(360, 1500, 6315, 255);

// Beneath picMain, uncovered when the panel is hidden.
inline constexpr Rect kLblErrorRect = TwipRect(180, 180, 6795, 2715);
inline constexpr char16_t kLblErrorText[] = u"データベースファイルが見つかりません";

// The buttons stand above lblError: its text keeps clear of them, below Open
// and above Import, in line with their left edge, so that none of it lies
// under a button.
inline constexpr int kLblErrorGap = 120;
inline constexpr Margins kLblErrorTextMargins = {
    .left = TwipsToPixels(360 - 180),
    .top = TwipsToPixels(300 + 375 + kLblErrorGap - 180),
    .right = TwipsToPixels(180),
    .bottom = TwipsToPixels(180 + 2715 - 2220 + kLblErrorGap),
};

}  // namespace pointimport::main::form
