#include "tests/ui/layout_facts.h"

#include <cstdio>

#include "ui/controls.h"

namespace testing_support {

bool IsWine() {
  HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

std::vector<ControlFacts> ReadControls(HWND dialog) {
  std::vector<ControlFacts> controls;
  for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    ControlFacts facts{};
    wchar_t buffer[256] = {};
    ::GetClassNameW(child, buffer, 256);
    facts.className = buffer;
    facts.id = ::GetDlgCtrlID(child);
    buffer[0] = 0;
    ::GetWindowTextW(child, buffer, 256);
    facts.text = buffer;
    ::GetWindowRect(child, &facts.rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&facts.rect), 2);
    if (_wcsicmp(facts.className.c_str(), L"ComboBox") == 0) {
      RECT dropped{};
      ::SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
      ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&dropped), 2);
      facts.droppedBottom = dropped.bottom;
      // Wine leaves the closed field and its 2-pixel frame out.
      if (IsWine()) facts.droppedBottom += facts.rect.bottom - facts.rect.top + 2;
    }
    facts.style = ::GetWindowLongW(child, GWL_STYLE);
    facts.exStyle = ::GetWindowLongW(child, GWL_EXSTYLE);
    facts.font = reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0));
    controls.push_back(facts);
  }
  return controls;
}

std::string DescribeFontsAndRects(HWND dialog) {
  std::string text;
  char line[160];
  LOGFONTW font{};
  HFONT labelFont =
      reinterpret_cast<HFONT>(::SendDlgItemMessageW(dialog, IDC_COUNT_LABEL, WM_GETFONT, 0, 0));
  ::GetObjectW(labelFont, sizeof font, &font);
  std::snprintf(line, sizeof line, "font %ld %ld\n", static_cast<long>(font.lfHeight),
                static_cast<long>(font.lfWeight));
  text += line;
  for (const ControlFacts& control : ReadControls(dialog)) {
    // A list's height is its font's closed and the combo box's dropped
    // (which Wine works out from the font too): only its place is compared.
    const long bottom = control.droppedBottom ? -1 : control.rect.bottom;
    std::snprintf(line, sizeof line, "%d %ld %ld %ld %ld\n", control.id, control.rect.left,
                  control.rect.top, control.rect.right, bottom);
    text += line;
  }
  return text;
}

}  // namespace testing_support
