#include "ui/dialog_behavior.h"

// Placeholder until the behaviour lands: the host's defaults alone make a
// working, closable dialog.
LRESULT MainDialogProc(HWND, UINT, WPARAM, LPARAM) { return 0; }

void ApplyBandCount(HWND, std::int16_t) {}

std::int16_t ReadListNumber(HWND, int) { return 0; }
