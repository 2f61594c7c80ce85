#pragma once

#include <windows.h>

#include <utility>

// Move-only owners of GDI handles: each kind is released in one place, the
// way its kind must be released.

// One owned handle, released by Release when the owner ends or takes another.
template <typename Handle, typename Release>
class OwnedGdi {
 public:
  OwnedGdi() = default;
  explicit OwnedGdi(Handle handle) : handle_(handle) {}
  ~OwnedGdi() { Reset(); }
  OwnedGdi(OwnedGdi&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  OwnedGdi& operator=(OwnedGdi&& other) noexcept {
    if (this != &other) {
      Reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  OwnedGdi(const OwnedGdi&) = delete;
  OwnedGdi& operator=(const OwnedGdi&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset() {
    if (handle_) Release{}(handle_);
    handle_ = nullptr;
  }

 private:
  Handle handle_ = nullptr;
};

struct DeleteGdiObject {
  void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct DeleteMemoryDc {
  void operator()(HDC dc) const { ::DeleteDC(dc); }
};

// Fonts, brushes and bitmaps go with DeleteObject, memory device contexts
// with DeleteDC.
using Font = OwnedGdi<HFONT, DeleteGdiObject>;
using Brush = OwnedGdi<HBRUSH, DeleteGdiObject>;
using Bitmap = OwnedGdi<HBITMAP, DeleteGdiObject>;
using MemoryDc = OwnedGdi<HDC, DeleteMemoryDc>;

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
