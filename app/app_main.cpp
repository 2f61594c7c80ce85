#include "app/app_main.h"

#include <commctrl.h>

#include "ui/main_dialog.h"

namespace {

constexpr DWORD kDynamicClasses = 0x9FF;  // the Win95 classes, date and internet controls

using InitCommonControlsExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);

// A library that cannot be loaded by name leaves the start-up's own
// initialisation standing; the dialog is built all the same.
void InitCommonControlsByName() {
  HMODULE library = ::LoadLibraryA("COMCTL32.DLL");
  if (!library) return;
  const FARPROC found = ::GetProcAddress(library, "InitCommonControlsEx");
  if (found) {
    const auto initEx =
        reinterpret_cast<InitCommonControlsExFn>(reinterpret_cast<void (*)()>(found));
    INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), kDynamicClasses};
    initEx(&classes);
  } else {
    ::InitCommonControls();
  }
  // The process imports the library too, so it stays loaded.
  ::FreeLibrary(library);
}

}  // namespace

int AppMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  InitCommonControlsByName();
  ShowMainDialog(nullptr);
  return 0;
}
