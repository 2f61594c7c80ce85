#include "core/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace {

constexpr int kBytesPerPixel = 3;
// Keeps the pixel array and the BMP size field well inside 32 bits.
constexpr int kMaxSide = 16384;

std::uint8_t* RowStart(const Canvas& canvas, int y) {
  return canvas.pixels.get() + static_cast<std::size_t>(canvas.height - 1 - y) * canvas.stride;
}

// Writes one pixel, then doubles the painted run until `count` pixels hold it.
void FillRun(std::uint8_t* run, int count, COLORREF color) {
  run[0] = BlueOf(color);
  run[1] = GreenOf(color);
  run[2] = RedOf(color);
  const std::size_t total = static_cast<std::size_t>(count) * kBytesPerPixel;
  for (std::size_t done = kBytesPerPixel; done < total; done *= 2) {
    std::memcpy(run + done, run, std::min(done, total - done));
  }
}

}  // namespace

CanvasPtr CreateCanvas(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return nullptr;
  const int stride = (width * kBytesPerPixel + 3) / 4 * 4;
  // Zero-filled, so the row padding of odd widths is already as BMP readers expect.
  HeapArray<std::uint8_t> pixels = ZeroedArray<std::uint8_t>(static_cast<std::size_t>(stride) *
                                                             static_cast<std::size_t>(height));
  if (!pixels) return nullptr;
  void* const place = std::malloc(sizeof(Canvas));
  if (!place) return nullptr;
  return CanvasPtr(new (place) Canvas{width, height, stride, std::move(pixels)});
}

void CanvasDeleter::operator()(Canvas* canvas) const {
  canvas->~Canvas();
  std::free(canvas);
}

void ClearCanvas(Canvas* canvas) {
  if (!canvas) return;
  FillBox(canvas, 0, 0, canvas->width, canvas->height, kWhite);
}

void FillBox(Canvas* canvas, int x1, int y1, int x2, int y2, COLORREF color) {
  if (!canvas) return;
  x1 = std::clamp(x1, 0, canvas->width);
  x2 = std::clamp(x2, 0, canvas->width);
  y1 = std::clamp(y1, 0, canvas->height);
  y2 = std::clamp(y2, 0, canvas->height);
  if (x1 >= x2 || y1 >= y2) return;

  // Rows are stored bottom-up: paint the lowest row of the box once, then
  // copy it into the rows above.
  const std::size_t offset = static_cast<std::size_t>(x1) * kBytesPerPixel;
  const std::size_t runBytes = static_cast<std::size_t>(x2 - x1) * kBytesPerPixel;
  std::uint8_t* first = RowStart(*canvas, y2 - 1) + offset;
  FillRun(first, x2 - x1, color);
  for (int y = y2 - 2; y >= y1; --y) std::memcpy(RowStart(*canvas, y) + offset, first, runBytes);
}

COLORREF CanvasPixel(const Canvas& canvas, int x, int y) {
  const std::uint8_t* p = RowStart(canvas, y) + static_cast<std::size_t>(x) * kBytesPerPixel;
  return static_cast<COLORREF>(p[2]) | static_cast<COLORREF>(p[1]) << 8 |
         static_cast<COLORREF>(p[0]) << 16;
}
