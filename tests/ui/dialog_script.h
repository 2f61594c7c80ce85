#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "ui/dialog_host.h"

namespace testing_support {

// One message as the callback saw it, and whether the dialog was visible.
struct SeenMessage {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  bool visible;
  HWND focus;
};

using Step = std::function<void(HWND dialog)>;

// Runs the main dialog with a recording callback. Each step runs on its own
// timer tick inside the modal loop, one message loop turn or more after the
// previous; after the last step the dialog gets SC_CLOSE. If the run is
// still going after 15 s it is ended, so no test hangs. Returns the result.
int RunMainDialogScript(const std::vector<Step>& steps);

// What the callback has seen in the last run, and its answers: a message for
// which `Answer` returns non-zero is marked handled with that value.
const std::vector<SeenMessage>& Seen();
extern std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)> Answer;

// True when the run ended by the watchdog instead of the script.
bool TimedOut();

// Pumps the thread's messages for about `ms` milliseconds inside a step.
void Pump(int ms);

// A mouse click by real input at the centre of the window.
void ClickCentre(HWND window, bool twice = false);

}  // namespace testing_support
