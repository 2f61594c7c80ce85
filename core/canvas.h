#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/colorref.h"
#include "core/heap.h"

constexpr int kPictureWidth = 1200;
constexpr int kPictureHeight = 900;

// The picture in memory, kept exactly as a 24-bit BMP pixel array (rows
// bottom-up, pixels as B,G,R, rows padded to 4 bytes) so that saving it is a
// single write with no reshuffling.
struct Canvas {
  int width;
  int height;
  int stride;  // bytes per row
  HeapArray<std::uint8_t> pixels;
};

// Canvases live in malloc'ed memory, like their pixels.
struct CanvasDeleter {
  void operator()(Canvas* canvas) const;
};
using CanvasPtr = std::unique_ptr<Canvas, CanvasDeleter>;

// Null when the memory cannot be had. Contents are undefined until cleared.
CanvasPtr CreateCanvas(int width, int height);

// Every operation below does nothing when given no canvas.
void ClearCanvas(Canvas* canvas);

// Paints x1 <= x < x2, y1 <= y < y2 in one colour, clipped to the canvas.
void FillBox(Canvas* canvas, int x1, int y1, int x2, int y2, COLORREF color);

COLORREF CanvasPixel(const Canvas& canvas, int x, int y);

inline std::size_t PixelArraySize(const Canvas& canvas) {
  return static_cast<std::size_t>(canvas.stride) * static_cast<std::size_t>(canvas.height);
}
