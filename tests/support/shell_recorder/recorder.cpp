// Stands in for the picture viewer: the shell starts it to open a file, and
// it appends what it was asked to open to a log and exits, showing nothing.
//   shell_recorder.exe LOG [ARGUMENTS...]
// Each launch adds one UTF-8 line: the arguments after LOG, tab-separated.
#include <windows.h>

#include <shellapi.h>

#include <memory>
#include <string>

namespace {

struct LocalFreer {
  void operator()(LPWSTR* p) const { ::LocalFree(p); }
};

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], size,
                        nullptr, nullptr);
  return out;
}

// Launches close together take turns: an append is not atomic everywhere
// (two at once were seen to lose a line under Wine), so a recorder that finds
// another one writing waits for it, within a bound. Readers are let in.
HANDLE OpenForAppendAlone(const wchar_t* log) {
  constexpr int kTries = 500;
  constexpr DWORD kPauseMs = 20;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    const HANDLE file = ::CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || ::GetLastError() != ERROR_SHARING_VIOLATION) return file;
    ::Sleep(kPauseMs);
  }
  return INVALID_HANDLE_VALUE;
}

// One write per launch.
bool AppendLine(const wchar_t* log, const std::string& line) {
  const HANDLE file = OpenForAppendAlone(log);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const BOOL ok =
      ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  ::CloseHandle(file);
  return ok && written == line.size();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  int count = 0;
  const std::unique_ptr<LPWSTR, LocalFreer> args(::CommandLineToArgvW(::GetCommandLineW(), &count));
  if (!args || count < 2) return 2;
  std::wstring line;
  for (int i = 2; i < count; ++i) {
    if (i > 2) line += L'\t';
    line += args.get()[i];
  }
  return AppendLine(args.get()[1], Utf8(line) + "\n") ? 0 : 1;
}
