#pragma once

#include <cstdint>
#include <vector>

#include "core/band_table.h"
#include "tests/support/test_files.h"

namespace testing_support {

// What the picture must be, worked out from the row rule alone (row r of a
// repetition of P rows has m = r mod P; m = P - 1 is the white separator),
// without any of the code under test.
std::vector<COLORREF> ExpectedRowColors(const BandTable& table, std::int16_t count);

// The whole 3,240,054-byte file for those rows.
Bytes ExpectedBmpFile(const BandTable& table, std::int16_t count);

// The 54 header bytes of every picture, as published for the format.
Bytes ExpectedBmpHeaders();

BandTable UniformTable(COLORREF color, std::int16_t width);

}  // namespace testing_support
