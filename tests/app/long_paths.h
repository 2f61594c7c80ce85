#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Folders past the 260 characters that the C runtime's folder calls cannot
// go beyond; these helpers use the wide Windows calls, which can.
namespace testing_support {

// `base` with nested folders added until it is longer than `length`.
std::filesystem::path LongFolder(std::filesystem::path base, std::size_t length = 300);

// `base` with nested folders added so that the file `name` in the last of
// them has a path of exactly `length` characters.
std::filesystem::path FolderForPathLength(const std::filesystem::path& base,
                                          const std::wstring& name, std::size_t length);

// The names in the folder, "." and ".." left out.
std::vector<std::wstring> EntriesOf(const std::filesystem::path& folder);

// Removes the folder and everything in it, read-only files included.
void RemoveTree(const std::filesystem::path& folder);

// A long folder tree made for one test and removed with it.
class LongFolderTree {
 public:
  explicit LongFolderTree(std::filesystem::path top) : top_(std::move(top)) {}
  ~LongFolderTree() { RemoveTree(top_); }
  LongFolderTree(const LongFolderTree&) = delete;
  LongFolderTree& operator=(const LongFolderTree&) = delete;

 private:
  std::filesystem::path top_;
};

}  // namespace testing_support
