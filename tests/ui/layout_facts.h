#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// What a control of the built dialog looks like from outside.
struct ControlFacts {
  std::wstring className;
  int id;
  std::wstring text;
  RECT rect;          // dialog client pixels
  int droppedBottom;  // a list's lower edge when dropped down, as Windows counts it; 0 for the rest
  LONG style;
  LONG exStyle;
  HFONT font;
};

// True under Wine, whose combo box reports its dropped rectangle as the
// given height less the closed field and its frame, where Windows reports
// the given height.
bool IsWine();

// The dialog's children in z-order, which is their creation order.
std::vector<ControlFacts> ReadControls(HWND dialog);

// The LOGFONT of the labels' font, and the control rectangles, as lines of
// text: what the resolution probe reports to its parent.
std::string DescribeFontsAndRects(HWND dialog);

}  // namespace testing_support
