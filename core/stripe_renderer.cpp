#include "core/stripe_renderer.h"

namespace {

constexpr std::int16_t kMinDrawnCount = 2;

// Draws one repetition from row y and returns the row after its last band.
// Stops early once a band reaches the bottom edge: everything after it would
// be clipped away, and stopping keeps the 16-bit cursor from overflowing
// whatever width the table holds.
int DrawPass(Canvas* canvas, const BandTable& table, std::int16_t count, int y) {
  for (int number = 1; number <= count; ++number) {
    const Band& band = BandNumber(table, number);
    // A negative width would move the cursor up and never let the render end.
    const int width = band.width > 0 ? band.width : 0;
    FillBox(canvas, 0, y, kPictureWidth, y + width, band.color);
    y += width;
    if (y >= kPictureHeight) return kPictureHeight;
  }
  return y;
}

}  // namespace

void RenderStripes(Canvas* canvas, const BandTable& table, std::int16_t count) {
  if (!canvas) return;
  if (count < kMinDrawnCount || count > kBandSlots) return;
  std::int16_t y = 0;
  do {
    y = static_cast<std::int16_t>(DrawPass(canvas, table, count, y) + 1);  // the separator row
  } while (y < kPictureHeight);
}
