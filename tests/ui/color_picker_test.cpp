#include "ui/color_picker.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>

#include "tests/ui/color_dialog_driver.h"

namespace {

using ui_testing::CloseBy;
using ui_testing::ColorDialogAnswer;

struct WindowCloser {
  void operator()(HWND window) const { ::DestroyWindow(window); }
};
using Window = std::unique_ptr<std::remove_pointer_t<HWND>, WindowCloser>;

constexpr int kOwnerX = 105, kOwnerY = 114;

Window MakeOwner() {
  return Window(::CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE,
                                  kOwnerX, kOwnerY, 280, 340, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr));
}

class ColorPickerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(owner_.get(), nullptr); }

  // One opening answered by `answer`; the picker's result.
  std::int32_t Pick(ColorDialogAnswer& answer, COLORREF initial = 0x00808080) {
    const std::int32_t result = PickColor(owner_.get(), initial, custom_);
    answer.Finish();
    EXPECT_TRUE(answer.seen());
    EXPECT_FALSE(answer.leftOpen());
    return result;
  }

  Window owner_ = MakeOwner();
  COLORREF custom_[16] = {};
};

TEST_F(ColorPickerTest, OpensFullyOnTheInitialColourBesideTheOwnersCorner) {
  ColorDialogAnswer answer([](HWND dialog) { Close(dialog, CloseBy::kCancel); });
  // Only the low 24 bits are a colour.
  Pick(answer, 0xAB204060);
  RECT owner;
  ASSERT_TRUE(::GetWindowRect(owner_.get(), &owner));
  EXPECT_EQ(answer.opened().rect.left, owner.left + 30);
  EXPECT_EQ(answer.opened().rect.top, owner.top + 30);
  EXPECT_TRUE(answer.opened().fullyOpen);
  EXPECT_EQ(answer.opened().red, 0x60);
  EXPECT_EQ(answer.opened().green, 0x40);
  EXPECT_EQ(answer.opened().blue, 0x20);
}

TEST_F(ColorPickerTest, WithoutAnOwnerRectangleItOpensInTheMiddleOfTheWorkArea) {
  ColorDialogAnswer answer([](HWND dialog) { Close(dialog, CloseBy::kCancel); });
  EXPECT_EQ(PickColor(nullptr, 0x00808080, custom_), -1);
  answer.Finish();
  ASSERT_TRUE(answer.seen());
  RECT work;
  ASSERT_TRUE(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
  const RECT& seen = answer.opened().rect;
  EXPECT_EQ(seen.left, work.right / 2 - (seen.right - seen.left) / 2);
  EXPECT_EQ(seen.top, work.bottom / 2 - (seen.bottom - seen.top) / 2);
}

class AcceptedColourTest : public ColorPickerTest,
                           public ::testing::WithParamInterface<COLORREF> {};

TEST_P(AcceptedColourTest, IsReturned) {
  const COLORREF typed = GetParam();
  ColorDialogAnswer answer([typed](HWND dialog) {
    ui_testing::TypeColor(dialog, typed);
    Close(dialog, CloseBy::kOk);
  });
  EXPECT_EQ(Pick(answer), static_cast<std::int32_t>(typed));
}

// Black is a colour like any other; grey is what OK gives untouched.
INSTANTIATE_TEST_SUITE_P(Colours, AcceptedColourTest,
                         ::testing::Values(0x00000000, 0x000000FF, 0x00FFFFFF, 0x00563412,
                                           0x00808080));

class NoChoiceTest : public ColorPickerTest, public ::testing::WithParamInterface<CloseBy> {};

TEST_P(NoChoiceTest, GivesMinusOneEvenAfterAnEarlierAcceptanceAndATypedColour) {
  ColorDialogAnswer accept([](HWND dialog) { Close(dialog, CloseBy::kOk); });
  ASSERT_EQ(Pick(accept), 0x00808080);
  const CloseBy how = GetParam();
  ColorDialogAnswer refuse([how](HWND dialog) {
    ui_testing::TypeColor(dialog, 0x000000FF);
    Close(dialog, how);
  });
  EXPECT_EQ(Pick(refuse), -1);
}

INSTANTIATE_TEST_SUITE_P(Ways, NoChoiceTest,
                         ::testing::Values(CloseBy::kCancel, CloseBy::kEscape, CloseBy::kCloseBox),
                         [](const ::testing::TestParamInfo<CloseBy>& info) {
                           return std::string(ui_testing::NameOf(info.param));
                         });

TEST_F(ColorPickerTest, ACustomColourDefinedInOneOpeningIsOfferedInTheNext) {
  constexpr COLORREF kDefined = 0x001E140A;
  ColorDialogAnswer define([](HWND dialog) {
    ui_testing::TypeColor(dialog, kDefined);
    ui_testing::AddCustomColor(dialog);
    Close(dialog, CloseBy::kCancel);
  });
  EXPECT_EQ(Pick(define), -1);
  EXPECT_EQ(custom_[0], kDefined);

  ui_testing::ColorDialogView offered{};
  ColorDialogAnswer reuse([&offered](HWND dialog) {
    ui_testing::ClickFirstCustomCell(dialog);
    offered = ui_testing::Look(dialog);
    Close(dialog, CloseBy::kOk);
  });
  EXPECT_EQ(Pick(reuse), static_cast<std::int32_t>(kDefined));
  EXPECT_EQ(RGB(offered.red, offered.green, offered.blue), kDefined);
}

}  // namespace
