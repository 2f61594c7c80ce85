#include "tests/support/child_process.h"

#include <utility>

namespace testing_support {

namespace {
constexpr DWORD kKillBoundMs = 10000;
}  // namespace

ChildProcess::ChildProcess(const std::wstring& exe, const std::wstring& arguments,
                           const Options& options) {
  std::wstring commandLine = L"\"" + exe + L"\"" + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (options.showCommand >= 0) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(options.showCommand);
  }
  if (!::CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                        options.creationFlags, nullptr, options.folder, &startup, &info_)) {
    startError_ = ::GetLastError();
    info_ = PROCESS_INFORMATION{};
  }
}

ChildProcess::~ChildProcess() { End(); }

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : info_(std::exchange(other.info_, PROCESS_INFORMATION{})), startError_(other.startError_) {}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
  if (this != &other) {
    End();
    info_ = std::exchange(other.info_, PROCESS_INFORMATION{});
    startError_ = other.startError_;
  }
  return *this;
}

void ChildProcess::End() {
  if (!started()) return;
  if (Running()) {
    ::TerminateProcess(info_.hProcess, 1);
    ::WaitForSingleObject(info_.hProcess, kKillBoundMs);
  }
  ::CloseHandle(info_.hThread);
  ::CloseHandle(info_.hProcess);
  info_ = PROCESS_INFORMATION{};
}

bool ChildProcess::Running() const {
  return started() && ::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::WaitForExit(DWORD ms) const {
  DWORD code = STILL_ACTIVE;
  if (started() && ::WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0) {
    ::GetExitCodeProcess(info_.hProcess, &code);
  }
  return code;
}

}  // namespace testing_support
