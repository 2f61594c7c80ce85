#include "core/exclusive_file.h"

#include <utility>

// What both platforms share; opening, writing, cutting and closing are theirs.

ExclusiveFile::~ExclusiveFile() { Close(); }

ExclusiveFile::ExclusiveFile(ExclusiveFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kClosed)) {}

ExclusiveFile& ExclusiveFile::operator=(ExclusiveFile&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = std::exchange(other.handle_, kClosed);
  }
  return *this;
}
