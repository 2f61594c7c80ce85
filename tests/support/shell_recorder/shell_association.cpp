#include "tests/support/shell_recorder/shell_association.h"

#include <windows.h>

#include <thread>
#include <utility>

#include "tests/support/test_files.h"

namespace testing_support {

namespace {

constexpr wchar_t kProgId[] = L"Bandas.ShellRecorder";

std::wstring Wide(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  const int size =
      ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &out[0], size);
  return out;
}

bool KeyExists(const std::wstring& key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return false;
  ::RegCloseKey(opened);
  return true;
}

// The outermost key of `key` that does not exist yet, or "" when it does.
std::wstring FirstMissingKey(const std::wstring& key) {
  for (std::size_t end = key.find(L'\\');; end = key.find(L'\\', end + 1)) {
    const std::wstring prefix = key.substr(0, end);
    if (!KeyExists(prefix)) return prefix;
    if (end == std::wstring::npos) return std::wstring();
  }
}

}  // namespace

// The default value of one key under HKCR: what it held before, or which of
// its keys were made for it.
struct ShellAssociation::Change {
  std::wstring key;
  std::wstring createdRoot;  // deleted whole on undo
  bool hadValue = false;
  DWORD oldType = REG_NONE;
  std::vector<BYTE> oldData;

  bool Apply(const std::wstring& data) {
    createdRoot = FirstMissingKey(key);
    if (createdRoot.empty()) {
      DWORD size = 0;
      hadValue = ::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_ANY | RRF_NOEXPAND,
                                &oldType, nullptr, &size) == ERROR_SUCCESS;
      oldData.resize(size);
      if (hadValue && size > 0)
        hadValue =
            ::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_ANY | RRF_NOEXPAND,
                           &oldType, oldData.data(), &size) == ERROR_SUCCESS;
    }
    return ::RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, data.c_str(),
                             static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
  }

  void Undo() const {
    if (!createdRoot.empty()) {
      ::RegDeleteTreeW(HKEY_CLASSES_ROOT, createdRoot.c_str());
    } else if (hadValue) {
      ::RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, oldType, oldData.data(),
                        static_cast<DWORD>(oldData.size()));
    } else {
      ::RegDeleteKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr);
    }
  }
};

ShellAssociation::ShellAssociation(std::filesystem::path log) : log_(std::move(log)) {
  const std::filesystem::path recorder = WindowsPathOfHostFile(BANDAS_SHELL_RECORDER_EXE);
  if (!std::filesystem::exists(recorder)) {
    failure_ = "no recorder at " + recorder.string();
    return;
  }
  const std::wstring command =
      L"\"" + recorder.wstring() + L"\" \"" + log_.wstring() + L"\" \"%1\"";
  const std::wstring progCommand = std::wstring(kProgId) + L"\\shell\\open\\command";
  // Folders go to the recorder too, so that a folder handed to the shell is
  // seen and no file browser starts.
  const std::pair<std::wstring, std::wstring> values[] = {
      {progCommand, command},
      {L".bmp", kProgId},
      {L"Folder\\shell\\open\\command", command},
  };
  for (const auto& [key, data] : values) {
    changes_.emplace_back();
    changes_.back().key = key;
    if (!changes_.back().Apply(data)) {
      failure_ = "cannot write HKCR registry values";
      return;
    }
  }
}

ShellAssociation::~ShellAssociation() { Undo(); }

ShellAssociation::ShellAssociation(ShellAssociation&& other) noexcept
    : log_(std::move(other.log_)),
      changes_(std::exchange(other.changes_, {})),
      failure_(std::move(other.failure_)) {}

ShellAssociation& ShellAssociation::operator=(ShellAssociation&& other) noexcept {
  if (this != &other) {
    Undo();
    log_ = std::move(other.log_);
    changes_ = std::exchange(other.changes_, {});
    failure_ = std::move(other.failure_);
  }
  return *this;
}

// Newest first, so that a key made by a later change is gone before an
// earlier change puts its parent's value back.
void ShellAssociation::Undo() {
  for (auto change = changes_.rbegin(); change != changes_.rend(); ++change) change->Undo();
  changes_.clear();
}

std::vector<std::wstring> ShellAssociation::Launches() const {
  std::error_code error;
  if (!std::filesystem::exists(log_, error)) return {};
  const Bytes bytes = ReadBytes(log_);
  const std::wstring text = Wide(std::string(bytes.begin(), bytes.end()));
  std::vector<std::wstring> launches;
  // A line without its end is a launch still being written.
  for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos;
       start = end + 1)
    launches.push_back(text.substr(start, end - start));
  return launches;
}

std::vector<std::wstring> ShellAssociation::WaitForLaunches(
    std::size_t count, std::chrono::milliseconds within, std::chrono::milliseconds settle) const {
  const auto deadline = std::chrono::steady_clock::now() + within;
  while (Launches().size() < count && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::this_thread::sleep_for(settle);
  return Launches();
}

std::filesystem::path WindowsPathOfHostFile(const std::string& hostPath) {
  std::string windows = hostPath;
  for (char& c : windows)
    if (c == '/') c = '\\';
  return std::filesystem::path(hostPath.rfind('/', 0) == 0 ? "Z:" + windows : windows);
}

}  // namespace testing_support
