#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>

#include "app/app_main.h"

// The program writes nothing to stderr, not even when the C++ runtime gives
// up: the runtime's own handler would print the exception's name (and drag a
// symbol demangler into the executable).
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace {

// List view, tree view, bars, tabs, progress, hot key, pager, font, standard.
constexpr DWORD kStartupClasses = 0x706F;
constexpr UINT kRefusalType = MB_TASKMODAL | MB_SETFOREGROUND;
constexpr int kRefusedExitCode = 255;

#ifndef _WIN64
static_assert(sizeof(OSVERSIONINFOA) == 148, "the record size the version call expects");
static_assert(sizeof(INITCOMMONCONTROLSEX) == 8, "the record size the controls call expects");
#endif

bool RunsOnNtFamily() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  ::GetVersionExA(&version);
  return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (!RunsOnNtFamily()) {
    ::MessageBoxA(nullptr, "Win98 No Support", nullptr, kRefusalType);
    return kRefusedExitCode;
  }
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoA(&startup);
  const int showCommand =
      (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
  LPWSTR commandLine = ::GetCommandLineW();
  HINSTANCE instance = ::GetModuleHandleW(nullptr);

  ::CoInitialize(nullptr);
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), kStartupClasses};
  ::InitCommonControlsEx(&classes);
  const int exitCode = AppMain(instance, nullptr, commandLine, showCommand);
  ::CoUninitialize();
  return exitCode;
}
