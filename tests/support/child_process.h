#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// A program that a test starts. Every wait is bounded, and a program still
// running when the object goes is killed: no test can hang on its child.
class ChildProcess {
 public:
  struct Options {
    DWORD creationFlags = 0;
    int showCommand = -1;             // -1: the starter gives none
    const wchar_t* folder = nullptr;  // the current folder; null: the test's
  };

  ChildProcess() = default;
  // Runs `exe` with the command line "exe" followed by `arguments` as they stand.
  ChildProcess(const std::wstring& exe, const std::wstring& arguments, const Options& options);
  ChildProcess(const std::wstring& exe, const std::wstring& arguments)
      : ChildProcess(exe, arguments, Options{}) {}
  ~ChildProcess();
  ChildProcess(ChildProcess&& other) noexcept;
  ChildProcess& operator=(ChildProcess&& other) noexcept;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  // GetLastError of a start that failed.
  DWORD startError() const { return startError_; }
  DWORD processId() const { return info_.dwProcessId; }
  DWORD threadId() const { return info_.dwThreadId; }
  HANDLE process() const { return info_.hProcess; }

  bool Running() const;
  // The exit code once the program ends within `ms`, else STILL_ACTIVE.
  DWORD WaitForExit(DWORD ms) const;

 private:
  void End();

  PROCESS_INFORMATION info_{};
  DWORD startError_ = 0;
};

}  // namespace testing_support
