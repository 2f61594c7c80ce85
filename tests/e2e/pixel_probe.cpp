// Loaded into the program under test by a message hook: Wine's null display
// driver keeps each process's window pictures to itself, so a swatch's
// pixels can only be read from inside the program.
//   A posted kReadPixel message to a window (wParam: the window to answer)
//   is answered with kPixel (lParam: the colour at (10, 10), or CLR_INVALID).
#include <windows.h>

extern "C" __declspec(dllexport) LRESULT CALLBACK
    ReadPixelHook(int code, WPARAM wParam, LPARAM lParam) {
  static const UINT kReadPixel = ::RegisterWindowMessageW(L"bandas-e2e-read-pixel");
  static const UINT kPixel = ::RegisterWindowMessageW(L"bandas-e2e-pixel");
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && message->message == kReadPixel) {
    HDC dc = ::GetDC(message->hwnd);
    const COLORREF colour = ::GetPixel(dc, 10, 10);
    ::ReleaseDC(message->hwnd, dc);
    ::PostMessageW(reinterpret_cast<HWND>(message->wParam), kPixel, 0, static_cast<LPARAM>(colour));
    message->message = WM_NULL;
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
