#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <ostream>
#include <thread>

// The system colour dialog answered the way a user would, from a helper
// thread while the thread under test sits in its modal loop.
namespace ui_testing {

// Control identifiers of the colour dialog, as seen under Wine.
constexpr int kRedField = 706;
constexpr int kGreenField = 707;
constexpr int kBlueField = 708;
constexpr int kColorGraph = 0x2c6;
constexpr int kAddCustomColor = 0x2c8;
constexpr int kDefineCustomColors = 0x2cf;
constexpr int kCustomColorCells = 0x2d1;

struct ColorDialogView {
  RECT rect;
  int red, green, blue;
  bool fullyOpen;  // the custom-colour section already expanded
};

enum class CloseBy { kOk, kCancel, kEscape, kCloseBox };
const char* NameOf(CloseBy how);
inline void PrintTo(CloseBy how, std::ostream* out) { *out << NameOf(how); }

ColorDialogView Look(HWND colorDialog);
void TypeColor(HWND colorDialog, COLORREF color);
void AddCustomColor(HWND colorDialog);
// Clicks the first custom-colour cell (where the first added colour goes).
void ClickFirstCustomCell(HWND colorDialog);
void Close(HWND colorDialog, CloseBy how);

// Waits on a helper thread for the next colour dialog of the thread that made
// this object, looks at it, runs `answer` on it and makes sure it is closed.
// Every wait is bounded: a dialog the answer leaves open is cancelled.
class ColorDialogAnswer {
 public:
  explicit ColorDialogAnswer(std::function<void(HWND)> answer, DWORD waitMs = 10000);
  ~ColorDialogAnswer();
  ColorDialogAnswer(const ColorDialogAnswer&) = delete;
  ColorDialogAnswer& operator=(const ColorDialogAnswer&) = delete;

  // Ends the wait early and joins; then the results below are stable.
  void Finish();
  bool seen() const { return seen_; }
  bool leftOpen() const { return leftOpen_; }
  // The dialog as it was when it first showed.
  const ColorDialogView& opened() const { return opened_; }

 private:
  void Run();

  DWORD thread_;
  std::function<void(HWND)> answer_;
  DWORD waitMs_;
  std::atomic<bool> stop_{false};
  bool seen_ = false;
  bool leftOpen_ = false;
  ColorDialogView opened_{};
  std::thread helper_;
};

// The colour dialog of `thread` now on screen, or null.
HWND FindColorDialog(DWORD thread);

}  // namespace ui_testing
