#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

using Bytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

Bytes ReadBytes(const std::filesystem::path& file);
void WriteBytes(const std::filesystem::path& file, const Bytes& bytes);
// Bytes that no picture of ours would hold, to tell an untouched file.
Bytes Scribble(std::size_t size);

}  // namespace testing_support
