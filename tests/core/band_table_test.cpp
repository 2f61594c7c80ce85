#include "core/band_table.h"

#include <gtest/gtest.h>

namespace {

void ExpectDefaults() {
  EXPECT_EQ(GetBandCount(), 2);
  for (int slot = 1; slot <= 7; ++slot) {
    EXPECT_EQ(GetBand(slot).color, 0x808080u) << "slot " << slot;
    EXPECT_EQ(GetBand(slot).width, 5) << "slot " << slot;
  }
}

TEST(BandTable, ResetGivesDefaultsWhateverWasStored) {
  ResetBandTable();
  ExpectDefaults();
  for (int slot = 1; slot <= 7; ++slot) {
    SetBandWidth(slot, static_cast<std::int16_t>(slot * 7));
    SetBandColor(slot, 0x00010203u * slot);
  }
  SetBandCount(6);
  ResetBandTable();
  ExpectDefaults();
}

TEST(BandTable, StoresWhatItIsGivenAndTouchesNothingElse) {
  ResetBandTable();
  SetBandCount(7);
  SetBandWidth(6, 40);
  SetBandCount(3);
  SetBandCount(7);
  EXPECT_EQ(GetBand(6).width, 40) << "lowering the count clears nothing";

  SetBandColor(2, 0x0000FF);
  EXPECT_EQ(GetBand(2).width, 5) << "a colour leaves the width";
  SetBandWidth(2, 0);
  EXPECT_EQ(GetBand(2).color, 0x0000FFu) << "a width leaves the colour";
  EXPECT_EQ(GetBand(2).width, 0) << "0 is stored, not refused";
  SetBandCount(0);
  EXPECT_EQ(GetBandCount(), 0);
  for (int slot : {1, 3, 4, 5, 7}) EXPECT_EQ(GetBand(slot).color, 0x808080u) << "slot " << slot;
  EXPECT_EQ(GetBandTable().slot[5].width, 40) << "the table view shows band 6 in its slot";
}

}  // namespace
