#include "tests/ui/color_dialog_driver.h"

#include <chrono>
#include <cwchar>
#include <string>

namespace ui_testing {
namespace {

constexpr UINT kSendTimeoutMs = 5000;

LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
  return static_cast<LRESULT>(result);
}

int ReadField(HWND colorDialog, int id) {
  wchar_t text[16] = {};
  Send(::GetDlgItem(colorDialog, id), WM_GETTEXT, 16, reinterpret_cast<LPARAM>(text));
  return static_cast<int>(std::wcstol(text, nullptr, 10));
}

void WriteField(HWND colorDialog, int id, int value) {
  const std::wstring text = std::to_wstring(value);
  Send(::GetDlgItem(colorDialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

BOOL CALLBACK MatchColorDialog(HWND window, LPARAM found) {
  wchar_t className[16] = {};
  wchar_t title[16] = {};
  ::GetClassNameW(window, className, 16);
  // Not GetWindowTextW: it asks the window's thread, which may be busy in
  // the test and not reading its messages.
  ::InternalGetWindowText(window, title, 16);
  if (std::wstring(className) == L"#32770" && std::wstring(title) == L"Color" &&
      ::GetDlgItem(window, kRedField) != nullptr && ::IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindColorDialog(DWORD thread) {
  HWND found = nullptr;
  ::EnumThreadWindows(thread, MatchColorDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

ColorDialogView Look(HWND colorDialog) {
  ColorDialogView view{};
  ::GetWindowRect(colorDialog, &view.rect);
  view.red = ReadField(colorDialog, kRedField);
  view.green = ReadField(colorDialog, kGreenField);
  view.blue = ReadField(colorDialog, kBlueField);
  view.fullyOpen = ::IsWindowVisible(::GetDlgItem(colorDialog, kColorGraph)) &&
                   !::IsWindowEnabled(::GetDlgItem(colorDialog, kDefineCustomColors));
  return view;
}

void TypeColor(HWND colorDialog, COLORREF color) {
  WriteField(colorDialog, kRedField, GetRValue(color));
  WriteField(colorDialog, kGreenField, GetGValue(color));
  WriteField(colorDialog, kBlueField, GetBValue(color));
}

void AddCustomColor(HWND colorDialog) {
  Send(::GetDlgItem(colorDialog, kAddCustomColor), BM_CLICK, 0, 0);
}

void ClickFirstCustomCell(HWND colorDialog) {
  RECT cells;
  ::GetWindowRect(::GetDlgItem(colorDialog, kCustomColorCells), &cells);
  POINT point{cells.left + 2, cells.top + 2};
  ::ScreenToClient(colorDialog, &point);
  Send(colorDialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  Send(colorDialog, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

const char* NameOf(CloseBy how) {
  switch (how) {
    case CloseBy::kOk: return "Ok";
    case CloseBy::kCancel: return "Cancel";
    case CloseBy::kEscape: return "Escape";
    case CloseBy::kCloseBox: return "CloseBox";
  }
  return "?";
}

void Close(HWND colorDialog, CloseBy how) {
  switch (how) {
    case CloseBy::kOk: Send(::GetDlgItem(colorDialog, IDOK), BM_CLICK, 0, 0); break;
    case CloseBy::kCancel: Send(::GetDlgItem(colorDialog, IDCANCEL), BM_CLICK, 0, 0); break;
    case CloseBy::kEscape:
      ::PostMessageW(colorDialog, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
      ::PostMessageW(colorDialog, WM_KEYUP, VK_ESCAPE, 0xC0010001);
      break;
    case CloseBy::kCloseBox: ::PostMessageW(colorDialog, WM_SYSCOMMAND, SC_CLOSE, 0); break;
  }
}

ColorDialogAnswer::ColorDialogAnswer(std::function<void(HWND)> answer, DWORD waitMs)
    : thread_(::GetCurrentThreadId()), answer_(std::move(answer)), waitMs_(waitMs) {
  helper_ = std::thread([this] { Run(); });
}

ColorDialogAnswer::~ColorDialogAnswer() { Finish(); }

void ColorDialogAnswer::Finish() {
  stop_ = true;
  if (helper_.joinable()) helper_.join();
}

void ColorDialogAnswer::Run() {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs_);
  HWND dialog = nullptr;
  while (!stop_ && Clock::now() < deadline && (dialog = FindColorDialog(thread_)) == nullptr) {
    ::Sleep(5);
  }
  if (dialog == nullptr) return;
  seen_ = true;
  opened_ = Look(dialog);
  answer_(dialog);
  const auto closeBy = Clock::now() + std::chrono::seconds(5);
  while (::IsWindow(dialog) && Clock::now() < closeBy) ::Sleep(5);
  if (::IsWindow(dialog)) {
    leftOpen_ = true;
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  }
}

}  // namespace ui_testing
