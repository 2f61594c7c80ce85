#include "ui/main_dialog.h"

#include <cstdint>
#include <cstring>

#include "ui/ansi_text.h"
#include "ui/color_swatch.h"
#include "ui/controls.h"
#include "ui/dialog_behavior.h"
#include "ui/gdi_handles.h"

namespace {

// Hidden until the modal run shows it; no minimise or maximise box, not
// centred.
constexpr DWORD kDialogStyle = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU |
                               DS_MODALFRAME | DS_SETFONT | DS_NOFAILCREATE | DS_3DLOOK;
static_assert(kDialogStyle == 0x84C800D4);
constexpr DWORD kDialogExStyle = WS_EX_CONTROLPARENT;
constexpr int kLeft = 105, kTop = 114, kClientWidth = 268, kClientHeight = 303;
// Moved and sized only: not shown, activated, re-ordered or repainted.
constexpr UINT kFitFlags = SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS |
                           SWP_NOOWNERZORDER | SWP_NOSENDCHANGING;
static_assert(kFitFlags == 0x71C);
constexpr char kCaption[] = "Bandas de colores";
constexpr wchar_t kFace[] = L"MS Sans Serif";
constexpr int kPoints = 8;
constexpr COLORREF kSwatchWhite = 0x00FFFFFF;

// An extended dialog template with no controls. Its DWORDs sit at offsets 4,
// 8 and 12, so a 4-byte aligned buffer keeps them aligned.
struct TemplateWords {
  alignas(4) std::uint16_t word[40];
  int size;
};

void PutWord(TemplateWords& out, std::uint16_t value) { out.word[out.size++] = value; }

void PutDword(TemplateWords& out, std::uint32_t value) {
  PutWord(out, static_cast<std::uint16_t>(value));
  PutWord(out, static_cast<std::uint16_t>(value >> 16));
}

void PutText(TemplateWords& out, const wchar_t* text) {
  do PutWord(out, static_cast<std::uint16_t>(*text));
  while (*text++);
}

void WriteTemplate(TemplateWords& out) {
  PutWord(out, 1);       // dlgVer
  PutWord(out, 0xFFFF);  // signature: extended
  PutDword(out, 0);      // helpID
  PutDword(out, kDialogExStyle);
  PutDword(out, kDialogStyle);
  PutWord(out, 0);  // no items: the controls are created one by one
  PutWord(out, kLeft);
  PutWord(out, kTop);
  PutWord(out, kClientWidth);
  PutWord(out, kClientHeight);
  PutWord(out, 0);     // no menu
  PutWord(out, 0);     // the platform's dialog class
  PutText(out, L" ");  // the caption is set once the window exists
  PutWord(out, kPoints);
  PutWord(out, FW_BOLD);
  PutWord(out, 0);  // italic 0, charset 0
  PutText(out, kFace);
}

// The window's frame and caption are whatever the visual style makes them;
// the client area is exactly the table's pixels.
void FitToPixels(HWND dialog) {
  RECT client{}, outer{};
  ::GetClientRect(dialog, &client);
  ::GetWindowRect(dialog, &outer);
  const int dw = (outer.right - outer.left) - (client.right - client.left);
  const int dh = (outer.bottom - outer.top) - (client.bottom - client.top);
  ::SetWindowPos(dialog, nullptr, kLeft, kTop, kClientWidth + dw, kClientHeight + dh, kFitFlags);
}

HWND AddControl(HWND dialog, const ControlSpec& control) {
  if (control.kind == ControlKind::kSwatch) {
    return AddSwatch(dialog, control.id, control.x, control.y, control.width, control.height);
  }
  return ::CreateWindowExW(0, ClassOf(control.kind), WideFromAnsi(control.text).c_str(),
                           StyleOf(control.kind), control.x, control.y, control.width,
                           control.height, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                           ::GetModuleHandleW(nullptr), nullptr);
}

void AddControls(HWND dialog, HFONT dialogFont) {
  for (const ControlSpec& control : kControls) {
    HWND window = AddControl(dialog, control);
    if (!window) continue;
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont), TRUE);
    if (control.kind == ControlKind::kSwatch) FillSwatch(dialog, control.id, kSwatchWhite);
  }
}

// 8 points at the label's vertical resolution, rounded to nearest.
Font MakeLabelFont(HWND label) {
  int pixelsPerInch = 0;
  {
    WindowDc dc(label);
    if (dc) pixelsPerInch = ::GetDeviceCaps(dc.get(), LOGPIXELSY);
  }
  LOGFONTW description{};
  description.lfHeight = -((pixelsPerInch * kPoints + 36) / 72);
  description.lfWeight = FW_BOLD;
  std::memcpy(description.lfFaceName, kFace, sizeof kFace);
  return Font(::CreateFontIndirectW(&description));
}

// The first label makes the font; all eight share it.
Font GiveLabelFont(HWND dialog) {
  Font labelFont;
  for (const ControlSpec& control : kControls) {
    if (control.kind != ControlKind::kLabel) continue;
    HWND label = ::GetDlgItem(dialog, control.id);
    if (!label) continue;
    if (!labelFont) labelFont = MakeLabelFont(label);
    if (!labelFont) return labelFont;
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(labelFont.get()), TRUE);
  }
  return labelFont;
}

}  // namespace

int ShowMainDialogWith(HWND owner, DialogCallback callback) {
  TemplateWords dialogTemplate{};
  WriteTemplate(dialogTemplate);
  HWND dialog = ::CreateDialogIndirectParamW(
      ::GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.word), owner,
      &DialogHostProc, 0);
  Font labelFont;
  if (dialog) {
    FitToPixels(dialog);
    ::SetWindowTextW(dialog, WideFromAnsi(kCaption).c_str());
    const auto dialogFont = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
    AddControls(dialog, dialogFont);
    labelFont = GiveLabelFont(dialog);
  }
  int result = 0;
  RunDialogModal(dialog, callback, &result);
  return result;
}

int ShowMainDialog(HWND owner) { return ShowMainDialogWith(owner, &MainDialogProc); }
