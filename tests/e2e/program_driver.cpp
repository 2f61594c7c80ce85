#include "tests/e2e/program_driver.h"

#include <chrono>

namespace e2e {
namespace {

constexpr DWORD kStartBoundMs = 30000;

struct Search {
  HWND found = nullptr;
};

BOOL CALLBACK MatchMainDialog(HWND window, LPARAM search) {
  wchar_t title[32] = {};
  ::InternalGetWindowText(window, title, 32);
  if (std::wstring(title) != L"Bandas de colores" || !::IsWindowVisible(window)) return TRUE;
  reinterpret_cast<Search*>(search)->found = window;
  return FALSE;
}

}  // namespace

Program::Program(const std::filesystem::path& exe, const std::filesystem::path& folder)
    : folder_(folder) {
  const std::filesystem::path copy = folder / "bandas.exe";
  if (!::CopyFileW(exe.c_str(), copy.c_str(), FALSE)) {
    failure_ = "cannot copy " + exe.string();
    return;
  }
  testing_support::ChildProcess::Options options;
  options.folder = folder.c_str();
  child_ = testing_support::ChildProcess(copy.wstring(), L"", options);
  if (!child_.started()) {
    failure_ = "cannot start " + copy.string();
    return;
  }
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartBoundMs);
  Search search;
  while (search.found == nullptr && Running() && std::chrono::steady_clock::now() < deadline) {
    ::EnumThreadWindows(child_.threadId(), MatchMainDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found == nullptr) ::Sleep(20);
  }
  dialog_ = search.found;
  if (dialog_ == nullptr) failure_ = "no \"Bandas de colores\" window appeared";
}

bool Program::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result,
                   double* ms) const {
  DWORD_PTR answer = 0;
  const auto start = std::chrono::steady_clock::now();
  const LRESULT ok =
      ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendBoundMs, &answer);
  if (ms != nullptr) {
    *ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  if (result != nullptr) *result = static_cast<LRESULT>(answer);
  return ok != 0;
}

bool Program::WaitForExit(DWORD ms, DWORD* exitCode) const {
  *exitCode = child_.WaitForExit(ms);
  return *exitCode != STILL_ACTIVE;
}

}  // namespace e2e
