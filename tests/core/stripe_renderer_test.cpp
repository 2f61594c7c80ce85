#include "core/stripe_renderer.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "tests/support/expected_picture.h"

namespace {

using testing_support::ExpectedRowColors;
using testing_support::UniformTable;

constexpr COLORREF kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kGrey = 0x808080;

struct Pattern {
  std::string name;
  std::vector<Band> bands;  // bands 1, 2, ...; the other slots keep the default
  std::int16_t count;
  int whiteRows;  // separator rows plus white bands, counted by hand
};

void PrintTo(const Pattern& p, std::ostream* os) { *os << p.name; }

BandTable TableOf(const Pattern& p) {
  BandTable table = UniformTable(kGrey, 5);
  int slot = 0;
  for (const Band& band : p.bands) table.slot[slot++] = band;
  return table;
}

class RenderStripesTest : public testing::TestWithParam<Pattern> {};

TEST_P(RenderStripesTest, EveryRowHasItsBandColourAcrossTheWholeWidth) {
  const BandTable table = TableOf(GetParam());
  CanvasPtr canvas = CreateCanvas(kPictureWidth, kPictureHeight);
  ASSERT_TRUE(canvas);
  ClearCanvas(canvas.get());
  RenderStripes(canvas.get(), table, GetParam().count);

  const auto expected = ExpectedRowColors(table, GetParam().count);
  int whiteRows = 0;
  for (int y = 0; y < kPictureHeight; ++y) {
    whiteRows += expected[y] == kWhite;
    for (int x = 0; x < kPictureWidth; ++x) {
      if (CanvasPixel(*canvas, x, y) != expected[y]) {
        FAIL() << "pixel (" << x << ", " << y << ") is " << std::hex << CanvasPixel(*canvas, x, y)
               << ", expected " << expected[y];
      }
    }
  }
  EXPECT_EQ(whiteRows, GetParam().whiteRows);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, RenderStripesTest,
    testing::Values(
        // P = 11: white rows 10, 21, ... 890; rows 891-899 grey.
        Pattern{"Defaults", {}, 2, 81},
        // P = 10: 90 repetitions, each ending in a white row, 899 included.
        Pattern{"RedGreenBlue", {{kRed, 2}, {kGreen, 3}, {kBlue, 4}}, 3, 90},
        Pattern{"TwoOfTwo", {{kRed, 2}, {kBlue, 2}}, 2, 180},
        // P = 351: white rows 350 and 701; band 4 is cut after 48 rows.
        Pattern{"SevenOfFifty",
                {{kRed, 50},
                 {kGreen, 50},
                 {kBlue, 50},
                 {0x000000, 50},
                 {0x123456, 50},
                 {0x654321, 50},
                 {0xABCDEF, 50}},
                7,
                2},
        Pattern{"TwoOfFifty", {{kRed, 50}, {kBlue, 50}}, 2, 8},
        Pattern{"ZeroWidthBandTakesNoRows", {{kRed, 4}, {kGreen, 0}, {kBlue, 3}}, 3, 112},
        Pattern{"CountZero", {{kRed, 4}, {kBlue, 3}}, 0, 900},
        Pattern{"CountOne", {{kRed, 4}, {kBlue, 3}}, 1, 900},
        Pattern{"CountEight", {{kRed, 4}, {kBlue, 3}}, 8, 900},
        // P = 7: the white last band merges with the separator below it.
        Pattern{"WhiteBandNextToSeparator", {{kRed, 3}, {kWhite, 3}}, 2, 4 * 128 + 1}),
    [](const testing::TestParamInfo<Pattern>& info) { return info.param.name; });

TEST(RenderStripes, OddTableValuesStillEndTheRender) {
  // Widths the dialog never stores must neither hang nor overflow the cursor.
  CanvasPtr canvas = CreateCanvas(kPictureWidth, kPictureHeight);
  ASSERT_TRUE(canvas);
  ClearCanvas(canvas.get());
  RenderStripes(canvas.get(), UniformTable(kRed, -1), 2);
  EXPECT_EQ(CanvasPixel(*canvas, 0, 0), kWhite);
  RenderStripes(canvas.get(), UniformTable(kRed, 32767), 7);
  EXPECT_EQ(CanvasPixel(*canvas, 1199, 899), kRed);
}

struct Box {
  std::string name;
  int x1, y1, x2, y2;
  int left, top, right, bottom;  // what must be painted after clipping, half-open
};

void PrintTo(const Box& b, std::ostream* os) { *os << b.name; }

class FillBoxTest : public testing::TestWithParam<Box> {};

TEST_P(FillBoxTest, PaintsExactlyTheHalfOpenBoxClipped) {
  const Box& b = GetParam();
  CanvasPtr canvas = CreateCanvas(kPictureWidth, kPictureHeight);
  ASSERT_TRUE(canvas);
  ClearCanvas(canvas.get());
  FillBox(canvas.get(), b.x1, b.y1, b.x2, b.y2, kBlue);
  for (int y = 0; y < kPictureHeight; ++y) {
    for (int x = 0; x < kPictureWidth; ++x) {
      const bool inside = b.left <= x && x < b.right && b.top <= y && y < b.bottom;
      if (CanvasPixel(*canvas, x, y) != (inside ? kBlue : kWhite)) {
        FAIL() << "pixel (" << x << ", " << y << ") should be " << (inside ? "blue" : "white");
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Boxes, FillBoxTest,
                         testing::Values(Box{"FiveFullRows", 0, 10, 1200, 15, 0, 10, 1200, 15},
                                         Box{"Inner", 100, 200, 103, 260, 100, 200, 103, 260},
                                         Box{"OnePixel", 7, 9, 8, 10, 7, 9, 8, 10},
                                         Box{"ClippedTopLeft", -5, -5, 3, 2, 0, 0, 3, 2},
                                         Box{"ClippedBottomRight", 1190, 895, 1300, 1000, 1190, 895,
                                             1200, 900},
                                         Box{"EmptyWidth", 5, 5, 5, 10, 0, 0, 0, 0},
                                         Box{"EmptyHeight", 5, 5, 10, 5, 0, 0, 0, 0},
                                         Box{"WhollyOutside", 0, 900, 1200, 950, 0, 0, 0, 0}),
                         [](const testing::TestParamInfo<Box>& info) { return info.param.name; });

TEST(Canvas, OperationsWithoutACanvasDoNothing) {
  ClearCanvas(nullptr);
  FillBox(nullptr, 0, 0, 10, 10, kRed);
  RenderStripes(nullptr, UniformTable(kRed, 5), 2);
  EXPECT_FALSE(CreateCanvas(0, 900));
  EXPECT_FALSE(CreateCanvas(1200, -1));
  CanvasPtr canvas = CreateCanvas(kPictureWidth, kPictureHeight);
  ASSERT_TRUE(canvas);
  EXPECT_EQ(canvas->width, 1200);
  EXPECT_EQ(canvas->height, 900);
}

}  // namespace
