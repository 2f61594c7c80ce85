#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/canvas.h"
#include "core/exclusive_file.h"

constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::size_t kBmpInfoHeaderSize = 40;
constexpr std::size_t kBmpHeadersSize = kBmpFileHeaderSize + kBmpInfoHeaderSize;

// BITMAPFILEHEADER then BITMAPINFOHEADER of an uncompressed 24-bit bottom-up
// BMP of the canvas; the canvas itself already is the pixel array.
std::array<std::uint8_t, kBmpHeadersSize> EncodeBmpHeaders(const Canvas& canvas);

// Saves the canvas at the path. Silent: a failure leaves the file as the
// failed step found it (see the notes in the implementation).
void WriteBmpFile(const Canvas* canvas, const PathChar* path);
