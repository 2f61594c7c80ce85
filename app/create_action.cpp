#include "app/create_action.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "app/output_path.h"
#include "core/band_table.h"
#include "core/bmp_writer.h"
#include "core/canvas.h"
#include "core/stripe_renderer.h"

namespace {

// No "insert a disk" or "cannot open" box may interrupt the user for a file
// that is only being tidied away.
constexpr UINT kQuietErrorMode = SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX;

// Hidden, system, volume label and folder: entries that are not an old picture.
constexpr DWORD kLeftAloneBits =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x8 | FILE_ATTRIBUTE_DIRECTORY;

// The process-wide error mode switched for one call and put back after it.
class QuietErrorMode {
 public:
  QuietErrorMode() : old_(::SetErrorMode(kQuietErrorMode)) {}
  ~QuietErrorMode() { ::SetErrorMode(old_); }
  QuietErrorMode(const QuietErrorMode&) = delete;
  QuietErrorMode& operator=(const QuietErrorMode&) = delete;

 private:
  UINT old_;
};

struct FindCloser {
  void operator()(HANDLE search) const { ::FindClose(search); }
};
using FindHandle = std::unique_ptr<void, FindCloser>;

// The search for `path`, or none when nothing matches.
FindHandle FindFirst(const std::wstring& path, WIN32_FIND_DATAW* entry) {
  const HANDLE search = ::FindFirstFileW(path.c_str(), entry);
  return FindHandle(search == INVALID_HANDLE_VALUE ? nullptr : search);
}

// Runs one file call quietly; true when it failed. Some calls leave no
// usable result, so failure is read from the last error alone.
template <typename FileCall>
bool FailsQuietly(FileCall call) {
  QuietErrorMode quiet;
  ::SetLastError(0);
  call();
  return ::GetLastError() != 0;
}

// Read-only, hidden, system and archive all go, so that the old picture can
// be deleted; a refusal or a missing file changes nothing.
void ClearFileAttributes(const std::wstring& path) {
  FailsQuietly([&] { ::SetFileAttributesW(path.c_str(), 0); });
}

void DeleteMatchingFiles(const std::wstring& path) {
  WIN32_FIND_DATAW entry;
  const FindHandle search = FindFirst(path, &entry);
  if (!search) return;
  const std::wstring folder = FolderOf(path);
  do {
    if ((entry.dwFileAttributes & kLeftAloneBits) != 0) continue;
    const std::wstring victim = folder + entry.cFileName;
    if (FailsQuietly([&] { ::DeleteFileW(victim.c_str()); })) return;
  } while (::FindNextFileW(search.get(), &entry));
}

void DrawAndSave(const std::wstring& path) {
  CanvasPtr canvas = CreateCanvas(kPictureWidth, kPictureHeight);
  ClearCanvas(canvas.get());
  RenderStripes(canvas.get(), GetBandTable(), GetBandCount());
  WriteBmpFile(canvas.get(), path.c_str());
  canvas.reset();
}

// The wide path reaches the shell as it is: a narrow copy would lose every
// character outside the ANSI code page and name a file that does not exist.
void OpenWithShell(const std::wstring& path) {
  ::ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

// Every step runs whatever the one before it managed: the old picture goes
// before the new one exists, and the shell is asked to open the path in any
// case.
void MakeBandImageAt(const std::wstring& outputPath) {
  ClearFileAttributes(outputPath);
  DeleteMatchingFiles(outputPath);
  DrawAndSave(outputPath);
  OpenWithShell(outputPath);
}

void MakeBandImage() { MakeBandImageAt(OutputPath()); }
