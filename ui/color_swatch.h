#pragma once

#include <windows.h>

// ColorSwatch: a bordered child of a dialog that shows one solid colour from
// a picture of its own and reports clicks (STN_CLICKED, STN_DBLCLK). A swatch
// is found by its dialog and control id.

// Creates the swatch at (x, y, width, height) in the dialog's client pixels,
// its picture the size of its client area in COLOR_BTNFACE. Null on failure.
HWND AddSwatch(HWND dialog, int id, int x, int y, int width, int height);

// Fills the whole picture with the colour and repaints the swatch at once.
void FillSwatch(HWND dialog, int id, COLORREF color);

// Copies the picture to the screen now.
void RedrawSwatch(HWND dialog, int id);

// The dialog's WM_DRAWITEM: paints the item if it is a swatch being drawn
// entire. True when it painted.
bool DrawSwatchItem(HWND dialog, const DRAWITEMSTRUCT& item);

// Frees the pictures of every swatch of the dialog; called once the dialog
// has had its last message.
void ReleaseSwatches(HWND dialog);

// The swatch's window procedure: keeps keys from the dialog manager's
// navigation and takes the focus on a click.
LRESULT CALLBACK SwatchProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
