#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace testing_support {

// Makes the recorder (recorder.cpp) the program that the shell of this Wine
// prefix runs to open .bmp files and folders, logging each launch to `log`;
// the registry is put back as it was when the object goes. The registration
// is prefix-wide: tests using it take the CTest lock of the prefix's shared
// state (BANDAS_WINE_DESKTOP).
class ShellAssociation {
 public:
  explicit ShellAssociation(std::filesystem::path log);
  ~ShellAssociation();
  ShellAssociation(ShellAssociation&& other) noexcept;
  ShellAssociation& operator=(ShellAssociation&& other) noexcept;
  ShellAssociation(const ShellAssociation&) = delete;
  ShellAssociation& operator=(const ShellAssociation&) = delete;

  // "" once registered, else why not.
  const std::string& failure() const { return failure_; }

  // What the shell asked the recorder to open, one entry per launch, in order.
  std::vector<std::wstring> Launches() const;
  // The launches once `count` have arrived or `within` has passed, after a
  // further `settle` in which any unexpected extra launch would show up.
  std::vector<std::wstring> WaitForLaunches(
      std::size_t count, std::chrono::milliseconds within = std::chrono::seconds(10),
      std::chrono::milliseconds settle = std::chrono::milliseconds(500)) const;

  struct Change;  // one registry value set, and how to undo it

 private:
  void Undo();

  std::filesystem::path log_;
  std::vector<Change> changes_;
  std::string failure_;
};

// A file of the build tree (a host path such as /work/build/x.exe) as the
// Windows programs of the prefix see it: Wine's drive Z: is the host's root.
std::filesystem::path WindowsPathOfHostFile(const std::string& hostPath);

}  // namespace testing_support
