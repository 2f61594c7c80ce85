#pragma once

#include <windows.h>

// The modal run of a dialog built by code, and the dialog procedure that
// hands its messages to the program's callback.

// Shaped like a window procedure: 0 asks for the host's default handling,
// anything else marks the message handled.
using DialogCallback = LRESULT (*)(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Calls the callback with WM_INITDIALOG and WM_SIZE while the dialog is still
// hidden, then shows it and runs its messages until the window is gone;
// `result` receives what EndModalDialog stored.
void RunDialogModal(HWND dialog, DialogCallback callback, int* result);

// The dialog procedure to create every hosted dialog with.
INT_PTR CALLBACK DialogHostProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Stores the result of the run and destroys the dialog, which ends the run.
void EndModalDialog(HWND dialog, int result);
