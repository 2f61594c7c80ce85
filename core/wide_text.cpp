#include "core/wide_text.h"

#include <cstdint>
#include <cstring>
#include <cwchar>
#include <utility>

WideText::WideText(const wchar_t* run, std::size_t length) { Append(run, length); }

WideText::WideText(const wchar_t* text) { Append(text); }

WideText::WideText(WideText&& other) noexcept
    : text_(std::move(other.text_)),
      length_(std::exchange(other.length_, 0)),
      failed_(std::exchange(other.failed_, false)) {}

WideText& WideText::operator=(WideText&& other) noexcept {
  if (this != &other) {
    text_ = std::move(other.text_);
    length_ = std::exchange(other.length_, 0);
    failed_ = std::exchange(other.failed_, false);
  }
  return *this;
}

void WideText::Append(const wchar_t* run, std::size_t length) {
  if (failed_ || !run || length == 0) return;
  // Room for the terminator, in bytes that size_t can count.
  constexpr std::size_t kMostCharacters = SIZE_MAX / sizeof(wchar_t) - 1;
  if (length > kMostCharacters - length_) return Fail();
  const std::size_t total = length_ + length;
  wchar_t* const old = text_.release();
  void* const grown = std::realloc(old, (total + 1) * sizeof(wchar_t));
  if (!grown) {
    std::free(old);
    return Fail();
  }
  text_.reset(static_cast<wchar_t*>(grown));
  std::memcpy(text_.get() + length_, run, length * sizeof(wchar_t));
  text_[total] = L'\0';
  length_ = total;
}

void WideText::Append(const wchar_t* text) {
  if (text) Append(text, std::wcslen(text));
}

void WideText::Fail() {
  text_.reset();
  length_ = 0;
  failed_ = true;
}
