#pragma once

#include <cstdint>

// 0x00BBGGRR, red in the low byte; only the low 24 bits carry colour.
// Declared as the Windows headers declare it, so the two can meet in one file.
#ifdef _WIN32
typedef unsigned long COLORREF;
#else
typedef std::uint32_t COLORREF;
#endif

constexpr COLORREF kWhite = 0x00FFFFFF;

constexpr std::uint8_t RedOf(COLORREF c) { return static_cast<std::uint8_t>(c); }
constexpr std::uint8_t GreenOf(COLORREF c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(COLORREF c) { return static_cast<std::uint8_t>(c >> 16); }
