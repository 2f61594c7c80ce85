#include "tests/ui/dialog_script.h"

#include "ui/main_dialog.h"

namespace testing_support {

std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> Answer;

namespace {

std::vector<SeenMessage> SeenMessages;
std::vector<Step> Steps;
std::size_t NextStep;
HWND Dialog;
int Ticks;
bool WatchdogFired;
constexpr int kTickMs = 25;
constexpr int kWatchdogTicks = 15000 / kTickMs;

LRESULT RecordingCallback(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) Dialog = dialog;
  SeenMessages.push_back(
      {message, wParam, lParam, dialog && ::IsWindowVisible(dialog) != FALSE, ::GetFocus()});
  return Answer ? Answer(dialog, message, wParam, lParam) : 0;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  static bool busy = false;
  if (busy || !Dialog || !::IsWindow(Dialog)) return;
  busy = true;
  if (++Ticks > kWatchdogTicks) {
    WatchdogFired = true;
    EndModalDialog(Dialog, -1);
  } else if (NextStep < Steps.size()) {
    Steps[NextStep++](Dialog);
  } else if (NextStep == Steps.size()) {
    ++NextStep;
    ::SendMessageW(Dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  }
  busy = false;
}

}  // namespace

int RunMainDialogScript(const std::vector<Step>& steps) {
  SeenMessages.clear();
  Steps = steps;
  NextStep = 0;
  Dialog = nullptr;
  Ticks = 0;
  WatchdogFired = false;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, kTickMs, &Tick);
  const int result = ShowMainDialogWith(nullptr, &RecordingCallback);
  ::KillTimer(nullptr, timer);
  Answer = nullptr;
  // A WM_QUIT or timer message of this run must not reach the next.
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
  }
  return result;
}

const std::vector<SeenMessage>& Seen() { return SeenMessages; }

bool TimedOut() { return WatchdogFired; }

void Pump(int ms) {
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
  MSG msg;
  while (static_cast<int>(end - ::GetTickCount()) > 0) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_TIMER) continue;  // steps do not nest
      if (!Dialog || !::IsDialogMessageW(Dialog, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
      }
    }
    ::Sleep(1);
  }
}

void ClickCentre(HWND window, bool twice) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  INPUT inputs[4] = {};
  for (INPUT& input : inputs) input.type = INPUT_MOUSE;
  inputs[0].mi.dwFlags = inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[1].mi.dwFlags = inputs[3].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(twice ? 4 : 2, inputs, sizeof(INPUT));
  Pump(100);
}

}  // namespace testing_support
