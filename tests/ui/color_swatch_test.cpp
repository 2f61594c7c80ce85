#include "ui/color_swatch.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/ui/dialog_script.h"
#include "ui/controls.h"

namespace {

using testing_support::ClickCentre;
using testing_support::RunMainDialogScript;
using testing_support::Seen;
using testing_support::SeenMessage;

constexpr COLORREF kRed = 0x0000FF, kWhite = 0xFFFFFF;
const int kSwatches[] = {1005, 1008, 1012, 1014, 1018, 1021, 1023};

// The swatch's inside as painted: its four corners and centre, if all agree.
COLORREF InsideColor(HWND swatch) {
  HDC dc = ::GetDC(swatch);
  const COLORREF colors[] = {::GetPixel(dc, 0, 0), ::GetPixel(dc, 21, 0), ::GetPixel(dc, 0, 21),
                             ::GetPixel(dc, 21, 21), ::GetPixel(dc, 11, 11)};
  ::ReleaseDC(swatch, dc);
  for (COLORREF c : colors) {
    if (c != colors[0]) return CLR_INVALID;
  }
  return colors[0];
}

COLORREF FrameColor(HWND swatch) {
  HDC dc = ::GetWindowDC(swatch);
  const COLORREF color = ::GetPixel(dc, 0, 0);
  ::ReleaseDC(swatch, dc);
  return color;
}

int CountNotifications(int id, int code) {
  return static_cast<int>(std::count_if(Seen().begin(), Seen().end(), [&](const SeenMessage& m) {
    return m.message == WM_COMMAND && LOWORD(m.wParam) == id && HIWORD(m.wParam) == code;
  }));
}

TEST(ColorSwatch, EverySwatchIsA22PixelWhitePictureInsideTheFrame) {
  RunMainDialogScript({[](HWND dialog) {
    for (int id : kSwatches) {
      SCOPED_TRACE(id);
      HWND swatch = ::GetDlgItem(dialog, id);
      RECT client{};
      ::GetClientRect(swatch, &client);
      EXPECT_EQ(client.right, 22);
      EXPECT_EQ(client.bottom, 22);
      EXPECT_EQ(InsideColor(swatch), kWhite);
      EXPECT_NE(FrameColor(swatch), kWhite);
    }
  }});
}

TEST(ColorSwatch, FilledColourShowsAtOnceAndAfterBeingCoveredOrDisabled) {
  COLORREF filled = 0, covered = 0, disabled = 0, otherSwatch = 0;
  RunMainDialogScript({
      [&](HWND dialog) {
        FillSwatch(dialog, IDC_BAND2_COLOR, kRed);
        RedrawSwatch(dialog, IDC_BAND2_COLOR);
        filled = InsideColor(::GetDlgItem(dialog, IDC_BAND2_COLOR));
        otherSwatch = InsideColor(::GetDlgItem(dialog, IDC_BAND1_COLOR));
      },
      [&](HWND dialog) {
        HWND swatch = ::GetDlgItem(dialog, IDC_BAND2_COLOR);
        RECT rect{};
        ::GetWindowRect(swatch, &rect);
        HWND cover =
            ::CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, rect.left - 10,
                              rect.top - 10, 60, 60, nullptr, nullptr, nullptr, nullptr);
        testing_support::Pump(50);
        ::DestroyWindow(cover);
        // Erased and painted again: the picture comes back, not the band.
        ::InvalidateRect(swatch, nullptr, TRUE);
        ::UpdateWindow(dialog);
        ::UpdateWindow(swatch);
        covered = InsideColor(swatch);
        ::EnableWindow(swatch, FALSE);
        ::InvalidateRect(swatch, nullptr, TRUE);
        ::UpdateWindow(swatch);
        disabled = InsideColor(swatch);
      },
  });
  EXPECT_EQ(filled, kRed);
  EXPECT_EQ(otherSwatch, kWhite);
  EXPECT_EQ(covered, kRed);
  EXPECT_EQ(disabled, kRed);
}

TEST(ColorSwatch, ClickTakesTheFocusBeforeTheDialogHearsOfIt) {
  HWND swatch = nullptr;
  RunMainDialogScript({
      [&](HWND dialog) {
        swatch = ::GetDlgItem(dialog, IDC_BAND1_COLOR);
        ::SetFocus(::GetDlgItem(dialog, IDC_BAND_COUNT));
      },
      [&](HWND) { ClickCentre(swatch); },
      [&](HWND) { testing_support::Pump(400); },  // past the double-click time
      [&](HWND) { ClickCentre(swatch, true); },
  });
  std::vector<const SeenMessage*> reports;
  for (const SeenMessage& m : Seen()) {
    if (m.message == WM_COMMAND && LOWORD(m.wParam) == IDC_BAND1_COLOR) reports.push_back(&m);
  }
  ASSERT_EQ(reports.size(), 3u);
  EXPECT_EQ(HIWORD(reports[0]->wParam), STN_CLICKED);
  EXPECT_EQ(reports[0]->focus, swatch);
  EXPECT_EQ(reports[0]->lParam, reinterpret_cast<LPARAM>(swatch));
  EXPECT_EQ(HIWORD(reports[1]->wParam), STN_CLICKED);
  EXPECT_EQ(HIWORD(reports[2]->wParam), STN_DBLCLK);
}

TEST(ColorSwatch, DisabledSwatchReportsNoClick) {
  RunMainDialogScript({
      [](HWND dialog) { ::EnableWindow(::GetDlgItem(dialog, IDC_BAND3_COLOR), FALSE); },
      [](HWND dialog) { ClickCentre(::GetDlgItem(dialog, IDC_BAND3_COLOR), true); },
  });
  EXPECT_EQ(CountNotifications(IDC_BAND3_COLOR, STN_CLICKED), 0);
  EXPECT_EQ(CountNotifications(IDC_BAND3_COLOR, STN_DBLCLK), 0);
}

TEST(ColorSwatch, NavigationKeysDoNothingWhileItHasTheFocusButAltF4Closes) {
  HWND swatch = nullptr;
  HWND focusAfterKeys = nullptr;
  bool openAfterKeys = false;
  const int result = RunMainDialogScript({
      [&](HWND dialog) {
        swatch = ::GetDlgItem(dialog, IDC_BAND1_COLOR);
        ClickCentre(swatch);
      },
      [&](HWND) {
        for (WPARAM key : {VK_TAB, VK_DOWN, VK_RIGHT, VK_UP, VK_LEFT, VK_RETURN, VK_ESCAPE}) {
          ::PostMessageW(swatch, WM_KEYDOWN, key, 1);
          if (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE) {
            // What TranslateMessage would make of them.
            ::PostMessageW(swatch, WM_CHAR,
                           key == VK_TAB      ? L'\t'
                           : key == VK_RETURN ? L'\r'
                                              : 27,
                           1);
          }
          ::PostMessageW(swatch, WM_KEYUP, key, 0xC0000001);
        }
        testing_support::Pump(100);
        focusAfterKeys = ::GetFocus();
        openAfterKeys = ::IsWindow(swatch) != FALSE;
      },
      [&](HWND) {
        // Alt held: bit 29 of the key data.
        ::PostMessageW(swatch, WM_SYSKEYDOWN, VK_F4, 0x20000001);
        testing_support::Pump(200);
      },
      [&](HWND) { ADD_FAILURE() << "Alt+F4 left the dialog open"; },
  });
  EXPECT_EQ(focusAfterKeys, swatch);
  EXPECT_TRUE(openAfterKeys);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(CountNotifications(IDOK, 0), 0);
  EXPECT_EQ(CountNotifications(IDCANCEL, 0), 0);
  EXPECT_TRUE(std::any_of(Seen().begin(), Seen().end(), [](const SeenMessage& m) {
    return m.message == WM_SYSCOMMAND && (m.wParam & 0xFFF0) == SC_CLOSE;
  }));
}

// Where the system counts no GDI objects (Wine), the pictures show their
// release this way: a run whose swatches were never released would leave
// the next runs without room for theirs. From the third run on the callback
// claims the last message for itself, which must not keep them either.
TEST(ColorSwatch, EveryRunGetsSevenWhiteSwatches) {
  for (int run = 1; run <= 6; ++run) {
    if (run >= 3) {
      testing_support::Answer = [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
        return message == WM_NCDESTROY ? 1 : 0;
      };
    }
    int white = 0;
    RunMainDialogScript({[&](HWND dialog) {
      for (int id : kSwatches) white += InsideColor(::GetDlgItem(dialog, id)) == kWhite;
      FillSwatch(dialog, IDC_BAND1_COLOR, kRed);
    }});
    EXPECT_EQ(white, 7) << "run " << run;
  }
}

TEST(ColorSwatch, PicturesAreReleasedWithTheDialog) {
  const DWORD before = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  DWORD during = 0;
  RunMainDialogScript({[&](HWND dialog) {
    FillSwatch(dialog, IDC_BAND1_COLOR, kRed);
    during = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  }});
  const DWORD after = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
  if (during == 0) GTEST_SKIP() << "this system does not count GDI objects (Wine)";
  EXPECT_GT(during, before);
  EXPECT_EQ(after, before);
}

}  // namespace
