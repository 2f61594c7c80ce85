#include "app/create_action.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/band_table.h"
#include "tests/app/long_paths.h"
#include "tests/support/expected_picture.h"
#include "tests/support/platform_faults.h"
#include "tests/support/shell_recorder/shell_association.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

constexpr std::size_t kOldFileSize = 5000;
// A mode of its own, to tell whether the action puts back what it found.
constexpr UINT kCallersErrorMode = SEM_NOGPFAULTERRORBOX;

// Four bands of differing widths and colours, so that a wrong row shows.
BandTable TestTable() {
  BandTable table = UniformTable(0x808080, 5);
  table.slot[0] = Band{0x0000FF, 7};
  table.slot[1] = Band{0x00FF00, 2};
  table.slot[2] = Band{0x123456, 50};
  table.slot[3] = Band{0xFF0000, 13};
  return table;
}
constexpr std::int16_t kTestCount = 4;

void UseBandTable(const BandTable& table, std::int16_t count) {
  for (int band = 1; band <= kBandSlots; ++band) {
    SetBandColor(band, BandNumber(table, band).color);
    SetBandWidth(band, BandNumber(table, band).width);
  }
  SetBandCount(count);
}

class ComApartment {
 public:
  ComApartment() : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (ok_) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool ok_;
};

// The program calls the shell from a single-threaded apartment, with the
// recorder standing in for the picture viewer.
class MakeBandImageTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(shell_.failure(), "");
    UseBandTable(TestTable(), kTestCount);
  }
  void TearDown() override { ResetBandTable(); }

  ComApartment com_;
  TempDir logDir_;
  ShellAssociation shell_{logDir_ / "launches.log"};
  TempDir dir_;
};

TEST_F(MakeBandImageTest, TwoPressesWriteTheSameFileAndOpenItEachTime) {
  const fs::path picture = dir_ / "prueba.bmp";
  MakeBandImageAt(picture.c_str());
  const Bytes first = ReadBytes(picture);
  MakeBandImageAt(picture.c_str());
  EXPECT_TRUE(ReadBytes(picture) == first);
  EXPECT_TRUE(first == ExpectedBmpFile(TestTable(), kTestCount));
  EXPECT_EQ(shell_.WaitForLaunches(2), std::vector<std::wstring>(2, picture.wstring()));
}

// What a situation leaves at the picture's path.
enum class Left { kNewPicture, kOldFile, kFolder };

struct Arranged {
  std::string cannot;              // why Wine cannot provoke the situation, or ""
  std::shared_ptr<void> keepOpen;  // whatever must hold on while the action runs
};

struct Situation {
  const char* name;
  const wchar_t* folder;   // the picture's folder, made inside the temporary folder
  std::size_t pathLength;  // of the picture's path, padded with folders; 0 for as it is
  Arranged (*arrange)(const fs::path& picture);
  Left left;
};

Arranged ProvokedUnless(std::string why) { return {std::move(why), nullptr}; }

Arranged NothingThere(const fs::path&) { return {}; }

Arranged OldFile(const fs::path& picture) {
  WriteBytes(picture, Scribble(kOldFileSize));
  return {};
}

// Wine lets root write a read-only file, but still refuses to delete one: that
// refusal, and the read-only bit a kept file would still carry, are what these
// situations provoke.
std::string WhyReadOnlyIsNotProvoked(const fs::path& picture) {
  const DWORD attributes = ::GetFileAttributesW(picture.c_str());
  if ((attributes & FILE_ATTRIBUTE_READONLY) == 0) return "the read-only bit does not stick";
  const fs::path twin = picture.parent_path() / L"twin.tmp";
  WriteBytes(twin, Scribble(16));
  MakeReadOnly(twin);
  const bool deleted = ::DeleteFileW(twin.c_str());
  ::SetFileAttributesW(twin.c_str(), FILE_ATTRIBUTE_NORMAL);
  fs::remove(twin);
  return deleted ? "Wine deletes read-only files for this user" : "";
}

Arranged ReadOnlyOldFile(const fs::path& picture) {
  OldFile(picture);
  MakeReadOnly(picture);
  return ProvokedUnless(WhyReadOnlyIsNotProvoked(picture));
}

Arranged ReadOnlyHiddenSystemOldFile(const fs::path& picture) {
  OldFile(picture);
  const DWORD hiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ::SetFileAttributesW(picture.c_str(), FILE_ATTRIBUTE_READONLY | hiddenSystem);
  if ((::GetFileAttributesW(picture.c_str()) & hiddenSystem) != hiddenSystem)
    return ProvokedUnless("this file system keeps no hidden or system bit for Wine");
  return ProvokedUnless(WhyReadOnlyIsNotProvoked(picture));
}

Arranged OldFileHeldWithoutSharing(const fs::path& picture) {
  OldFile(picture);
  auto holder = std::make_shared<ExclusiveHolder>(picture);
  if (!holder->holds()) return ProvokedUnless("the old file cannot be opened to hold it");
  if (CanOpenForWriting(picture))
    return ProvokedUnless("share mode 0 does not keep other openers out");
  return {"", holder};
}

Arranged FolderNamedLikeThePicture(const fs::path& picture) {
  fs::create_directory(picture);
  return {};
}

const Situation kSituations[] = {
    {"NoOldFile", L"Bandas", 0, NothingThere, Left::kNewPicture},
    {"ReadOnlyHiddenSystemOldFile", L"Bandas", 0, ReadOnlyHiddenSystemOldFile, Left::kNewPicture},
    {"OldFileHeldWithoutSharing", L"Bandas", 0, OldFileHeldWithoutSharing, Left::kOldFile},
    {"FolderNamedLikeThePicture", L"Bandas", 0, FolderNamedLikeThePicture, Left::kFolder},
    {"FolderNameOutsideTheAnsiCodePage", L"Bandas \u00F1 \u8272\u5F69", 0, OldFile,
     Left::kNewPicture},
    // Long enough that a removal step cutting the path at 255 or 256
    // characters would miss the old file, and past 260.
    {"ReadOnlyOldFileAtAPathOf300", L"Bandas", 300, ReadOnlyOldFile, Left::kNewPicture},
};

void PrintTo(const Situation& situation, std::ostream* out) { *out << situation.name; }

class MakeBandImageSituationTest : public MakeBandImageTest,
                                   public testing::WithParamInterface<Situation> {};

// Each situation is made for real, then the action runs once: what stays at
// the path, and what the shell was asked to open.
TEST_P(MakeBandImageSituationTest, LeavesTheRightFileAndOpensThePathOnce) {
  const Situation& situation = GetParam();
  const fs::path top = dir_ / situation.folder;
  const LongFolderTree removal(top);
  const fs::path folder =
      situation.pathLength ? FolderForPathLength(top, L"prueba.bmp", situation.pathLength) : top;
  fs::create_directories(folder);
  const fs::path picture = folder / "prueba.bmp";
  Arranged arranged = situation.arrange(picture);
  if (!arranged.cannot.empty()) GTEST_SKIP() << arranged.cannot;

  const UINT oldMode = ::SetErrorMode(kCallersErrorMode);
  MakeBandImageAt(picture.c_str());
  EXPECT_EQ(::GetErrorMode(), kCallersErrorMode);
  ::SetErrorMode(oldMode);
  arranged.keepOpen.reset();

  EXPECT_EQ(EntriesOf(folder), std::vector<std::wstring>{L"prueba.bmp"});
  switch (situation.left) {
    case Left::kNewPicture: {
      EXPECT_TRUE(ReadBytes(picture) == ExpectedBmpFile(TestTable(), kTestCount));
      const DWORD attributes = ::GetFileAttributesW(picture.c_str());
      EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY),
                0u);
      break;
    }
    case Left::kOldFile: EXPECT_TRUE(ReadBytes(picture) == Scribble(kOldFileSize)); break;
    case Left::kFolder:
      EXPECT_TRUE(fs::is_directory(picture));
      EXPECT_TRUE(fs::is_empty(picture));
      break;
  }
  const std::vector<std::wstring> launches = shell_.WaitForLaunches(1);
  if (launches.empty() && situation.pathLength) {
    // Told the same path directly, Wine's shell refuses it too: the limit is
    // its own, and the hand-off of a path this long cannot be watched.
    const auto direct = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", picture.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (direct <= 32)
      GTEST_SKIP() << "the file was replaced, but Wine's shell refuses a path of "
                   << picture.native().size() << " characters (" << direct << ")";
  }
  EXPECT_EQ(launches, std::vector<std::wstring>{picture.wstring()});
}

INSTANTIATE_TEST_SUITE_P(FailureTable, MakeBandImageSituationTest, testing::ValuesIn(kSituations),
                         [](const testing::TestParamInfo<Situation>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
