#pragma once

#include <windows.h>

#include <utility>

// Move-only owners of GDI handles: each kind is released in one place, the
// way its kind must be released.

// A font, brush or bitmap, deleted with DeleteObject.
template <typename Handle>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(Handle handle) : handle_(handle) {}
  ~GdiObject() { Reset(); }
  GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset() {
    if (handle_) ::DeleteObject(handle_);
    handle_ = nullptr;
  }

 private:
  Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// A memory device context, deleted with DeleteDC.
class MemoryDc {
 public:
  MemoryDc() = default;
  explicit MemoryDc(HDC dc) : dc_(dc) {}
  ~MemoryDc() {
    if (dc_) ::DeleteDC(dc_);
  }
  MemoryDc(MemoryDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  MemoryDc& operator=(MemoryDc&& other) noexcept {
    std::swap(dc_, other.dc_);
    return *this;
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HDC dc_ = nullptr;
};

// A window's device context, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(window ? ::GetDC(window) : nullptr) {}
  ~WindowDc() {
    if (dc_) ::ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// An object selected into a device context; the one it displaced goes back
// in when this ends, so the object can then be deleted.
class Selection {
 public:
  Selection() = default;
  Selection(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(dc ? ::SelectObject(dc, object) : nullptr) {}
  ~Selection() {
    if (previous_) ::SelectObject(dc_, previous_);
  }
  Selection(Selection&& other) noexcept
      : dc_(other.dc_), previous_(std::exchange(other.previous_, nullptr)) {}
  Selection& operator=(Selection&& other) noexcept {
    std::swap(dc_, other.dc_);
    std::swap(previous_, other.previous_);
    return *this;
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

  explicit operator bool() const { return previous_ != nullptr; }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};
