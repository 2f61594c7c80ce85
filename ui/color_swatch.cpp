#include "ui/color_swatch.h"

#include "ui/controls.h"
#include "ui/gdi_handles.h"

namespace {

// The swatch's colour, kept in memory so that painting never depends on
// anything but the swatch itself. Members end in reverse order: the bitmap
// is selected out before it and the device context are deleted.
struct SwatchPicture {
  MemoryDc dc;
  Bitmap bitmap;
  Selection selection;
  int width = 0;
  int height = 0;
};

// A free slot has no window.
struct SwatchRecord {
  HWND dialog = nullptr;
  int id = 0;
  HWND window = nullptr;
  WNDPROC staticProc = nullptr;
  COLORREF background = 0;
  Brush brush;
  SwatchPicture picture;
};

// Room for the main dialog's seven and the colour dialog's time on screen;
// a record lives until its dialog's last message.
constexpr int kMaxSwatches = 16;
SwatchRecord Swatches[kMaxSwatches];

SwatchRecord* FindSwatch(HWND dialog, int id) {
  for (SwatchRecord& swatch : Swatches) {
    if (swatch.window && swatch.dialog == dialog && swatch.id == id) return &swatch;
  }
  return nullptr;
}

SwatchRecord* FindSwatchWindow(HWND window) {
  for (SwatchRecord& swatch : Swatches) {
    if (swatch.window && swatch.window == window) return &swatch;
  }
  return nullptr;
}

SwatchRecord* FreeSwatch() {
  for (SwatchRecord& swatch : Swatches) {
    if (!swatch.window) return &swatch;
  }
  return nullptr;
}

// Moved out and ended: the picture's bitmap is selected out before it and
// its device context are deleted, and the slot is free again.
void Release(SwatchRecord& swatch) {
  const SwatchRecord gone(std::move(swatch));
  swatch.window = nullptr;
  swatch.dialog = nullptr;
}

SwatchPicture MakePicture(HWND window, HBRUSH brush) {
  SwatchPicture picture;
  WindowDc screen(window);
  if (!screen) return picture;
  RECT client{};
  ::GetClientRect(window, &client);
  picture.dc = MemoryDc(::CreateCompatibleDC(screen.get()));
  picture.bitmap = Bitmap(::CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
  if (!picture.dc || !picture.bitmap) return SwatchPicture();
  picture.selection = Selection(picture.dc.get(), picture.bitmap.get());
  picture.width = client.right;
  picture.height = client.bottom;
  ::FillRect(picture.dc.get(), &client, brush);
  return picture;
}

void Repaint(const SwatchRecord& swatch, const RECT* area) {
  ::InvalidateRect(swatch.window, area, FALSE);
  ::UpdateWindow(swatch.window);
}

bool IsNavigationKey(WPARAM key) {
  return (key >= VK_F1 && key <= VK_F24) || (key >= VK_PRIOR && key <= VK_DOWN) ||
         key == VK_INSERT || key == VK_DELETE || key == VK_TAB || key == VK_RETURN ||
         key == VK_ESCAPE;
}

}  // namespace

HWND AddSwatch(HWND dialog, int id, int x, int y, int width, int height) {
  SwatchRecord* swatch = FreeSwatch();
  if (!swatch) return nullptr;
  HWND window =
      ::CreateWindowExW(0, ClassOf(ControlKind::kSwatch), L"", StyleOf(ControlKind::kSwatch), x, y,
                        width, height, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        ::GetModuleHandleW(nullptr), nullptr);
  if (!window) return nullptr;
  swatch->dialog = dialog;
  swatch->id = id;
  swatch->background = ::GetSysColor(COLOR_BTNFACE);
  swatch->brush = Brush(::CreateSolidBrush(swatch->background));
  swatch->picture = MakePicture(window, swatch->brush.get());
  swatch->staticProc = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SwatchProc)));
  swatch->window = window;
  return window;
}

void FillSwatch(HWND dialog, int id, COLORREF color) {
  SwatchRecord* swatch = FindSwatch(dialog, id);
  if (!swatch) return;
  Brush brush(::CreateSolidBrush(color));
  if (!brush) return;
  swatch->background = color;
  swatch->brush = std::move(brush);
  if (!swatch->picture.dc) return;
  const RECT area{0, 0, swatch->picture.width, swatch->picture.height};
  ::FillRect(swatch->picture.dc.get(), &area, swatch->brush.get());
  Repaint(*swatch, &area);
}

void RedrawSwatch(HWND dialog, int id) {
  if (SwatchRecord* swatch = FindSwatch(dialog, id)) Repaint(*swatch, nullptr);
}

bool DrawSwatchItem(HWND dialog, const DRAWITEMSTRUCT& item) {
  if (!(item.itemAction & ODA_DRAWENTIRE)) return false;
  SwatchRecord* swatch = FindSwatch(dialog, static_cast<int>(item.CtlID));
  if (!swatch) return false;
  // Whatever the item's state: a disabled swatch looks like an enabled one.
  if (swatch->picture.dc) {
    ::BitBlt(item.hDC, 0, 0, swatch->picture.width, swatch->picture.height,
             swatch->picture.dc.get(), 0, 0, SRCCOPY);
  }
  return true;
}

void ReleaseSwatches(HWND dialog) {
  for (SwatchRecord& swatch : Swatches) {
    if (swatch.window && swatch.dialog == dialog) Release(swatch);
  }
}

LRESULT CALLBACK SwatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const SwatchRecord* swatch = FindSwatchWindow(window);
  if (!swatch) return ::DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_LBUTTONDOWN:
      // The focus moves before the static class reports the click.
      ::SetFocus(window);
      break;
    case WM_GETDLGCODE:
      // Every key to the swatch: the dialog manager navigates with none.
      return DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
      if (IsNavigationKey(wParam)) return 0;
      break;
    case WM_CHAR:
      if (wParam != L'\t') return 0;
      break;
    case WM_SYSKEYDOWN:
      // F10 would open the system menu; Alt combinations such as Alt+F4
      // still reach the system.
      if (wParam == VK_F10) return 0;
      break;
    default: break;
  }
  return ::CallWindowProcW(swatch->staticProc, window, message, wParam, lParam);
}
