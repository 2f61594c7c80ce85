#include "app/create_action.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "app/output_path.h"
#include "core/band_table.h"
#include "core/bmp_writer.h"
#include "core/canvas.h"
#include "core/stripe_renderer.h"
#include "core/wide_text.h"

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
FindHandle FindFirst(const wchar_t* path, WIN32_FIND_DATAW* entry) {
  const HANDLE search = ::FindFirstFileW(path, entry);
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
void ClearFileAttributes(const wchar_t* path) {
  FailsQuietly([&] { ::SetFileAttributesW(path, 0); });
}

void DeleteMatchingFiles(const wchar_t* path) {
  WIN32_FIND_DATAW entry;
  const FindHandle search = FindFirst(path, &entry);
  if (!search) return;
  const WideText folder = FolderOf(path);
  do {
    if ((entry.dwFileAttributes & kLeftAloneBits) != 0) continue;
    WideText victim(folder.c_str(), folder.length());
    victim.Append(entry.cFileName);
    if (FailsQuietly([&] { ::DeleteFileW(victim.c_str()); })) return;
  } while (::FindNextFileW(search.get(), &entry));
}

void DrawAndSave(const wchar_t* path) {
  CanvasPtr canvas = CreateCanvas(kPictureWidth, kPictureHeight);
  ClearCanvas(canvas.get());
  RenderStripes(canvas.get(), GetBandTable(), GetBandCount());
  WriteBmpFile(canvas.get(), path);
  canvas.reset();
}

// The wide path reaches the shell as it is: a narrow copy would lose every
// character outside the ANSI code page and name a file that does not exist.
void OpenWithShell(const wchar_t* path) {
  ::ShellExecuteW(nullptr, L"open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

// Every step runs whatever the one before it managed: the old picture goes
// before the new one exists, and the shell is asked to open the path in any
// case.
void MakeBandImageAt(const wchar_t* outputPath) {
  if (!outputPath) return;
  ClearFileAttributes(outputPath);
  DeleteMatchingFiles(outputPath);
  DrawAndSave(outputPath);
  OpenWithShell(outputPath);
}

void MakeBandImage() { MakeBandImageAt(OutputPath().c_str()); }
