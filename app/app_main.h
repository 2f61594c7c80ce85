#pragma once

#include <windows.h>

// The main routine: the common controls once more through the library
// loaded by name, then the dialog. Uses none of its arguments; returns 0.
int AppMain(HINSTANCE instance, HINSTANCE previous, LPWSTR commandLine, int showCommand);
