#include "ui/dialog_host.h"

#include "ui/color_swatch.h"

namespace {

// One per dialog, from the dialog manager's WM_INITDIALOG to WM_NCDESTROY.
// Until RunDialogModal installs the callback, messages get the defaults only.
// A free slot has no dialog.
struct DialogRecord {
  HWND dialog;
  DialogCallback callback;
  int* result;
};

constexpr int kMaxDialogs = 4;
DialogRecord Dialogs[kMaxDialogs];

DialogRecord* FindDialog(HWND dialog) {
  for (DialogRecord& record : Dialogs) {
    if (record.dialog == dialog) return &record;
  }
  return nullptr;
}

void AddDialog(HWND dialog) {
  if (FindDialog(dialog)) return;
  if (DialogRecord* record = FindDialog(nullptr)) *record = DialogRecord{dialog, nullptr, nullptr};
}

void ReleaseDialog(HWND dialog) {
  ReleaseSwatches(dialog);
  if (DialogRecord* record = FindDialog(dialog)) *record = DialogRecord{};
}

INT_PTR DefaultHandling(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) != SC_CLOSE) return FALSE;
      EndModalDialog(dialog, 0);
      return TRUE;
    case WM_DRAWITEM:
      return DrawSwatchItem(dialog, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE
                                                                                      : FALSE;
    case WM_NCDESTROY: return TRUE;
    default: return FALSE;
  }
}

// Dispatches the message; false once the dialog is gone.
bool Deliver(HWND dialog, MSG& msg) {
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
  return ::IsWindow(dialog) != FALSE;
}

void RunLoop(HWND dialog) {
  MSG msg;
  for (;;) {
    if (!::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::Sleep(1);
      continue;
    }
    // WM_QUIT is dispatched like any other message: only the window's end
    // ends the run.
    if (!::IsWindow(dialog)) {
      Deliver(dialog, msg);
      return;
    }
    if (::IsDialogMessageW(dialog, &msg)) {
      if (::IsWindow(dialog)) continue;
      Deliver(dialog, msg);
      return;
    }
    if (!Deliver(dialog, msg)) return;
  }
}

}  // namespace

void RunDialogModal(HWND dialog, DialogCallback callback, int* result) {
  ::SetForegroundWindow(dialog);
  callback(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(dialog), 0);
  RECT client{};
  ::GetClientRect(dialog, &client);
  callback(dialog, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  DialogRecord* record = FindDialog(dialog);
  if (!dialog || !record) return;
  record->callback = callback;
  record->result = result;
  ::ShowWindow(dialog, SW_SHOW);
  RunLoop(dialog);
}

INT_PTR CALLBACK DialogHostProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    // FALSE: the dialog manager sets no focus. The program's own
    // initialisation comes from RunDialogModal.
    AddDialog(dialog);
    return FALSE;
  }
  // The dialog manager's own saving and restoring of the focus runs.
  if (message == WM_ACTIVATE) return FALSE;

  const DialogRecord* record = FindDialog(dialog);
  const DialogCallback callback = record ? record->callback : nullptr;
  INT_PTR handled = 0;
  if (callback) {
    const LRESULT value = callback(dialog, message, wParam, lParam);
    if (value != 0) {
      if (::GetWindowLongPtrW(dialog, DWLP_MSGRESULT) == 0) {
        ::SetWindowLongPtrW(dialog, DWLP_MSGRESULT, static_cast<LONG_PTR>(value));
      }
      handled = static_cast<INT_PTR>(value);
    }
  }
  // The records go with the window's last message even when the callback
  // claims it: otherwise the swatch pictures would outlive their dialog.
  if (message == WM_NCDESTROY) {
    ReleaseDialog(dialog);
    return TRUE;
  }
  if (handled != 0) return handled;
  return DefaultHandling(dialog, message, wParam, lParam);
}

void EndModalDialog(HWND dialog, int result) {
  if (DialogRecord* record = FindDialog(dialog)) {
    if (record->result) *record->result = result;
  }
  // The dialog manager answers WM_CLOSE by posting IDCANCEL, which is lost
  // with the window.
  ::SendMessageA(dialog, WM_CLOSE, 0, 0);
  ::DestroyWindow(dialog);
}
