#pragma once

#include <cstddef>

#include "core/heap.h"

// A wide string on the heap, as long as it needs to be (a Windows path can
// reach 32767 characters). Move-only. A failed allocation leaves the text
// empty for good: later appends do nothing, so a path built from pieces is
// either whole or empty, never a shorter path that names another file.
class WideText {
 public:
  WideText() = default;
  // A copy of run[0, length); the run needs no terminator.
  WideText(const wchar_t* run, std::size_t length);
  explicit WideText(const wchar_t* text);
  WideText(WideText&& other) noexcept;
  WideText& operator=(WideText&& other) noexcept;
  WideText(const WideText&) = delete;
  WideText& operator=(const WideText&) = delete;

  // The run must not lie inside this text.
  void Append(const wchar_t* run, std::size_t length);
  void Append(const wchar_t* text);

  // Terminated; never null, L"" when empty.
  const wchar_t* c_str() const { return text_ ? text_.get() : L""; }
  std::size_t length() const { return length_; }

 private:
  void Fail();

  HeapArray<wchar_t> text_;
  std::size_t length_ = 0;
  bool failed_ = false;
};
