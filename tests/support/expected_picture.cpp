#include "tests/support/expected_picture.h"

namespace testing_support {

namespace {
constexpr int kRows = 900;
constexpr int kColumns = 1200;
}  // namespace

std::vector<COLORREF> ExpectedRowColors(const BandTable& table, std::int16_t count) {
  std::vector<COLORREF> rows(kRows, 0xFFFFFF);
  if (count < 2 || count > 7) return rows;
  int period = 1;
  for (int k = 0; k < count; ++k) period += table.slot[k].width;
  for (int r = 0; r < kRows; ++r) {
    const int m = r % period;
    if (m == period - 1) continue;
    int offset = 0;
    for (int k = 0; k < count; ++k) {
      if (offset <= m && m < offset + table.slot[k].width) rows[r] = table.slot[k].color;
      offset += table.slot[k].width;
    }
  }
  return rows;
}

Bytes ExpectedBmpHeaders() {
  return {0x42, 0x4D, 0x76, 0x70, 0x31, 0x00, 0x00, 0x00, 0x00, 0x00, 0x36, 0x00, 0x00, 0x00,
          0x28, 0x00, 0x00, 0x00, 0xB0, 0x04, 0x00, 0x00, 0x84, 0x03, 0x00, 0x00, 0x01, 0x00,
          0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
          0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
}

Bytes ExpectedBmpFile(const BandTable& table, std::int16_t count) {
  Bytes file = ExpectedBmpHeaders();
  file.reserve(file.size() + kRows * kColumns * 3);
  const auto rows = ExpectedRowColors(table, count);
  for (int r = kRows - 1; r >= 0; --r) {
    const COLORREF c = rows[r];
    for (int x = 0; x < kColumns; ++x) {
      file.push_back(static_cast<std::uint8_t>(c >> 16));
      file.push_back(static_cast<std::uint8_t>(c >> 8));
      file.push_back(static_cast<std::uint8_t>(c));
    }
  }
  return file;
}

BandTable UniformTable(COLORREF color, std::int16_t width) {
  BandTable table;
  for (Band& band : table.slot) band = Band{color, width};
  return table;
}

}  // namespace testing_support
