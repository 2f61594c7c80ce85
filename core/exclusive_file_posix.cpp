#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <utility>

#include "core/exclusive_file.h"

// Without share modes, exclusivity is an advisory flock: a file that another
// holder has locked counts as one that cannot be opened.
ExclusiveFile::ExclusiveFile(const PathChar* path) {
  const int fd = ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return;
  }
  handle_ = fd;
}

void ExclusiveFile::Close() {
  if (IsOpen()) ::close(static_cast<int>(std::exchange(handle_, kClosed)));
}

bool ExclusiveFile::Write(const void* data, std::size_t size) {
  if (!IsOpen()) return false;
  const ssize_t written = ::write(static_cast<int>(handle_), data, size);
  return written >= 0 && static_cast<std::size_t>(written) == size;
}

bool ExclusiveFile::CutHere() {
  if (!IsOpen()) return false;
  const int fd = static_cast<int>(handle_);
  const off_t end = ::lseek(fd, 0, SEEK_CUR);
  return end >= 0 && ::ftruncate(fd, end) == 0;
}
