// output_path_probe.exe REPORT: writes the picture path it works out, UTF-16,
// to the file REPORT.
#include <windows.h>

#include <shellapi.h>

#include "app/output_path.h"

int main() {
  int count = 0;
  LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  if (!args || count != 2) return 2;
  const HANDLE report = ::CreateFileW(args[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
  ::LocalFree(args);
  if (report == INVALID_HANDLE_VALUE) return 1;
  const WideText path = OutputPath();
  const DWORD size = static_cast<DWORD>(path.length() * sizeof(wchar_t));
  DWORD written = 0;
  const BOOL ok = ::WriteFile(report, path.c_str(), size, &written, nullptr);
  ::CloseHandle(report);
  return ok && written == size ? 0 : 1;
}
