#include "ui/dialog_behavior.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <type_traits>

#include "core/band_table.h"
#include "tests/ui/color_dialog_driver.h"
#include "ui/main_dialog.h"

namespace {

using ui_testing::CloseBy;
using ui_testing::ColorDialogAnswer;

// The rows as the dialog must have them, written down here independently.
struct Row {
  int label, list, swatch;
};
constexpr Row kRows[7] = {{1003, 1004, 1005}, {1007, 1006, 1008}, {1010, 1011, 1012},
                          {1013, 1009, 1014}, {1017, 1016, 1018}, {1019, 1020, 1021},
                          {1022, 1015, 1023}};
constexpr int kCountList = 1001;
constexpr int kCountLabel = 1002;
constexpr COLORREF kGrey = 0x00808080;
constexpr COLORREF kRed = 0x000000FF;
constexpr COLORREF kBlue = 0x00FF0000;

struct WindowCloser {
  void operator()(HWND window) const { ::DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;

// ---- Running the real dialog ------------------------------------------------

std::function<void(HWND)> Body;

BOOL CALLBACK MatchMainDialog(HWND window, LPARAM found) {
  wchar_t title[32] = {};
  ::InternalGetWindowText(window, title, 32);  // asks no thread
  if (std::wstring(title) != L"Bandas de colores") return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND FindMainDialog(DWORD thread) {
  HWND found = nullptr;
  ::EnumThreadWindows(thread, MatchMainDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (HWND dialog = FindMainDialog(::GetCurrentThreadId())) {
    Body(dialog);
    ::SendMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
}

// Runs ShowMainDialog and `body` on its thread from a timer tick inside the
// modal loop, then closes the dialog as the close box does. A watchdog ends a
// run that is still going after 30 s, so nothing hangs.
void RunMainDialog(std::function<void(HWND)> body) {
  Body = std::move(body);
  const DWORD thread = ::GetCurrentThreadId();
  std::atomic<bool> done{false};
  std::atomic<bool> timedOut{false};
  std::thread watchdog([&] {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done && std::chrono::steady_clock::now() < deadline) ::Sleep(20);
    // Past the deadline, every colour dialog that comes is refused and the
    // main dialog told to close until the run is over.
    while (!done) {
      timedOut = true;
      if (HWND colour = ui_testing::FindColorDialog(thread)) {
        ::PostMessageW(colour, WM_COMMAND, IDCANCEL, 0);
      }
      if (HWND dialog = FindMainDialog(thread)) {
        ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      ::Sleep(200);
    }
  });
  ::SetTimer(nullptr, 0, 1, Tick);
  EXPECT_EQ(ShowMainDialog(nullptr), 0);
  done = true;
  watchdog.join();
  EXPECT_FALSE(timedOut) << "the dialog had to be closed by the watchdog";
}

// ---- What a user does, as the controls report it ---------------------------

void Notify(HWND dialog, int id, int code) {
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                 reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void Choose(HWND dialog, int list, int item, int code = CBN_SELCHANGE) {
  ::SendMessageW(::GetDlgItem(dialog, list), CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  Notify(dialog, list, code);
}

void ChooseCount(HWND dialog, int count) { Choose(dialog, kCountList, count - 2); }
void ChooseWidth(HWND dialog, int row, int width) {
  Choose(dialog, kRows[row - 1].list, width - 2);
}

void ClickSwatch(HWND dialog, int row) {
  HWND swatch = ::GetDlgItem(dialog, kRows[row - 1].swatch);
  ::SendMessageW(swatch, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageW(swatch, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

// ---- What the dialog shows ---------------------------------------------------

std::wstring TextOf(HWND dialog, int id) {
  wchar_t text[64] = {};
  ::GetWindowTextW(::GetDlgItem(dialog, id), text, 64);
  return text;
}

// One character per row, '1' enabled and '0' disabled.
std::string Enabled(HWND dialog, int Row::*control) {
  std::string rows;
  for (const Row& row : kRows)
    rows += ::IsWindowEnabled(::GetDlgItem(dialog, row.*control)) ? '1' : '0';
  return rows;
}

std::string EnabledRows(int count) { return std::string(count, '1') + std::string(7 - count, '0'); }

COLORREF SwatchColour(HWND dialog, int row) {
  HWND swatch = ::GetDlgItem(dialog, kRows[row - 1].swatch);
  HDC dc = ::GetDC(swatch);
  const COLORREF colour = ::GetPixel(dc, 10, 10);
  ::ReleaseDC(swatch, dc);
  return colour;
}

// ---- After start ---------------------------------------------------------------

TEST(DialogStart, ShowsTwoBandsOfFivePixelsOnWhiteSwatchesWithTheTableAtItsDefaults) {
  // Whatever the table held, the dialog starts from the defaults.
  SetBandCount(6);
  SetBandWidth(3, 44);
  SetBandColor(7, kRed);
  RunMainDialog([](HWND dialog) {
    EXPECT_EQ(TextOf(dialog, kCountList), L"2 colores");
    HWND countList = ::GetDlgItem(dialog, kCountList);
    ASSERT_EQ(::SendMessageW(countList, CB_GETCOUNT, 0, 0), 6);
    for (int row = 1; row <= 7; ++row) {
      SCOPED_TRACE(row);
      EXPECT_EQ(TextOf(dialog, kRows[row - 1].list), L"05 px");
      EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, kRows[row - 1].list), CB_GETCOUNT, 0, 0), 49);
      EXPECT_EQ(SwatchColour(dialog, row), 0x00FFFFFFu);
      EXPECT_EQ(GetBand(row).color, kGrey);
      EXPECT_EQ(GetBand(row).width, 5);
    }
    EXPECT_EQ(GetBandCount(), 2);
    EXPECT_EQ(Enabled(dialog, &Row::list), "1100000");
    EXPECT_EQ(Enabled(dialog, &Row::swatch), "1100000");
    EXPECT_EQ(Enabled(dialog, &Row::label), "1111111");
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, kCountLabel)));
  });
}

TEST(DialogStart, ListsHoldTheCountsAndWidthsInOrder) {
  RunMainDialog([](HWND dialog) {
    auto item = [dialog](int id, int index) {
      wchar_t text[32] = {};
      ::SendMessageW(::GetDlgItem(dialog, id), CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text));
      return std::wstring(text);
    };
    for (int n = 2; n <= 7; ++n)
      EXPECT_EQ(item(kCountList, n - 2), std::to_wstring(n) + L" colores");
    for (const Row& row : kRows) {
      for (int w = 2; w <= 50; ++w) {
        const std::wstring number = (w < 10 ? L"0" : L"") + std::to_wstring(w);
        EXPECT_EQ(item(row.list, w - 2), number + L" px");
      }
    }
  });
}

// ---- The band count --------------------------------------------------------------

class BandCountTest : public ::testing::TestWithParam<int> {};

TEST_P(BandCountTest, EnablesTheRowsUpToTheCount) {
  const int count = GetParam();
  RunMainDialog([count](HWND dialog) {
    // From all seven rows down, and from two up, to see both directions.
    ChooseCount(dialog, 7);
    ChooseCount(dialog, count);
    EXPECT_EQ(GetBandCount(), count);
    EXPECT_EQ(Enabled(dialog, &Row::list), EnabledRows(count));
    EXPECT_EQ(Enabled(dialog, &Row::swatch), EnabledRows(count));
    ChooseCount(dialog, 2);
    ChooseCount(dialog, count);
    EXPECT_EQ(Enabled(dialog, &Row::list), EnabledRows(count));
    EXPECT_EQ(Enabled(dialog, &Row::swatch), EnabledRows(count));
    EXPECT_EQ(Enabled(dialog, &Row::label), "1111111");
  });
}

INSTANTIATE_TEST_SUITE_P(Counts, BandCountTest, ::testing::Range(2, 8));

TEST(BandCount, LoweringItKeepsTheWidthsOfTheRowsItDisables) {
  RunMainDialog([](HWND dialog) {
    ChooseCount(dialog, 7);
    ChooseWidth(dialog, 6, 40);
    ChooseCount(dialog, 3);
    EXPECT_EQ(Enabled(dialog, &Row::list), "1110000");
    EXPECT_EQ(GetBand(6).width, 40);
    EXPECT_EQ(TextOf(dialog, kRows[5].list), L"40 px");
  });
}

TEST(BandCount, NoSelectionGivesZeroAndLeavesTheRowsAsTheyWere) {
  RunMainDialog([](HWND dialog) {
    ChooseCount(dialog, 4);
    Choose(dialog, kCountList, -1);
    EXPECT_EQ(GetBandCount(), 0);
    EXPECT_EQ(Enabled(dialog, &Row::list), "1111000");
    for (std::int16_t odd : {0, 1, 8, -1, 32767}) {
      ApplyBandCount(dialog, odd);
      EXPECT_EQ(Enabled(dialog, &Row::list), "1111000") << odd;
      EXPECT_EQ(Enabled(dialog, &Row::swatch), "1111000") << odd;
    }
    Choose(dialog, kRows[1].list, -1);
    EXPECT_EQ(GetBand(2).width, 0);
  });
}

// ---- Widths ------------------------------------------------------------------------

class WidthListTest : public ::testing::TestWithParam<int> {};

TEST_P(WidthListTest, SetsTheWidthOfItsOwnBandOnly) {
  const int row = GetParam();
  RunMainDialog([row](HWND dialog) {
    ChooseCount(dialog, 7);
    ChooseWidth(dialog, row, 12);
    for (int band = 1; band <= 7; ++band) {
      EXPECT_EQ(GetBand(band).width, band == row ? 12 : 5) << "band " << band;
    }
  });
}

// Row 4's list is 1009 and row 3's 1011: the identifiers are not in row order.
INSTANTIATE_TEST_SUITE_P(Rows, WidthListTest, ::testing::Range(1, 8));

TEST(Lists, EveryNotificationStoresTheSelectionAgain) {
  RunMainDialog([](HWND dialog) {
    int width = 2;
    for (int code : {CBN_KILLFOCUS, CBN_SETFOCUS, CBN_DROPDOWN, CBN_CLOSEUP, CBN_EDITCHANGE,
                     CBN_SELENDOK, 0x7777}) {
      SCOPED_TRACE(code);
      Choose(dialog, kCountList, 1, code);  // "3 colores"
      EXPECT_EQ(GetBandCount(), 3);
      Choose(dialog, kCountList, 4, code);  // "6 colores"
      EXPECT_EQ(GetBandCount(), 6);
      Choose(dialog, kRows[3].list, width - 2, code);
      EXPECT_EQ(GetBand(4).width, width);
      width += 7;
    }
  });
}

// ---- Colours -----------------------------------------------------------------------

TEST(SwatchClick, AcceptedColourGoesToTheBandAndTheSwatchAtOnce) {
  RunMainDialog([](HWND dialog) {
    RECT main;
    ::GetWindowRect(dialog, &main);
    ColorDialogAnswer first([](HWND colour) {
      ui_testing::TypeColor(colour, kRed);
      Close(colour, CloseBy::kOk);
    });
    ClickSwatch(dialog, 2);
    first.Finish();
    ASSERT_TRUE(first.seen());
    EXPECT_EQ(first.opened().rect.left, main.left + 30);
    EXPECT_EQ(first.opened().rect.top, main.top + 30);
    EXPECT_TRUE(first.opened().fullyOpen);
    EXPECT_EQ(RGB(first.opened().red, first.opened().green, first.opened().blue), kGrey);
    EXPECT_EQ(GetBand(2).color, kRed);
    EXPECT_EQ(SwatchColour(dialog, 2), kRed);  // no message pumped since
    EXPECT_EQ(SwatchColour(dialog, 1), 0x00FFFFFFu);
    EXPECT_EQ(GetBand(1).color, kGrey);

    // The picker starts on grey again, not on the band's colour; a double
    // click's second press picks as well.
    ColorDialogAnswer second([](HWND colour) {
      ui_testing::TypeColor(colour, 0);
      Close(colour, CloseBy::kOk);
    });
    Notify(dialog, kRows[1].swatch, STN_DBLCLK);
    second.Finish();
    ASSERT_TRUE(second.seen());
    EXPECT_EQ(RGB(second.opened().red, second.opened().green, second.opened().blue), kGrey);
    EXPECT_EQ(GetBand(2).color, 0u);
    EXPECT_EQ(SwatchColour(dialog, 2), 0u);
  });
}

class NoColourTest : public ::testing::TestWithParam<CloseBy> {};

TEST_P(NoColourTest, LeavesTheBandAndTheSwatchAsTheyWere) {
  const CloseBy how = GetParam();
  RunMainDialog([how](HWND dialog) {
    ChooseCount(dialog, 4);
    ColorDialogAnswer blue([](HWND colour) {
      ui_testing::TypeColor(colour, kBlue);
      Close(colour, CloseBy::kOk);
    });
    ClickSwatch(dialog, 3);
    blue.Finish();
    ColorDialogAnswer refuse([how](HWND colour) {
      ui_testing::TypeColor(colour, kRed);
      Close(colour, how);
    });
    ClickSwatch(dialog, 3);
    refuse.Finish();
    ASSERT_TRUE(refuse.seen());
    EXPECT_FALSE(refuse.leftOpen());
    EXPECT_EQ(GetBand(3).color, kBlue);
    EXPECT_EQ(SwatchColour(dialog, 3), kBlue);
  });
}

INSTANTIATE_TEST_SUITE_P(Ways, NoColourTest,
                         ::testing::Values(CloseBy::kCancel, CloseBy::kEscape, CloseBy::kCloseBox),
                         [](const ::testing::TestParamInfo<CloseBy>& info) {
                           return std::string(ui_testing::NameOf(info.param));
                         });

constexpr COLORREF kDefined = 0x00305070;

TEST(SwatchClick, ACustomColourDefinedForOneBandIsOfferedForAnother) {
  RunMainDialog([](HWND dialog) {
    ColorDialogAnswer define([](HWND colour) {
      ui_testing::TypeColor(colour, kDefined);
      ui_testing::AddCustomColor(colour);
      Close(colour, CloseBy::kCancel);
    });
    ClickSwatch(dialog, 1);
    define.Finish();
    ChooseCount(dialog, 5);
    ColorDialogAnswer reuse([](HWND colour) {
      ui_testing::ClickFirstCustomCell(colour);
      Close(colour, CloseBy::kOk);
    });
    ClickSwatch(dialog, 5);
    reuse.Finish();
    ASSERT_TRUE(reuse.seen());
    EXPECT_EQ(GetBand(5).color, kDefined);
    EXPECT_EQ(GetBand(1).color, kGrey);
  });
}

TEST(SwatchClick, EnablingAndDisablingSwatchesNeverOpensTheColourDialog) {
  RunMainDialog([](HWND dialog) {
    ColorDialogAnswer watch([](HWND colour) { Close(colour, CloseBy::kCancel); });
    for (int count : {7, 2, 5, 3, 7, 2}) ChooseCount(dialog, count);
    for (const Row& row : kRows) {
      Notify(dialog, row.swatch, STN_ENABLE);
      Notify(dialog, row.swatch, STN_DISABLE);
    }
    watch.Finish();
    EXPECT_FALSE(watch.seen());
  });
}

// ---- Focus and results ---------------------------------------------------------------

TEST(Focus, IsGivenBackToTheControlThatHadItWhenTheDialogIsActivatedAgain) {
  RunMainDialog([](HWND dialog) {
    ::SetFocus(::GetDlgItem(dialog, kRows[1].list));
    HWND had = ::GetFocus();
    ASSERT_NE(had, nullptr);
    Window other(::CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                                   400, 400, 200, 100, nullptr, nullptr, nullptr, nullptr));
    ::SetActiveWindow(other.get());
    EXPECT_NE(::GetFocus(), had);
    ::SetActiveWindow(dialog);
    EXPECT_EQ(::GetFocus(), had);

    // The dialog's own handling alone, whatever the dialog manager restores:
    // deactivation remembers the focus, activation gives it back once.
    ::SendMessageW(dialog, WM_NCACTIVATE, FALSE, 0);
    HWND countList = ::GetDlgItem(dialog, kCountList);
    ::SetFocus(countList);
    ::SendMessageW(dialog, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(::GetFocus(), had);
    ::SetFocus(countList);
    HWND now = ::GetFocus();
    ::SendMessageW(dialog, WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(::GetFocus(), now);
  });
}

TEST(Results, AreZeroForEveryMessage) {
  RunMainDialog([](HWND dialog) {
    EXPECT_EQ(MainDialogProc(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(dialog), 0), 0);
    EXPECT_EQ(MainDialogProc(dialog, WM_COMMAND, MAKEWPARAM(kCountList, CBN_SELCHANGE), 0), 0);
    EXPECT_EQ(MainDialogProc(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0), 0);
    EXPECT_EQ(MainDialogProc(dialog, WM_NCACTIVATE, TRUE, 0), 0);
    EXPECT_EQ(MainDialogProc(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(268, 303)), 0);
    EXPECT_EQ(MainDialogProc(dialog, WM_USER + 5, 1, 2), 0);
  });
}

// ---- ReadListNumber on lists of its own ------------------------------------------------

struct ReadCase {
  const wchar_t* text;
  int characters;
  int number;
};

void PrintTo(const ReadCase& c, std::ostream* out) {
  *out << c.number << " from " << c.characters << " characters";
}

class ReadListNumberTest : public ::testing::TestWithParam<ReadCase> {
 protected:
  Window list_{::CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWN, 0, 0, 120, 65,
                                 nullptr, nullptr, nullptr, nullptr)};
};

TEST_P(ReadListNumberTest, ReadsTheSelectedItem) {
  const ReadCase& c = GetParam();
  ASSERT_NE(list_.get(), nullptr);
  ::SendMessageW(list_.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"99 other"));
  const LRESULT item =
      ::SendMessageW(list_.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(c.text));
  ::SendMessageW(list_.get(), CB_SETCURSEL, static_cast<WPARAM>(item), 0);
  // What is typed into the edit field is never read.
  ::SetWindowTextW(list_.get(), L"42");
  EXPECT_EQ(ReadListNumber(list_.get(), c.characters), c.number);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadListNumberTest,
    ::testing::Values(ReadCase{L"2 colores", 1, 2}, ReadCase{L"7 colores", 1, 7},
                      ReadCase{L"02 px", 2, 2}, ReadCase{L"05 px", 2, 5}, ReadCase{L"50 px", 2, 50},
                      ReadCase{L"12 px", 1, 1},       // only the characters asked for
                      ReadCase{L"7", 5, 7},           // fewer than asked
                      ReadCase{L" \t\r\n8 x", 6, 8},  // leading blanks skipped
                      ReadCase{L"px 12", 5, 0}, ReadCase{L"", 2, 0}, ReadCase{L"   ", 3, 0},
                      ReadCase{L"2.5", 3, 2}, ReadCase{L"3.5", 3, 4},  // ties to even
                      ReadCase{L"2.51", 4, 3}, ReadCase{L"-7 px", 2, -7},
                      ReadCase{L"99999999999999999999", 20, 32767},  // held in 16 bits
                      ReadCase{L"-99999999999999999999", 21, -32768}));

TEST(ReadListNumber, WithoutASelectionGivesZero) {
  Window list(::CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWN, 0, 0, 120, 65,
                                nullptr, nullptr, nullptr, nullptr));
  ::SendMessageW(list.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"12 px"));
  ::SetWindowTextW(list.get(), L"33");
  EXPECT_EQ(ReadListNumber(list.get(), 2), 0);
}

TEST(ReadListNumber, ALongItemIsReadSafely) {
  Window list(::CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWN, 0, 0, 120, 65,
                                nullptr, nullptr, nullptr, nullptr));
  const std::wstring text = L"17" + std::wstring(5000, L'9');
  ::SendMessageW(list.get(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  ::SendMessageW(list.get(), CB_SETCURSEL, 0, 0);
  EXPECT_EQ(ReadListNumber(list.get(), 2), 17);
  EXPECT_EQ(ReadListNumber(list.get(), 6000), 32767);
}

}  // namespace
