#include "core/bmp_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/stripe_renderer.h"
#include "tests/support/expected_picture.h"
#include "tests/support/platform_faults.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

constexpr std::size_t kFileSize = 3'240'054;

class WriteBmpFileTest : public testing::Test {
 protected:
  CanvasPtr Picture(const BandTable& table, std::int16_t count) {
    CanvasPtr canvas = CreateCanvas(kPictureWidth, kPictureHeight);
    ClearCanvas(canvas.get());
    RenderStripes(canvas.get(), table, count);
    return canvas;
  }
  CanvasPtr DefaultPicture() { return Picture(UniformTable(0x808080, 5), 2); }

  TempDir dir_;
  fs::path file_ = dir_ / "prueba.bmp";
};

TEST_F(WriteBmpFileTest, WritesTheExactFile) {
  WriteBmpFile(DefaultPicture().get(), file_.c_str());
  const Bytes bytes = ReadBytes(file_);
  ASSERT_EQ(bytes.size(), kFileSize);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 54), ExpectedBmpHeaders());
  // Canvas row 899 belongs to band 2: the file's first row is grey.
  EXPECT_EQ(Bytes(bytes.begin() + 54, bytes.begin() + 3654), Bytes(3600, 0x80));
  EXPECT_TRUE(bytes == ExpectedBmpFile(UniformTable(0x808080, 5), 2));
}

TEST_F(WriteBmpFileTest, CutsALongerOldFileToLength) {
  WriteBytes(file_, Scribble(4 << 20));
  WriteBmpFile(Picture(UniformTable(0x808080, 5), 0).get(), file_.c_str());
  const Bytes bytes = ReadBytes(file_);
  ASSERT_EQ(bytes.size(), kFileSize);
  EXPECT_TRUE(bytes == ExpectedBmpFile(UniformTable(0x808080, 5), 0)) << "all white after 54 bytes";
}

TEST_F(WriteBmpFileTest, CornerPixelsLandAtTheirOffsetsAsBlueGreenRed) {
  CanvasPtr canvas = CreateCanvas(kPictureWidth, kPictureHeight);
  ClearCanvas(canvas.get());
  FillBox(canvas.get(), 0, 899, 1, 900, 0x0000FF);    // bottom left: pure red
  FillBox(canvas.get(), 0, 0, 1, 1, 0x112233);        // top left
  FillBox(canvas.get(), 1199, 0, 1200, 1, 0x445566);  // top right
  WriteBmpFile(canvas.get(), file_.c_str());
  const Bytes bytes = ReadBytes(file_);
  ASSERT_EQ(bytes.size(), kFileSize);
  EXPECT_EQ(Bytes(bytes.begin() + 54, bytes.begin() + 57), (Bytes{0x00, 0x00, 0xFF}));
  EXPECT_EQ(Bytes(bytes.begin() + 3'236'454, bytes.begin() + 3'236'457), (Bytes{0x11, 0x22, 0x33}));
  EXPECT_EQ(Bytes(bytes.end() - 3, bytes.end()), (Bytes{0x44, 0x55, 0x66}));
}

TEST_F(WriteBmpFileTest, NoPathOrNoCanvasTouchesNothing) {
  const fs::path::value_type empty[] = {0};
  WriteBmpFile(DefaultPicture().get(), empty);
  WriteBmpFile(DefaultPicture().get(), nullptr);
  WriteBmpFile(nullptr, file_.c_str());
  EXPECT_TRUE(fs::is_empty(dir_.path()));
  fs::current_path(dir_.path());
  WriteBmpFile(DefaultPicture().get(), empty);
  EXPECT_TRUE(fs::is_empty(dir_.path())) << "not even in the current folder";
  fs::current_path(fs::temp_directory_path());
}

TEST_F(WriteBmpFileTest, AFileHeldByAnotherOpenerStaysByteIdentical) {
  const Bytes old = Scribble(4 << 20);
  WriteBytes(file_, old);
  {
    ExclusiveHolder holder(file_);
    ASSERT_TRUE(holder.holds());
    WriteBmpFile(DefaultPicture().get(), file_.c_str());
  }
  EXPECT_TRUE(ReadBytes(file_) == old);
}

TEST_F(WriteBmpFileTest, AFolderAtThePathStaysAndNothingIsCreated) {
  fs::create_directory(file_);
  WriteBmpFile(DefaultPicture().get(), file_.c_str());
  EXPECT_TRUE(fs::is_directory(file_));
  EXPECT_TRUE(fs::is_empty(file_));
}

TEST_F(WriteBmpFileTest, AMissingFolderCreatesNothing) {
  WriteBmpFile(DefaultPicture().get(), (dir_ / "missing" / "prueba.bmp").c_str());
  EXPECT_TRUE(fs::is_empty(dir_.path()));
}

TEST_F(WriteBmpFileTest, AReadOnlyFileStaysUnchanged) {
  const Bytes old = Scribble(1000);
  WriteBytes(file_, old);
  MakeReadOnly(file_);
  if (CanOpenForWriting(file_)) {
    GTEST_SKIP() << "this user may write read-only files here (root, or Wine as root)";
  }
  WriteBmpFile(DefaultPicture().get(), file_.c_str());
  EXPECT_TRUE(ReadBytes(file_) == old);
}

TEST_F(WriteBmpFileTest, AWriteFailingPartWayLeavesWrittenBytesThenTheOldTailUncut) {
  const Bytes old = Scribble(4 << 20);
  WriteBytes(file_, old);
  constexpr std::size_t kLimit = 1 << 20;
  const std::string skip =
      WriteWithFileSizeLimit(kLimit, [&] { WriteBmpFile(DefaultPicture().get(), file_.c_str()); });
  if (!skip.empty()) GTEST_SKIP() << skip;

  const Bytes bytes = ReadBytes(file_);
  ASSERT_EQ(bytes.size(), old.size()) << "closed without cutting";
  const Bytes picture = ExpectedBmpFile(UniformTable(0x808080, 5), 2);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + kLimit, picture.begin()));
  EXPECT_TRUE(std::equal(bytes.begin() + kLimit, bytes.end(), old.begin() + kLimit));
}

}  // namespace
