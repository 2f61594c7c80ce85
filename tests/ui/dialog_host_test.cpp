#include "ui/dialog_host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "tests/ui/dialog_script.h"
#include "ui/controls.h"

namespace {

using testing_support::Answer;
using testing_support::RunMainDialogScript;
using testing_support::Seen;
using testing_support::SeenMessage;
using testing_support::Step;

int CountOf(UINT message) {
  return static_cast<int>(
      std::count_if(Seen().begin(), Seen().end(),
                    [message](const SeenMessage& m) { return m.message == message; }));
}

bool IsNotification(const SeenMessage& m, int id, int code) {
  return m.message == WM_COMMAND && LOWORD(m.wParam) == id && HIWORD(m.wParam) == code;
}

TEST(DialogHost, CallbackHearsInitialisationThenSizeWhileHidden) {
  HWND dialog = nullptr;
  RunMainDialogScript({[&](HWND d) { dialog = d; }});
  ASSERT_GE(Seen().size(), 2u);
  const SeenMessage& init = Seen()[0];
  const SeenMessage& size = Seen()[1];
  EXPECT_EQ(init.message, static_cast<UINT>(WM_INITDIALOG));
  EXPECT_EQ(init.wParam, reinterpret_cast<WPARAM>(dialog));
  EXPECT_EQ(init.lParam, 0);
  EXPECT_FALSE(init.visible);
  EXPECT_EQ(size.message, static_cast<UINT>(WM_SIZE));
  EXPECT_EQ(size.wParam, static_cast<WPARAM>(SIZE_RESTORED));
  EXPECT_EQ(LOWORD(size.lParam), 268);
  EXPECT_EQ(HIWORD(size.lParam), 303);
  EXPECT_FALSE(size.visible);
  // The dialog manager's own initialisation and the activations stay with
  // the host, though the dialog was shown and activated.
  EXPECT_EQ(CountOf(WM_INITDIALOG), 1);
  EXPECT_EQ(CountOf(WM_ACTIVATE), 0);
  EXPECT_GT(CountOf(WM_NCACTIVATE) + CountOf(WM_SHOWWINDOW), 0);
}

TEST(DialogHost, NotificationsDuringInitialisationDoNotReachTheCallback) {
  Answer = [](HWND dialog, UINT message, WPARAM, LPARAM) -> LRESULT {
    if (message == WM_INITDIALOG) {
      // A swatch reports being disabled; a list reports a change.
      ::EnableWindow(::GetDlgItem(dialog, IDC_BAND3_COLOR), FALSE);
      ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_BAND_COUNT, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_BAND_COUNT)));
    }
    return 0;
  };
  RunMainDialogScript({[](HWND dialog) {
    // The same reports once the callback is installed do reach it.
    ::EnableWindow(::GetDlgItem(dialog, IDC_BAND3_COLOR), TRUE);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_BAND_COUNT, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_BAND_COUNT)));
  }});
  const auto& seen = Seen();
  EXPECT_TRUE(std::none_of(seen.begin(), seen.end(), [](const SeenMessage& m) {
    return IsNotification(m, IDC_BAND3_COLOR, STN_DISABLE);
  }));
  EXPECT_EQ(std::count_if(seen.begin(), seen.end(),
                          [](const SeenMessage& m) {
                            return IsNotification(m, IDC_BAND_COUNT, CBN_SELCHANGE);
                          }),
            1);
  EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](const SeenMessage& m) {
    return IsNotification(m, IDC_BAND3_COLOR, STN_ENABLE);
  }));
}

DWORD WINAPI SendCloseFromOutside(void* dialog) {
  DWORD_PTR answer = 0;
  ::SendMessageTimeoutW(static_cast<HWND>(dialog), WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &answer);
  return 0;
}

struct Intrusion {
  const char* name;
  Step act;
  UINT reaches;  // what the callback hears of it, so it did arrive; 0: nothing
  WPARAM reachesWParam;
};

void PrintTo(const Intrusion& intrusion, std::ostream* out) { *out << intrusion.name; }

class DialogStaysOpen : public testing::TestWithParam<Intrusion> {};

TEST_P(DialogStaysOpen, After) {
  bool openAfter = false;
  RunMainDialogScript({
      [](HWND dialog) { ::SetFocus(::GetDlgItem(dialog, IDC_BAND_COUNT)); },
      GetParam().act,
      [](HWND) { testing_support::Pump(100); },
      [&](HWND dialog) { openAfter = ::IsWindowVisible(dialog) != FALSE; },
  });
  EXPECT_TRUE(openAfter);
  EXPECT_FALSE(testing_support::TimedOut());
  EXPECT_TRUE(std::none_of(Seen().begin(), Seen().end(), [](const SeenMessage& m) {
    return IsNotification(m, IDC_CREATE, BN_CLICKED);
  }));
  if (GetParam().reaches) {
    EXPECT_TRUE(std::any_of(Seen().begin(), Seen().end(), [](const SeenMessage& m) {
      return m.message == GetParam().reaches && m.wParam == GetParam().reachesWParam;
    }));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Intrusions, DialogStaysOpen,
    testing::Values(Intrusion{"Escape",
                              [](HWND) {
                                HWND focus = ::GetFocus();
                                ::PostMessageW(focus, WM_KEYDOWN, VK_ESCAPE, 1);
                                ::PostMessageW(focus, WM_KEYUP, VK_ESCAPE, 0xC0000001);
                              },
                              WM_COMMAND, IDCANCEL},
                    Intrusion{"CloseFromAnotherThread",
                              [](HWND dialog) {
                                HANDLE thread = ::CreateThread(nullptr, 0, &SendCloseFromOutside,
                                                               dialog, 0, nullptr);
                                // The send is answered by the modal loop, here pumped.
                                const DWORD end = ::GetTickCount() + 5000;
                                while (::WaitForSingleObject(thread, 0) == WAIT_TIMEOUT &&
                                       static_cast<int>(end - ::GetTickCount()) > 0) {
                                  testing_support::Pump(10);
                                }
                                ::CloseHandle(thread);
                              },
                              WM_CLOSE, 0},
                    Intrusion{"QuitMessage", [](HWND) { ::PostQuitMessage(0); }, 0, 0},
                    // No control is the default button: Enter in a list presses nothing.
                    Intrusion{"EnterInAList",
                              [](HWND) {
                                HWND focus = ::GetFocus();
                                ::PostMessageW(focus, WM_KEYDOWN, VK_RETURN, 1);
                                ::PostMessageW(focus, WM_KEYUP, VK_RETURN, 0xC0000001);
                              },
                              WM_COMMAND, IDOK}),
    [](const testing::TestParamInfo<Intrusion>& info) { return info.param.name; });

TEST(DialogHost, CloseCommandEndsTheRunWithZeroAfterTheClosingMessages) {
  const int result = RunMainDialogScript({});  // the script ends with SC_CLOSE
  EXPECT_EQ(result, 0);
  EXPECT_FALSE(testing_support::TimedOut());
  const UINT order[] = {WM_SYSCOMMAND, WM_CLOSE, WM_DESTROY, WM_NCDESTROY};
  std::size_t next = 0;
  for (const SeenMessage& m : Seen()) {
    if (next < 4 && m.message == order[next] &&
        (m.message != WM_SYSCOMMAND || (m.wParam & 0xFFF0) == SC_CLOSE)) {
      ++next;
    }
  }
  EXPECT_EQ(next, 4u);
  EXPECT_EQ(Seen().back().message, static_cast<UINT>(WM_NCDESTROY));
}

TEST(DialogHost, EndModalDialogHandsItsResultBack) {
  EXPECT_EQ(RunMainDialogScript({[](HWND dialog) { EndModalDialog(dialog, 7); }}), 7);
  EXPECT_FALSE(testing_support::TimedOut());
}

TEST(DialogHost, NonZeroCallbackResultIsTheMessageResult) {
  constexpr UINT kAsk = WM_APP + 1, kAskPreset = WM_APP + 2;
  Answer = [](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message == kAskPreset) ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 3);
    return message == kAsk || message == kAskPreset ? static_cast<LRESULT>(wParam) : 0;
  };
  LRESULT first = 0, second = 0, preset = 0;
  LONG_PTR stored = 0;
  RunMainDialogScript({[&](HWND dialog) {
    first = ::SendMessageW(dialog, kAsk, 5, 0);
    stored = ::GetWindowLongPtrW(dialog, DWLP_MSGRESULT);
    second = ::SendMessageW(dialog, kAsk, 9, 0);
    // A result the callback stored itself is kept.
    preset = ::SendMessageW(dialog, kAskPreset, 1, 0);
  }});
  EXPECT_EQ(first, 5);
  EXPECT_EQ(stored, 5);
  EXPECT_EQ(second, 9);
  EXPECT_EQ(preset, 3);
}

LRESULT CountingCallback(HWND dialog, UINT message, WPARAM, LPARAM) {
  static int calls = 0;
  if (!dialog) ++calls;
  return message == WM_APP ? calls : 0;
}

TEST(DialogHost, RunWithoutWindowMakesTheTwoCallsAndReturns) {
  int result = 0;
  RunDialogModal(nullptr, &CountingCallback, &result);
  EXPECT_EQ(CountingCallback(reinterpret_cast<HWND>(1), WM_APP, 0, 0), 2);
  EXPECT_EQ(result, 0);
}

}  // namespace
