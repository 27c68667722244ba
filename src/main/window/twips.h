#pragma once

#include <QRect>

namespace pointimport::main {

// The window's layout is given in twips; at 96 dots per inch 15 of them make
// one pixel, and every position of the layout is a whole number of pixels.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }

constexpr QRect TwipRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

}  // namespace pointimport::main
