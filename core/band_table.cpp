#include "core/band_table.h"

namespace {

constexpr COLORREF kDefaultColor = 0x00808080;
constexpr std::int16_t kDefaultWidth = 5;
constexpr std::int16_t kDefaultCount = 2;

BandTable g_bandTable;
std::int16_t g_bandCount;

Band& Slot(int number) { return g_bandTable.slot[number - 1]; }

}  // namespace

void ResetBandTable() {
  for (Band& band : g_bandTable.slot) band = Band{kDefaultColor, kDefaultWidth};
  g_bandCount = kDefaultCount;
}

void SetBandWidth(int slot, std::int16_t width) { Slot(slot).width = width; }

void SetBandColor(int slot, COLORREF color) { Slot(slot).color = color; }

void SetBandCount(std::int16_t count) { g_bandCount = count; }

Band GetBand(int slot) { return Slot(slot); }

std::int16_t GetBandCount() { return g_bandCount; }

const BandTable& GetBandTable() { return g_bandTable; }
