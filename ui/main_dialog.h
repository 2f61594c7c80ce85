#pragma once

#include <windows.h>

#include "ui/dialog_host.h"

// Builds "Bandas de colores" hidden with its 24 controls, runs it modally
// with MainDialogProc and returns the result of the run (0 when the window
// cannot be made). Returns once the dialog is closed and destroyed.
int ShowMainDialog(HWND owner);

// The same dialog run with another callback.
int ShowMainDialogWith(HWND owner, DialogCallback callback);
