#include "tests/app/long_paths.h"

#include <windows.h>

namespace testing_support {

namespace {

template <typename Visit>
void ForEachEntry(const std::filesystem::path& folder, Visit visit) {
  WIN32_FIND_DATAW entry;
  const HANDLE search = ::FindFirstFileW((folder / L"*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = entry.cFileName;
    if (name != L"." && name != L"..") visit(name, entry.dwFileAttributes);
  } while (::FindNextFileW(search, &entry));
  ::FindClose(search);
}

}  // namespace

constexpr wchar_t kLongName[] = L"una carpeta de nombre bastante largo";

std::filesystem::path LongFolder(std::filesystem::path base, std::size_t length) {
  while (base.native().size() <= length) base /= kLongName;
  return base;
}

std::filesystem::path FolderForPathLength(const std::filesystem::path& base,
                                          const std::wstring& name, std::size_t length) {
  // Two separators: before the last folder and before the name.
  std::filesystem::path folder = base;
  while (folder.native().size() + 2 + name.size() + 100 < length) folder /= kLongName;
  const std::size_t rest = length - folder.native().size() - 2 - name.size();
  return folder / std::wstring(rest, L'x');
}

std::vector<std::wstring> EntriesOf(const std::filesystem::path& folder) {
  std::vector<std::wstring> names;
  ForEachEntry(folder, [&](const std::wstring& name, DWORD) { names.push_back(name); });
  return names;
}

void RemoveTree(const std::filesystem::path& folder) {
  ForEachEntry(folder, [&](const std::wstring& name, DWORD attributes) {
    const std::filesystem::path entry = folder / name;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(entry);
    } else {
      ::SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
      ::DeleteFileW(entry.c_str());
    }
  });
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace testing_support
