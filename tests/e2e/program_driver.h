#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

#include "tests/support/child_process.h"

// The real bandas.exe, copied into a folder of its own and driven from
// outside through window messages. Every wait is bounded; a program still
// running when the object goes is killed.
namespace e2e {

constexpr DWORD kSendBoundMs = 10000;

class Program {
 public:
  // Copies `exe` into `folder` and starts it there; see failure().
  Program(const std::filesystem::path& exe, const std::filesystem::path& folder);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // "" once the dialog is on screen, else what went wrong.
  const std::string& failure() const { return failure_; }
  HWND dialog() const { return dialog_; }
  HWND Control(int id) const { return ::GetDlgItem(dialog_, id); }
  DWORD thread() const { return child_.threadId(); }
  std::filesystem::path Picture() const { return folder_ / "prueba.bmp"; }

  // Sends with the bound; false when the message did not come back in time.
  // `ms` receives how long the call took.
  bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr,
            double* ms = nullptr) const;
  // A round trip through the program's thread: what was sent before has run.
  bool Sync() const { return Send(dialog_, WM_NULL, 0, 0); }

  bool Running() const { return child_.Running(); }
  // Waits for the process to end; false when it is still running.
  bool WaitForExit(DWORD ms, DWORD* exitCode) const;

 private:
  std::filesystem::path folder_;
  testing_support::ChildProcess child_;
  HWND dialog_ = nullptr;
  std::string failure_;
};

}  // namespace e2e
