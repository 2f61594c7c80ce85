// The real program started as a user would start it, and closed from outside.
#include <windows.h>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "bandas_exe_path.h"
#include "tests/support/child_process.h"

namespace {

constexpr DWORD kPatienceMs = 20000;

// The started program and its windows.
class Program {
 public:
  explicit Program(const std::wstring& arguments, int showCommand = -1,
                   const std::wstring& exe = BANDAS_EXE_PATH)
      : child_(exe, arguments, Options(showCommand)) {}

  bool started() const { return child_.started(); }

  // The program's top-level window with this caption (and class, if given),
  // once it exists; null after the wait.
  HWND WaitForWindow(const wchar_t* caption, const wchar_t* className = nullptr) const {
    for (DWORD waited = 0; waited < kPatienceMs; waited += 20) {
      if (HWND window = FindWindow(caption, className)) return window;
      if (child_.WaitForExit(20) != STILL_ACTIVE) return nullptr;
    }
    return nullptr;
  }

  // The program's top-level window with this caption now, or null. Other
  // tests' programs may show theirs at the same time.
  HWND FindWindow(const wchar_t* caption, const wchar_t* className = nullptr) const {
    for (HWND window = ::FindWindowExW(nullptr, nullptr, className, caption); window;
         window = ::FindWindowExW(nullptr, window, className, caption)) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(window, &owner);
      if (owner == child_.processId()) return window;
    }
    return nullptr;
  }

  // The exit code, or STILL_ACTIVE after the wait.
  DWORD WaitForExit() const { return child_.WaitForExit(kPatienceMs); }

 private:
  static testing_support::ChildProcess::Options Options(int showCommand) {
    testing_support::ChildProcess::Options options;
    options.showCommand = showCommand;
    return options;
  }

  testing_support::ChildProcess child_;
};

// The window exists before its controls: the last one is made last.
HWND WaitForControl(HWND dialog, int id) {
  for (DWORD waited = 0; waited < kPatienceMs && ::IsWindow(dialog); waited += 20) {
    if (HWND control = ::GetDlgItem(dialog, id)) return control;
    ::Sleep(20);
  }
  return nullptr;
}

int CountChildren(HWND dialog) {
  int count = 0;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    ++count;
  }
  return count;
}

struct Start {
  const char* name;
  const wchar_t* arguments;
  int showCommand;  // -1: none given
};

void PrintTo(const Start& start, std::ostream* out) { *out << start.name; }

class ProgramRun : public testing::TestWithParam<Start> {};

TEST_P(ProgramRun, ShowsTheDialogAndExitsWithZeroAfterClose) {
  Program program(GetParam().arguments, GetParam().showCommand);
  ASSERT_TRUE(program.started());
  HWND dialog = program.WaitForWindow(L"Bandas de colores");
  ASSERT_NE(dialog, nullptr) << "no dialog appeared";
  ASSERT_NE(WaitForControl(dialog, 1024), nullptr);
  for (DWORD waited = 0; waited < kPatienceMs && !::IsWindowVisible(dialog); waited += 20) {
    ::Sleep(20);
  }
  EXPECT_TRUE(::IsWindowVisible(dialog));
  EXPECT_FALSE(::IsIconic(dialog));
  RECT client{}, outer{};
  ::GetClientRect(dialog, &client);
  ::GetWindowRect(dialog, &outer);
  EXPECT_EQ(client.right, 268);
  EXPECT_EQ(client.bottom, 303);
  EXPECT_EQ(outer.left, 105);
  EXPECT_EQ(outer.top, 114);
  EXPECT_EQ(CountChildren(dialog), 24);
  EXPECT_EQ(static_cast<DWORD>(::GetWindowLongW(dialog, GWL_STYLE)) & ~WS_VISIBLE, 0x84C800D4u);

  ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

// Arguments and the starter's show command change nothing.
INSTANTIATE_TEST_SUITE_P(
    Starts, ProgramRun,
    testing::Values(Start{"Plain", L"", -1}, Start{"Arguments", L" prueba.bmp /s --help", -1},
                    Start{"QuotedArgumentsMinimised", L" \"C:\\no such\" 5", SW_SHOWMINNOACTIVE},
                    Start{"Hidden", L"", SW_HIDE}),
    [](const testing::TestParamInfo<Start>& info) { return info.param.name; });

// Wine reports a system outside the NT family to a program the prefix's
// registry says so for.
class AppDefaultsVersion {
 public:
  AppDefaultsVersion(const wchar_t* program, const wchar_t* version)
      : key_name_(std::wstring(L"Software\\Wine\\AppDefaults\\") + program) {
    ::RegCreateKeyExW(HKEY_CURRENT_USER, key_name_.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                      &key_, nullptr);
    if (key_) {
      ::RegSetValueExW(key_, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                       static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    }
  }
  ~AppDefaultsVersion() {
    if (key_) ::RegCloseKey(key_);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, key_name_.c_str());
  }
  AppDefaultsVersion(const AppDefaultsVersion&) = delete;
  AppDefaultsVersion& operator=(const AppDefaultsVersion&) = delete;

 private:
  std::wstring key_name_;
  HKEY key_ = nullptr;
};

bool HasChildText(HWND window, const wchar_t* text) {
  for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    wchar_t buffer[64] = {};
    ::GetWindowTextW(child, buffer, 64);
    if (std::wstring(buffer) == text) return true;
  }
  return false;
}

// A copy under a name of its own: the version setting then reaches no other
// test's program.
class RenamedProgramCopy {
 public:
  RenamedProgramCopy() {
    wchar_t folder[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, folder);
    path_ = std::wstring(folder) + kName;
    copied_ = ::CopyFileW(BANDAS_EXE_PATH, path_.c_str(), FALSE) != FALSE;
  }
  ~RenamedProgramCopy() { ::DeleteFileW(path_.c_str()); }
  RenamedProgramCopy(const RenamedProgramCopy&) = delete;
  RenamedProgramCopy& operator=(const RenamedProgramCopy&) = delete;

  static constexpr const wchar_t* kName = L"bandas_win98.exe";
  bool copied() const { return copied_; }
  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
  bool copied_ = false;
};

TEST(ProgramOutsideNt, RefusesWithItsMessageAndExitCode255) {
  const RenamedProgramCopy copy;
  ASSERT_TRUE(copy.copied());
  const AppDefaultsVersion win98(RenamedProgramCopy::kName, L"win98");
  Program program(L"", -1, copy.path());
  ASSERT_TRUE(program.started());
  HWND box = program.WaitForWindow(nullptr, L"#32770");
  ASSERT_NE(box, nullptr) << "no message box appeared";
  // The box, like the dialog, exists before its controls.
  bool refusal = false;
  for (DWORD waited = 0; waited < kPatienceMs && !refusal; waited += 20) {
    refusal = HasChildText(box, L"Win98 No Support");
    if (!refusal) ::Sleep(20);
  }
  EXPECT_TRUE(refusal);
  EXPECT_EQ(program.FindWindow(L"Bandas de colores"), nullptr);
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(program.WaitForExit(), 255u);
}

}  // namespace
