#include "app/output_path.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "tests/app/long_paths.h"
#include "tests/support/child_process.h"
#include "tests/support/shell_recorder/shell_association.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

std::wstring Text(const WideText& text) { return std::wstring(text.c_str(), text.length()); }

TEST(OutputPathForTest, IsTheExecutablesFolderThenThePictureName) {
  EXPECT_EQ(Text(OutputPathFor(L"C:\\Tools\\Bands\\app.exe")), L"C:\\Tools\\Bands\\prueba.bmp");
  EXPECT_EQ(Text(OutputPathFor(L"D:\\app.exe")), L"D:\\prueba.bmp");
  const std::wstring folder = LongFolder(L"C:\\Tools").wstring() + L"\\";
  EXPECT_EQ(Text(OutputPathFor((folder + L"app.exe").c_str())), folder + L"prueba.bmp");
}

struct ProbeFolder {
  const char* name;
  bool longFolder;
};

void PrintTo(const ProbeFolder& folder, std::ostream* out) { *out << folder.name; }

class GetExecutableFolderTest : public testing::TestWithParam<ProbeFolder> {};

// The real module path, read by a copy of a probe program started from a
// folder named outside the ANSI code page, and from one past 260 characters.
TEST_P(GetExecutableFolderTest, ReadsTheWholeModulePath) {
  TempDir dir;
  const fs::path top = dir / L"Bandas \u00F1 \u8272\u5F69";
  const LongFolderTree removal(top);
  const fs::path folder = GetParam().longFolder ? LongFolder(top) : top;
  fs::create_directories(folder);
  const fs::path probe = folder / L"sonda.exe";
  fs::copy_file(WindowsPathOfHostFile(BANDAS_OUTPUT_PATH_PROBE), probe);
  const fs::path report = dir / "report.bin";

  ChildProcess::Options options;
  options.creationFlags = CREATE_NO_WINDOW;
  const ChildProcess run(probe.wstring(), L" \"" + report.wstring() + L"\"", options);
  if (!run.started()) {
    GTEST_SKIP() << "Wine cannot start a program from a path of " << probe.native().size()
                 << " characters (error " << run.startError() << ")";
  }
  const DWORD exitCode = run.WaitForExit(30000);
  ASSERT_NE(exitCode, STILL_ACTIVE) << "the probe did not finish within 30 s";
  ASSERT_EQ(exitCode, 0u);

  const Bytes bytes = ReadBytes(report);
  const std::wstring reported(reinterpret_cast<const wchar_t*>(bytes.data()),
                              bytes.size() / sizeof(wchar_t));
  EXPECT_EQ(reported, folder.wstring() + L"\\prueba.bmp");
}

INSTANTIATE_TEST_SUITE_P(Folders, GetExecutableFolderTest,
                         testing::Values(ProbeFolder{"NonAnsi", false},
                                         ProbeFolder{"LongNonAnsi", true}),
                         [](const testing::TestParamInfo<ProbeFolder>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
