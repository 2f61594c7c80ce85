#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
using PathChar = wchar_t;
#else
using PathChar = char;
#endif

// A file opened for writing by this process alone: created when missing,
// its old contents kept on opening, closed by the destructor without cutting.
// One implementation per platform, chosen by the build.
class ExclusiveFile {
 public:
  explicit ExclusiveFile(const PathChar* path);
  ~ExclusiveFile();
  ExclusiveFile(ExclusiveFile&& other) noexcept;
  ExclusiveFile& operator=(ExclusiveFile&& other) noexcept;
  ExclusiveFile(const ExclusiveFile&) = delete;
  ExclusiveFile& operator=(const ExclusiveFile&) = delete;

  bool IsOpen() const { return handle_ != kClosed; }
  // One write request; true only when every byte was written.
  bool Write(const void* data, std::size_t size);
  // Ends the file at the current position.
  bool CutHere();

 private:
  static constexpr std::intptr_t kClosed = -1;
  void Close();
  std::intptr_t handle_ = kClosed;
};
