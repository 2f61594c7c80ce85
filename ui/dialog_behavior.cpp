#include "ui/dialog_behavior.h"

#include <cstddef>

#include "app/create_action.h"
#include "core/band_table.h"
#include "core/heap.h"
#include "ui/ansi_text.h"
#include "ui/color_picker.h"
#include "ui/color_swatch.h"
#include "ui/controls.h"

namespace {

constexpr COLORREF kPickerStart = 0x00808080;
constexpr int kCountCharacters = 1;  // "2 colores" .. "7 colores"
constexpr int kWidthCharacters = 2;  // "02 px" .. "50 px"
constexpr int kFirstCount = 2, kLastCount = 7;
constexpr int kFirstWidth = 2, kLastWidth = 50;
constexpr WPARAM kFirstCountItem = 0;    // "2 colores"
constexpr WPARAM kDefaultWidthItem = 3;  // "05 px"

// Kept for the whole run: the colour dialog offers again what the user
// defined in an earlier opening.
COLORREF CustomColors[16] = {};
// The control that had the focus when the dialog was last deactivated.
HWND SavedFocus = nullptr;

// "n colores" and "nn px": the number, at least `digits` wide, then the
// suffix. Numbers here run from 2 to 50.
void ItemText(char* out, int n, int digits, const char* suffix) {
  char* at = out;
  if (n >= 10 || digits >= 2) *at++ = static_cast<char>('0' + n / 10);
  *at++ = static_cast<char>('0' + n % 10);
  while ((*at++ = *suffix++) != '\0') {
  }
}

void FillList(HWND list, int first, int last, int digits, const char* suffix, WPARAM selected) {
  ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (int n = first; n <= last; ++n) {
    char text[16];
    ItemText(text, n, digits, suffix);
    const WideText wide = WideFromAnsi(text);
    ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }
  ::SendMessageW(list, CB_SETCURSEL, selected, 0);
}

void InitDialog(HWND dialog) {
  ResetBandTable();
  FillList(::GetDlgItem(dialog, IDC_BAND_COUNT), kFirstCount, kLastCount, 1, " colores",
           kFirstCountItem);
  for (const BandRow& row : kBandRowTable) {
    FillList(::GetDlgItem(dialog, row.widthList), kFirstWidth, kLastWidth, 2, " px",
             kDefaultWidthItem);
  }
  ApplyBandCount(dialog, GetBandCount());
}

void PickBandColor(HWND dialog, int row) {
  const std::int32_t picked = PickColor(dialog, kPickerStart, CustomColors);
  if (picked < 0) return;
  const COLORREF color = static_cast<COLORREF>(picked);
  const int swatch = kBandRowTable[row - 1].swatch;
  SetBandColor(row, color);
  FillSwatch(dialog, swatch, color);
  RedrawSwatch(dialog, swatch);
}

void OnCommand(HWND dialog, int id, int code) {
  // Swatches and "Crear" act on a click or a double-click only; in particular
  // not on the enable and disable notices that ApplyBandCount provokes.
  const bool click = code == STN_CLICKED || code == STN_DBLCLK;
  if (id == IDC_BAND_COUNT) {
    const std::int16_t count = ReadListNumber(::GetDlgItem(dialog, id), kCountCharacters);
    SetBandCount(count);
    ApplyBandCount(dialog, count);
  } else if (const int row = RowOfWidthList(id)) {
    SetBandWidth(row, ReadListNumber(::GetDlgItem(dialog, id), kWidthCharacters));
  } else if (const int swatchRow = RowOfSwatch(id)) {
    if (click) PickBandColor(dialog, swatchRow);
  } else if (id == IDC_CREATE && click) {
    MakeBandImage();
  }
}

void OnNcActivate(bool active) {
  if (!active) {
    SavedFocus = ::GetFocus();
  } else if (SavedFocus != nullptr) {
    ::SetFocus(SavedFocus);
    SavedFocus = nullptr;
  }
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The decimal number at the start of `text` after blanks, rounded to the
// nearest integer (ties to even) and held within 16 bits; no number gives 0.
// Any text is safe: the magnitude stops growing once it is out of range.
std::int16_t ParseNumber(const wchar_t* text, std::size_t length) {
  constexpr long kCap = 100000;  // well beyond the 16-bit range
  std::size_t i = 0;
  while (i < length && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < length && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  long whole = 0;
  bool any = false;
  for (; i < length && IsDigit(text[i]); ++i, any = true) {
    if (whole < kCap) whole = whole * 10 + (text[i] - L'0');
  }
  if (i < length && text[i] == L'.') {
    ++i;
    // Only the first fraction digit and whether anything follows it decide.
    int first = -1;
    bool rest = false;
    for (; i < length && IsDigit(text[i]); ++i, any = true) {
      if (first < 0) {
        first = text[i] - L'0';
      } else if (text[i] != L'0') {
        rest = true;
      }
    }
    const bool up = first > 5 || (first == 5 && (rest || whole % 2 == 1));
    if (up && whole < kCap) ++whole;
  }
  if (!any) return 0;
  if (negative) whole = -whole;
  if (whole > INT16_MAX) return INT16_MAX;
  if (whole < INT16_MIN) return INT16_MIN;
  return static_cast<std::int16_t>(whole);
}

}  // namespace

LRESULT MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: InitDialog(dialog); break;
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); break;
    case WM_NCACTIVATE: OnNcActivate(wParam != 0); break;
    default: break;
  }
  return 0;
}

void ApplyBandCount(HWND dialog, std::int16_t count) {
  if (count < kFirstCount || count > kLastCount) return;
  for (int row = 1; row <= kBandRows; ++row) {
    ::EnableWindow(::GetDlgItem(dialog, kBandRowTable[row - 1].widthList), row <= count);
  }
  for (int row = 1; row <= kBandRows; ++row) {
    ::EnableWindow(::GetDlgItem(dialog, kBandRowTable[row - 1].swatch), row <= count);
  }
}

std::int16_t ReadListNumber(HWND list, int characters) {
  const LRESULT item = ::SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (item == CB_ERR || characters <= 0) return 0;
  const LRESULT length = ::SendMessageW(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
  if (length <= 0) return 0;
  // The control writes the whole item and its terminator.
  const std::size_t size = static_cast<std::size_t>(length);
  const HeapArray<wchar_t> text = ZeroedArray<wchar_t>(size + 1);
  if (!text) return 0;
  const LRESULT copied = ::SendMessageW(list, CB_GETLBTEXT, static_cast<WPARAM>(item),
                                        reinterpret_cast<LPARAM>(text.get()));
  if (copied <= 0) return 0;
  std::size_t kept =
      static_cast<std::size_t>(copied) < size ? static_cast<std::size_t>(copied) : size;
  if (kept > static_cast<std::size_t>(characters)) kept = static_cast<std::size_t>(characters);
  return ParseNumber(text.get(), kept);
}
