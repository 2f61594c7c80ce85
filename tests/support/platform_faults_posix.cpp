#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/platform_faults.h"

namespace testing_support {

ExclusiveHolder::ExclusiveHolder(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) return;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return;
  }
  handle_ = fd;
}

ExclusiveHolder::~ExclusiveHolder() {
  if (holds()) ::close(static_cast<int>(handle_));
}

void MakeReadOnly(const std::filesystem::path& file) { ::chmod(file.c_str(), 0444); }

bool CanOpenForWriting(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

// The limit is set in a child, so the test process keeps its own.
std::string WriteWithFileSizeLimit(std::size_t limit, const std::function<void()>& write) {
  const pid_t child = ::fork();
  if (child < 0) return "fork failed";
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);  // a short write, not a killed process
    const rlimit cap{limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &cap) != 0) ::_exit(2);
    write();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "the limited child did not finish";
  return "";
}

}  // namespace testing_support
