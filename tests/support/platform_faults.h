#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

// Faults provoked for real, one implementation per platform.
namespace testing_support {

// Holds the file the way another program would to keep everyone else out:
// a share-mode-0 handle on Windows, an exclusive flock elsewhere.
class ExclusiveHolder {
 public:
  explicit ExclusiveHolder(const std::filesystem::path& file);
  ~ExclusiveHolder();
  ExclusiveHolder(const ExclusiveHolder&) = delete;
  ExclusiveHolder& operator=(const ExclusiveHolder&) = delete;
  bool holds() const { return handle_ != -1; }

 private:
  std::intptr_t handle_ = -1;
};

void MakeReadOnly(const std::filesystem::path& file);
bool CanOpenForWriting(const std::filesystem::path& file);

// Runs `write` where no file may grow past `limit` bytes, so a write request
// crossing it comes back short. Returns why it could not, or "" when it ran.
std::string WriteWithFileSizeLimit(std::size_t limit, const std::function<void()>& write);

}  // namespace testing_support
