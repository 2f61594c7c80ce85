#include "ui/color_picker.h"

#include <commdlg.h>

#ifndef _WIN64
static_assert(sizeof(CHOOSECOLORA) == 36, "the colour dialog's record of the 32-bit program");
#endif

namespace {

// A coordinate that asks for the default place: beside the owner's corner.
constexpr LONG kDefaultPosition = static_cast<LONG>(0x80000000u);
constexpr int kOffsetFromOwner = 30;

// What PickColor asks of the hook, travelling through lCustData.
struct PlacementRequest {
  HWND owner;
  LONG x;
  LONG y;
};

// The colour dialog is modal and its owner disabled while it is open, so one
// pick runs at a time and one flag is enough.
bool Accepted = false;

int FloorHalf(LONG value) { return static_cast<int>(value >= 0 ? value / 2 : -((1 - value) / 2)); }

// Where the dialog goes when the owner's rectangle cannot be read: the centre
// of the work area, or the screen's corner when that fails too.
POINT CentredOnWorkArea(HWND colorDialog) {
  RECT work;
  RECT own;
  if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0) ||
      !::GetWindowRect(colorDialog, &own)) {
    return POINT{0, 0};
  }
  return POINT{FloorHalf(work.right) - FloorHalf(own.right - own.left),
               FloorHalf(work.bottom) - FloorHalf(own.bottom - own.top)};
}

POINT PlaceFor(HWND colorDialog, const PlacementRequest& request) {
  if (request.x != kDefaultPosition || request.y != kDefaultPosition) {
    return POINT{request.x, request.y};
  }
  RECT owner;
  if (!::GetWindowRect(request.owner, &owner)) return CentredOnWorkArea(colorDialog);
  return POINT{owner.left + kOffsetFromOwner, owner.top + kOffsetFromOwner};
}

UINT_PTR CALLBACK ColorHook(HWND colorDialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const auto* record = reinterpret_cast<const CHOOSECOLORA*>(lParam);
    const auto* request = reinterpret_cast<const PlacementRequest*>(record->lCustData);
    const POINT place = PlaceFor(colorDialog, *request);
    ::SetWindowPos(colorDialog, nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetForegroundWindow(colorDialog);
  } else if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
    Accepted = true;
  }
  return 0;
}

}  // namespace

std::int32_t PickColor(HWND owner, COLORREF initial, COLORREF* customColors) {
  Accepted = false;
  PlacementRequest request{owner, kDefaultPosition, kDefaultPosition};
  CHOOSECOLORA record{};
  record.lStructSize = sizeof(record);
  record.hwndOwner = owner;
  record.hInstance = nullptr;
  record.rgbResult = initial & 0x00FFFFFF;
  record.lpCustColors = customColors;
  record.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ENABLEHOOK;
  record.lCustData = reinterpret_cast<LPARAM>(&request);
  record.lpfnHook = ColorHook;
  record.lpTemplateName = nullptr;
  ::ChooseColorA(&record);
  if (!Accepted) return -1;
  return static_cast<std::int32_t>(record.rgbResult & 0x00FFFFFF);
}
