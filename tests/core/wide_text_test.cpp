#include "core/wide_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace {

std::wstring Text(const WideText& text) { return std::wstring(text.c_str(), text.length()); }

TEST(WideTextTest, HoldsExactlyTheRunItWasGivenTerminated) {
  const wchar_t run[] = L"C:\\Bandas\\app.exe";
  const WideText folder(run, 10);
  EXPECT_EQ(Text(folder), L"C:\\Bandas\\");
  EXPECT_EQ(folder.c_str()[folder.length()], L'\0');
  EXPECT_STREQ(WideText().c_str(), L"");
  EXPECT_STREQ(WideText(run, 0).c_str(), L"");
}

// Module paths reach 32767 characters; appending must keep every one.
TEST(WideTextTest, AppendsPastTheLongestPath) {
  const std::wstring folder = L"\\\\?\\C:\\" + std::wstring(40000, L'x') + L"\\";
  WideText path(folder.c_str());
  path.Append(L"prueba.bmp");
  path.Append(L"", 0);
  EXPECT_EQ(Text(path), folder + L"prueba.bmp");
  EXPECT_EQ(path.c_str()[path.length()], L'\0');
}

TEST(WideTextTest, MovingLeavesTheSourceEmpty) {
  WideText from(L"prueba.bmp");
  WideText to(std::move(from));
  EXPECT_EQ(Text(to), L"prueba.bmp");
  EXPECT_STREQ(from.c_str(), L"");
  EXPECT_EQ(from.length(), 0u);
  from = std::move(to);
  EXPECT_EQ(Text(from), L"prueba.bmp");
  EXPECT_EQ(to.length(), 0u);
}

// A length whose byte count cannot be had must neither wrap around nor leave
// a shorter text that names another file.
TEST(WideTextTest, AnImpossibleAppendLeavesTheTextEmptyForGood) {
  WideText path(L"C:\\Bandas\\");
  path.Append(L"prueba.bmp", SIZE_MAX / sizeof(wchar_t));
  EXPECT_STREQ(path.c_str(), L"");
  path.Append(L"prueba.bmp");
  EXPECT_STREQ(path.c_str(), L"");
  EXPECT_EQ(path.length(), 0u);
}

}  // namespace
