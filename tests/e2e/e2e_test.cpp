// The real program driven from outside, the way a user's actions reach it.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "core/band_table.h"
#include "tests/e2e/program_driver.h"
#include "tests/support/expected_picture.h"
#include "tests/support/shell_recorder/shell_association.h"
#include "tests/support/test_files.h"
#include "tests/ui/color_dialog_driver.h"

namespace {

using e2e::Program;
using testing_support::ExpectedBmpFile;
using testing_support::ShellAssociation;
using testing_support::TempDir;
using ui_testing::CloseBy;

// The rows as the dialog must have them, written down here independently.
struct Row {
  int list, swatch;
};
constexpr Row kRows[7] = {{1004, 1005}, {1006, 1008}, {1011, 1012}, {1009, 1014},
                          {1016, 1018}, {1020, 1021}, {1015, 1023}};
constexpr int kCountList = 1001;
constexpr int kCreate = 1024;
constexpr DWORD kColorDialogBoundMs = 10000;

std::filesystem::path ProgramPath() { return testing_support::WindowsPathOfHostFile(BANDAS_EXE); }

// What the band table must hold, kept by the driver from its own actions.
struct Model {
  BandTable table = testing_support::UniformTable(0x00808080, 5);
  std::int16_t count = 2;
  int enabledRows = 2;  // a count outside 2..7 leaves the rows as they were
};

// ---- A user's actions, as the controls would report them --------------------------

// Picks item `index` of a list (-1: none) and lets the dialog hear of it.
bool ChooseItem(const Program& program, int list, int index, int code = CBN_SELCHANGE) {
  HWND window = program.Control(list);
  return program.Send(window, CB_SETCURSEL, static_cast<WPARAM>(index), 0) &&
         program.Send(program.dialog(), WM_COMMAND, MAKEWPARAM(list, code),
                      reinterpret_cast<LPARAM>(window));
}

void ClickSwatch(const Program& program, int row) {
  HWND swatch = program.Control(kRows[row - 1].swatch);
  ::PostMessageW(swatch, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 6));
  ::PostMessageW(swatch, WM_LBUTTONUP, 0, MAKELPARAM(6, 6));
}

HWND WaitForColorDialog(const Program& program) {
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kColorDialogBoundMs);
  HWND found = nullptr;
  while ((found = ui_testing::FindColorDialog(program.thread())) == nullptr &&
         std::chrono::steady_clock::now() < deadline) {
    ::Sleep(5);
  }
  return found;
}

// Closes the colour dialog and waits until the main dialog runs again.
bool CloseColorDialog(const Program& program, HWND colour, CloseBy how) {
  ui_testing::Close(colour, how);
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kColorDialogBoundMs);
  while (::IsWindow(colour) && std::chrono::steady_clock::now() < deadline) ::Sleep(2);
  return !::IsWindow(colour) && program.Sync();
}

bool PressCreate(const Program& program, double* ms = nullptr) {
  return program.Send(program.Control(kCreate), BM_CLICK, 0, 0, nullptr, ms);
}

// Reads pixels of the program's windows from inside it: Wine's null display
// driver keeps each process's window pictures to itself, so a hook loads
// pixel_probe.cpp into the program to look (GetPixel on its window DC).
class PixelReader {
 public:
  explicit PixelReader(DWORD thread)
      : module_(::LoadLibraryW(testing_support::WindowsPathOfHostFile(BANDAS_PIXEL_PROBE).c_str())),
        answers_(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                   nullptr)) {
    const auto hook = reinterpret_cast<HOOKPROC>(
        reinterpret_cast<void*>(::GetProcAddress(module_, "ReadPixelHook")));
    if (hook != nullptr) hook_ = ::SetWindowsHookExW(WH_GETMESSAGE, hook, module_, thread);
  }
  ~PixelReader() {
    if (hook_ != nullptr) ::UnhookWindowsHookEx(hook_);
    if (answers_ != nullptr) ::DestroyWindow(answers_);
    if (module_ != nullptr) ::FreeLibrary(module_);
  }
  PixelReader(const PixelReader&) = delete;
  PixelReader& operator=(const PixelReader&) = delete;

  // The colour at (10, 10) of the window's client area; CLR_INVALID when no
  // answer came within the bound.
  COLORREF Read(HWND window) const {
    if (hook_ == nullptr) return CLR_INVALID;
    ::PostMessageW(window, kReadPixel, reinterpret_cast<WPARAM>(answers_), 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    MSG answer;
    while (std::chrono::steady_clock::now() < deadline) {
      if (::PeekMessageW(&answer, answers_, kPixel, kPixel, PM_REMOVE)) {
        return static_cast<COLORREF>(answer.lParam);
      }
      ::Sleep(1);
    }
    return CLR_INVALID;
  }

 private:
  const UINT kReadPixel = ::RegisterWindowMessageW(L"bandas-e2e-read-pixel");
  const UINT kPixel = ::RegisterWindowMessageW(L"bandas-e2e-pixel");
  HMODULE module_;
  HWND answers_;
  HHOOK hook_ = nullptr;
};

::testing::AssertionResult SwatchShows(const PixelReader& pixels, const Program& program, int row,
                                       COLORREF expected) {
  const COLORREF seen = pixels.Read(program.Control(kRows[row - 1].swatch));
  if (seen == expected) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "swatch " << row << " shows 0x" << std::hex << seen << " instead of 0x" << expected;
}

std::string EnabledRows(const Program& program) {
  std::string rows;
  for (const Row& row : kRows) {
    const bool list = ::IsWindowEnabled(program.Control(row.list));
    const bool swatch = ::IsWindowEnabled(program.Control(row.swatch));
    rows += list && swatch ? '1' : (!list && !swatch ? '0' : '?');
  }
  return rows;
}

// The picture the program wrote, read in one go: the soak reads it often.
testing_support::Bytes PictureBytes(const Program& program) {
  testing_support::Bytes bytes;
  HANDLE file = ::CreateFileW(program.Picture().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file, &size) && size.QuadPart < (64 << 20)) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
  }
  ::CloseHandle(file);
  return bytes;
}

std::string RowsUpTo(int count) { return std::string(count, '1') + std::string(7 - count, '0'); }

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(shell_.failure(), "");
    ASSERT_EQ(program_.failure(), "");
  }

  TempDir logs_;
  TempDir folder_;
  ShellAssociation shell_{logs_ / "launches.log"};
  Program program_{ProgramPath(), folder_.path()};
  PixelReader pixels_{program_.thread()};
};

// ---- The road of the main event ------------------------------------------------------

TEST_F(ProgramTest, TheRoadOfTheMainEvent) {
  constexpr COLORREF kChosen = 0x00CC6633;
  ASSERT_TRUE(ChooseItem(program_, kCountList, 2));  // "4 colores"
  EXPECT_EQ(EnabledRows(program_), RowsUpTo(4));
  ASSERT_TRUE(ChooseItem(program_, kRows[1].list, 10));  // "12 px"

  RECT main;
  ASSERT_TRUE(::GetWindowRect(program_.dialog(), &main));
  ClickSwatch(program_, 2);
  HWND colour = WaitForColorDialog(program_);
  ASSERT_NE(colour, nullptr) << "no colour dialog after a click on row 2's swatch";
  const ui_testing::ColorDialogView opened = ui_testing::Look(colour);
  EXPECT_EQ(opened.rect.left, main.left + 30);
  EXPECT_EQ(opened.rect.top, main.top + 30);
  EXPECT_EQ(RGB(opened.red, opened.green, opened.blue), 0x00808080u);
  EXPECT_TRUE(opened.fullyOpen);
  ui_testing::TypeColor(colour, kChosen);
  ASSERT_TRUE(CloseColorDialog(program_, colour, CloseBy::kOk));
  EXPECT_TRUE(SwatchShows(pixels_, program_, 2, kChosen));
  EXPECT_TRUE(SwatchShows(pixels_, program_, 1, 0x00FFFFFF));

  // "Crear" acts on a click only.
  ASSERT_TRUE(program_.Send(program_.dialog(), WM_COMMAND, MAKEWPARAM(kCreate, BN_SETFOCUS),
                            reinterpret_cast<LPARAM>(program_.Control(kCreate))));
  EXPECT_FALSE(std::filesystem::exists(program_.Picture()));

  ASSERT_TRUE(PressCreate(program_));
  Model model;
  model.count = 4;
  model.table.slot[1] = Band{kChosen, 12};
  EXPECT_TRUE(PictureBytes(program_) == ExpectedBmpFile(model.table, model.count))
      << "prueba.bmp is not the picture of the band table";
  EXPECT_EQ(shell_.WaitForLaunches(1), std::vector<std::wstring>{program_.Picture().wstring()});
  // tools/make-readme-pictures keeps this picture for the README.
  if (const char* keep = std::getenv("BANDAS_KEEP_PICTURE")) {
    const std::filesystem::path copy = testing_support::WindowsPathOfHostFile(keep);
    EXPECT_TRUE(::CopyFileW(program_.Picture().c_str(), copy.c_str(), FALSE)) << keep;
  }

  // Esc is no way out; the close box is.
  ::PostMessageW(program_.dialog(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  ::PostMessageW(program_.dialog(), WM_KEYUP, VK_ESCAPE, 0xC0010001);
  ASSERT_TRUE(program_.Sync());
  ::Sleep(200);
  ASSERT_TRUE(program_.Sync());
  EXPECT_TRUE(program_.Running());
  EXPECT_TRUE(::IsWindowVisible(program_.dialog()));

  ::PostMessageW(program_.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD exitCode = 12345;
  ASSERT_TRUE(program_.WaitForExit(10000, &exitCode)) << "the program did not end";
  EXPECT_EQ(exitCode, 0u);
}

// ---- How long "Crear" holds the dialog ----------------------------------------------

TEST_F(ProgramTest, CreateBlocksTheDialogForTheTimeOfOnePicture) {
  constexpr int kPresses = 50;
  ASSERT_TRUE(ChooseItem(program_, kCountList, 5));  // "7 colores"
  std::vector<double> times;
  for (int press = 0; press < kPresses; ++press) {
    double ms = 0;
    ASSERT_TRUE(PressCreate(program_, &ms)) << "press " << press << " did not return";
    times.push_back(ms);
  }
  std::sort(times.begin(), times.end());
  const double median = (times[kPresses / 2 - 1] + times[kPresses / 2]) / 2;
  std::printf("\"Crear\" blocks the dialog: median %.1f ms over %d presses (min %.1f, max %.1f)\n",
              median, kPresses, times.front(), times.back());
  RecordProperty("create_median_ms", std::to_string(median));
  Model model;
  model.count = 7;
  EXPECT_TRUE(PictureBytes(program_) == ExpectedBmpFile(model.table, model.count));
  EXPECT_EQ(shell_.WaitForLaunches(kPresses, std::chrono::seconds(120)).size(),
            static_cast<std::size_t>(kPresses));
}

// ---- A seeded soak run ---------------------------------------------------------------

unsigned long EnvironmentNumber(const char* name, unsigned long fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtoul(text, nullptr, 10) : fallback;
}

// Random but reproducible: the same seed gives the same actions.
class Dice {
 public:
  explicit Dice(unsigned long seed) : engine_(static_cast<std::uint32_t>(seed)) {}
  int Below(int n) { return static_cast<int>(engine_() % static_cast<std::uint32_t>(n)); }
  COLORREF Colour() { return engine_() & 0x00FFFFFF; }

 private:
  std::mt19937 engine_;
};

struct SoakCounts {
  int countChoices = 0, widthChoices = 0, typed = 0, accepted = 0, refused = 0, creates = 0;
  double seconds[5] = {};  // per kind of action, in the order above (colours together)
};

TEST_F(ProgramTest, SeededSoakRun) {
  const unsigned long seed = EnvironmentNumber("BANDAS_SOAK_SEED", 20261211);
  const unsigned long actions = EnvironmentNumber("BANDAS_SOAK_ACTIONS", 2000);
  SCOPED_TRACE("soak seed " + std::to_string(seed) +
               " (BANDAS_SOAK_SEED and BANDAS_SOAK_ACTIONS repeat or lengthen the run)");
  Dice dice(seed);
  Model model;
  SoakCounts counts;
  std::size_t launches = 0;
  const auto start = std::chrono::steady_clock::now();
  for (unsigned long action = 0; action < actions; ++action) {
    SCOPED_TRACE("action " + std::to_string(action));
    const int roll = dice.Below(100);
    const auto began = std::chrono::steady_clock::now();
    const int kind = roll < 15 ? 0 : roll < 88 ? 1 : roll < 93 ? 2 : roll < 98 ? 3 : 4;
    if (kind == 0) {  // a band count
      const int index = dice.Below(6);
      ASSERT_TRUE(ChooseItem(program_, kCountList, index));
      model.count = static_cast<std::int16_t>(index + 2);
      model.enabledRows = model.count;
      ++counts.countChoices;
      ASSERT_EQ(EnabledRows(program_), RowsUpTo(model.enabledRows));
    } else if (kind == 1) {  // a width in a row the user can reach
      const int row = 1 + dice.Below(model.enabledRows);
      const int index = dice.Below(49);
      ASSERT_TRUE(ChooseItem(program_, kRows[row - 1].list, index,
                             dice.Below(2) ? CBN_SELCHANGE : CBN_CLOSEUP));
      model.table.slot[row - 1].width = static_cast<std::int16_t>(index + 2);
      ++counts.widthChoices;
    } else if (kind == 2) {  // a character typed into a list's edit field
      const bool countList = dice.Below(3) == 0;
      const int row = 1 + dice.Below(model.enabledRows);
      const int id = countList ? kCountList : kRows[row - 1].list;
      HWND edit = ::GetWindow(program_.Control(id), GW_CHILD);
      ASSERT_TRUE(program_.Send(edit, WM_CHAR, static_cast<WPARAM>('0' + dice.Below(10)), 1));
      ASSERT_TRUE(program_.Sync());
      // The typed text is never read; the list's selection, whatever the
      // combo box made of it, is.
      LRESULT selected = 0;
      ASSERT_TRUE(program_.Send(program_.Control(id), CB_GETCURSEL, 0, 0, &selected));
      const int number = selected == CB_ERR ? 0 : static_cast<int>(selected) + 2;
      if (countList) {
        model.count = static_cast<std::int16_t>(number);
        if (number >= 2) model.enabledRows = number;
        ASSERT_EQ(EnabledRows(program_), RowsUpTo(model.enabledRows));
      } else {
        model.table.slot[row - 1].width = static_cast<std::int16_t>(number);
      }
      ++counts.typed;
    } else if (kind == 3) {  // a swatch click, answered or refused
      const int row = 1 + dice.Below(model.enabledRows);
      const bool accept = dice.Below(10) < 7;
      const COLORREF colour = dice.Colour();
      const CloseBy refusal = static_cast<CloseBy>(1 + dice.Below(3));
      const COLORREF before = pixels_.Read(program_.Control(kRows[row - 1].swatch));
      ClickSwatch(program_, row);
      HWND dialog = WaitForColorDialog(program_);
      ASSERT_NE(dialog, nullptr) << "no colour dialog for row " << row;
      ui_testing::TypeColor(dialog, colour);
      ASSERT_TRUE(CloseColorDialog(program_, dialog, accept ? CloseBy::kOk : refusal));
      if (accept) {
        model.table.slot[row - 1].color = colour;
        ++counts.accepted;
        ASSERT_TRUE(SwatchShows(pixels_, program_, row, colour));
      } else {
        ++counts.refused;
        ASSERT_TRUE(SwatchShows(pixels_, program_, row, before));
      }
    } else {  // "Crear"
      ASSERT_TRUE(PressCreate(program_));
      ++counts.creates;
      ASSERT_TRUE(PictureBytes(program_) == ExpectedBmpFile(model.table, model.count))
          << "prueba.bmp differs from the picture of the model table";
      ++launches;
    }
    counts.seconds[kind] +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
  }
  EXPECT_EQ(shell_.WaitForLaunches(launches, std::chrono::seconds(60)).size(), launches);
  ::PostMessageW(program_.dialog(), WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD exitCode = 12345;
  ASSERT_TRUE(program_.WaitForExit(10000, &exitCode));
  EXPECT_EQ(exitCode, 0u);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf(
      "soak seed %lu: %lu actions in %.1f s: %d counts, %d widths, %d typed characters, "
      "%d colours accepted, %d refused, %d \"Crear\"\n",
      seed, actions, seconds, counts.countChoices, counts.widthChoices, counts.typed,
      counts.accepted, counts.refused, counts.creates);
  std::printf(
      "soak seconds by kind: counts %.1f, widths %.1f, typed %.1f, colours %.1f, Crear %.1f\n",
      counts.seconds[0], counts.seconds[1], counts.seconds[2], counts.seconds[3],
      counts.seconds[4]);
}

}  // namespace
