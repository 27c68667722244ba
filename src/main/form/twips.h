#pragma once

namespace pointimport::main::form {

// The window's layout is given in twips; at 96 dots per inch 15 of them make
// one pixel, and every position of the layout is a whole number of pixels.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips) { return twips / kTwipsPerPixel; }

// A control's place in pixels, measured from the top-left corner of what it
// lies on.
struct Rect {
  int left;
  int top;
  int width;
  int height;
};

// Room kept free inside a control's edges, in pixels.
struct Margins {
  int left;
  int top;
  int right;
  int bottom;
};

constexpr Rect TwipRect(int left, int top, int width, int height) {
  return {TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height)};
}

}  // namespace pointimport::main::form
