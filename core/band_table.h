#pragma once

#include <cstdint>

#include "core/colorref.h"

// One stripe of the repeating pattern.
struct Band {
  COLORREF color;
  std::int16_t width;  // rows
};

constexpr int kBandSlots = 7;

// Bands are numbered 1 to 7; band k lives in slot[k - 1].
struct BandTable {
  Band slot[kBandSlots];
};

inline const Band& BandNumber(const BandTable& table, int number) { return table.slot[number - 1]; }

// The one process-wide table that the dialog edits and the create action
// draws. Nothing is checked: the renderer decides what odd values draw.
void ResetBandTable();
void SetBandWidth(int slot, std::int16_t width);
void SetBandColor(int slot, COLORREF color);
void SetBandCount(std::int16_t count);
Band GetBand(int slot);
std::int16_t GetBandCount();
const BandTable& GetBandTable();
