#include "core/bmp_writer.h"

namespace {

constexpr std::uint16_t kBitsPerPixel = 24;
constexpr std::uint32_t kBiRgb = 0;

// Fields are written one by one in little-endian order, whatever the host.
class LittleEndianWriter {
 public:
  explicit LittleEndianWriter(std::uint8_t* out) : out_(out) {}
  void U16(std::uint32_t v) { Bytes(v, 2); }
  void U32(std::uint32_t v) { Bytes(v, 4); }

 private:
  void Bytes(std::uint32_t v, int count) {
    for (int i = 0; i < count; ++i) *out_++ = static_cast<std::uint8_t>(v >> (8 * i));
  }
  std::uint8_t* out_;
};

}  // namespace

std::array<std::uint8_t, kBmpHeadersSize> EncodeBmpHeaders(const Canvas& canvas) {
  std::array<std::uint8_t, kBmpHeadersSize> headers{};
  LittleEndianWriter w(headers.data());
  // BITMAPFILEHEADER
  w.U16('B' | 'M' << 8);
  w.U32(static_cast<std::uint32_t>(kBmpHeadersSize + PixelArraySize(canvas)));
  w.U16(0);
  w.U16(0);
  w.U32(kBmpHeadersSize);
  // BITMAPINFOHEADER; a positive height means bottom-up rows.
  w.U32(kBmpInfoHeaderSize);
  w.U32(static_cast<std::uint32_t>(canvas.width));
  w.U32(static_cast<std::uint32_t>(canvas.height));
  w.U16(1);
  w.U16(kBitsPerPixel);
  w.U32(kBiRgb);
  // The image size, the resolution and the colour counts stay 0.
  return headers;
}

void WriteBmpFile(const Canvas* canvas, const PathChar* path) {
  if (!path || !*path) return;
  if (!canvas) return;
  const auto headers = EncodeBmpHeaders(*canvas);

  ExclusiveFile file(path);
  if (!file.IsOpen()) return;  // an old file there stays as it was
  // A failed or short request leaves the file closed uncut: what was written,
  // then whatever a longer old file held beyond it.
  if (!file.Write(headers.data(), kBmpFileHeaderSize)) return;
  if (!file.Write(headers.data() + kBmpFileHeaderSize, kBmpInfoHeaderSize)) return;
  if (!file.Write(canvas->pixels.get(), PixelArraySize(*canvas))) return;
  file.CutHere();
}
