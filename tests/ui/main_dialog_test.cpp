#include "ui/main_dialog.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/test_files.h"
#include "tests/ui/dialog_script.h"
#include "tests/ui/layout_facts.h"

namespace {

using testing_support::ControlFacts;
using testing_support::RunMainDialogScript;

struct Expected {
  const wchar_t* className;
  int id;
  const wchar_t* text;
  int x, y, width, height;
  LONG style;
};

constexpr LONG kList = 0x50010102, kLabel = 0x50000000, kSwatch = 0x5080010D, kButton = 0x50010000;

// Creation order. Texts as the ANSI code page 1252 turns them into UTF-16.
const Expected kLayout[] = {
    {L"ComboBox", 1001, L"", 8, 24, 248, 130, kList},
    {L"Static", 1002, L"Elige n\u00famero de bandas", 15, 8, 241, 16, kLabel},
    {L"Static", 1003, L"1\u00ba color", 8, 56, 96, 16, kLabel},
    {L"ComboBox", 1004, L"", 104, 50, 120, 65, kList},
    {L"Static", 1005, L"", 232, 48, 24, 24, kSwatch},
    {L"ComboBox", 1006, L"", 104, 80, 120, 65, kList},
    {L"Static", 1007, L"2\u00ba color", 8, 86, 96, 16, kLabel},
    {L"Static", 1008, L"", 232, 78, 24, 24, kSwatch},
    {L"ComboBox", 1009, L"", 104, 142, 120, 65, kList},
    {L"Static", 1010, L"3\u00ba color", 8, 118, 96, 16, kLabel},
    {L"ComboBox", 1011, L"", 104, 112, 120, 65, kList},
    {L"Static", 1012, L"", 232, 110, 24, 24, kSwatch},
    {L"Static", 1013, L"4\u00ba color", 8, 148, 96, 16, kLabel},
    {L"Static", 1014, L"", 232, 140, 24, 24, kSwatch},
    {L"ComboBox", 1015, L"", 104, 237, 120, 65, kList},
    {L"ComboBox", 1016, L"", 104, 175, 120, 65, kList},
    {L"Static", 1017, L"5\u00ba color", 8, 181, 96, 16, kLabel},
    {L"Static", 1018, L"", 232, 173, 24, 24, kSwatch},
    {L"Static", 1019, L"6\u00ba color", 8, 213, 96, 16, kLabel},
    {L"ComboBox", 1020, L"", 104, 207, 120, 65, kList},
    {L"Static", 1021, L"", 232, 205, 24, 24, kSwatch},
    {L"Static", 1022, L"7\u00ba color", 8, 243, 96, 16, kLabel},
    {L"Static", 1023, L"", 232, 235, 24, 24, kSwatch},
    {L"Button", 1024, L"Crear", 183, 271, 75, 24, kButton},
};

std::vector<ControlFacts> Controls;
HFONT DialogFont;
RECT Client, Outer;
std::wstring Caption;
std::vector<int> TabOrder;
LOGFONTW LabelLogFont;
int LabelLogFontSize;

// One run of the dialog, read once for the tests below.
class MainDialogLayout : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    RunMainDialogScript({[](HWND dialog) {
      Controls = testing_support::ReadControls(dialog);
      DialogFont = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
      ::GetClientRect(dialog, &Client);
      ::GetWindowRect(dialog, &Outer);
      wchar_t text[64] = {};
      ::GetWindowTextW(dialog, text, 64);
      Caption = text;
      LabelLogFontSize = ::GetObjectW(
          reinterpret_cast<HFONT>(::SendDlgItemMessageW(dialog, 1002, WM_GETFONT, 0, 0)),
          sizeof LabelLogFont, &LabelLogFont);
      HWND first = ::GetDlgItem(dialog, 1001);
      HWND item = first;
      do {
        TabOrder.push_back(::GetDlgCtrlID(item));
        item = ::GetNextDlgTabItem(dialog, item, FALSE);
      } while (item && item != first && TabOrder.size() < 30);
    }});
  }
};

TEST_F(MainDialogLayout, ControlsAsTheTableSaysInCreationOrder) {
  ASSERT_EQ(Controls.size(), std::size(kLayout));
  for (std::size_t i = 0; i < Controls.size(); ++i) {
    const ControlFacts& got = Controls[i];
    const Expected& want = kLayout[i];
    SCOPED_TRACE(testing::Message() << "control " << i + 1 << ", id " << want.id);
    EXPECT_EQ(_wcsicmp(got.className.c_str(), want.className), 0);
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.text, want.text);
    EXPECT_EQ(got.rect.left, want.x);
    EXPECT_EQ(got.rect.top, want.y);
    EXPECT_EQ(got.rect.right - got.rect.left, want.width);
    if (want.style == kList) {
      // The height given is the list's dropped down; closed, its font decides.
      EXPECT_EQ(got.droppedBottom, want.y + want.height);
    } else {
      EXPECT_EQ(got.rect.bottom - got.rect.top, want.height);
    }
    EXPECT_EQ(got.style, want.style);
    EXPECT_EQ(got.exStyle, 0);
  }
}

TEST_F(MainDialogLayout, WindowPlaceSizeAndCaption) {
  EXPECT_EQ(Client.right, 268);
  EXPECT_EQ(Client.bottom, 303);
  EXPECT_EQ(Outer.left, 105);
  EXPECT_EQ(Outer.top, 114);
  EXPECT_GT(Outer.bottom - Outer.top, 303);  // the caption and frame are outside
  EXPECT_EQ(Caption, L"Bandas de colores");
}

TEST_F(MainDialogLayout, TabOrderIsTheListsThenCrear) {
  EXPECT_EQ(TabOrder, (std::vector<int>{1001, 1004, 1006, 1009, 1011, 1015, 1016, 1020, 1024}));
}

TEST_F(MainDialogLayout, LabelsShareOneBoldFontTheRestUseTheDialogFont) {
  ASSERT_EQ(Controls.size(), std::size(kLayout));
  HFONT labelFont = Controls[1].font;
  ASSERT_NE(labelFont, nullptr);
  EXPECT_NE(labelFont, DialogFont);
  for (std::size_t i = 0; i < Controls.size(); ++i) {
    const bool label = kLayout[i].style == kLabel;
    EXPECT_EQ(Controls[i].font, label ? labelFont : DialogFont) << "id " << kLayout[i].id;
  }
  const LOGFONTW& font = LabelLogFont;
  ASSERT_EQ(LabelLogFontSize, static_cast<int>(sizeof font));
  EXPECT_EQ(font.lfHeight, -11);
  EXPECT_EQ(font.lfWidth, 0);
  EXPECT_EQ(font.lfEscapement, 0);
  EXPECT_EQ(font.lfOrientation, 0);
  EXPECT_EQ(font.lfWeight, 700);
  EXPECT_EQ(font.lfItalic | font.lfUnderline | font.lfStrikeOut | font.lfCharSet, 0);
  EXPECT_EQ(font.lfOutPrecision | font.lfClipPrecision | font.lfQuality | font.lfPitchAndFamily, 0);
  EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
  // The font belongs to the run: gone once it is over.
  EXPECT_EQ(::GetObjectType(labelFont), 0u);
}

// Wine reads the screen resolution from the registry when a process starts,
// so each resolution is a child process.
void SetLogPixels(DWORD value) {
  HKEY key = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExW(key, L"LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
  ::RegCloseKey(key);
}

std::wstring ProbePath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"bandas_layout_probe.exe";
}

// Runs the probe and gives back what it wrote; "" if it did not finish.
std::string RunProbe(const std::filesystem::path& output) {
  {
    const testing_support::ChildProcess probe(ProbePath(), L" \"" + output.wstring() + L"\"");
    if (!probe.started()) return "";
    probe.WaitForExit(30000);
  }
  std::ifstream in(output, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class LabelFontAtResolution : public testing::TestWithParam<std::pair<DWORD, LONG>> {};

TEST_P(LabelFontAtResolution, GrowsWhileTheRectanglesStay) {
  testing_support::TempDir temp;
  const auto [pixelsPerInch, height] = GetParam();
  SetLogPixels(pixelsPerInch);
  const std::string atResolution = RunProbe(temp / "probe.txt");
  SetLogPixels(96);
  const std::string atNormal = RunProbe(temp / "probe96.txt");
  ASSERT_FALSE(atResolution.empty());
  ASSERT_FALSE(atNormal.empty());
  const std::string fontLine = atResolution.substr(0, atResolution.find('\n'));
  EXPECT_EQ(fontLine, "font " + std::to_string(height) + " 700");
  EXPECT_EQ(atNormal.substr(0, atNormal.find('\n')), "font -11 700");
  EXPECT_EQ(atResolution.substr(atResolution.find('\n')), atNormal.substr(atNormal.find('\n')));
}

INSTANTIATE_TEST_SUITE_P(PixelsPerInch, LabelFontAtResolution,
                         testing::Values(std::pair<DWORD, LONG>{120, -13},
                                         std::pair<DWORD, LONG>{144, -16}),
                         [](const auto& info) { return std::to_string(info.param.first); });

}  // namespace
