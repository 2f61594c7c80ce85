#pragma once

#include "core/wide_text.h"

// Where the picture goes: the running executable's folder, trailing backslash
// included, then "prueba.bmp".

// The folder part of a full path: everything up to and including its last
// backslash; empty when it has none.
WideText FolderOf(const wchar_t* path);

// The picture's path for an executable at `modulePath`.
WideText OutputPathFor(const wchar_t* modulePath);

// The folder of the running executable, read from its whole module path
// however long that is.
WideText GetExecutableFolder();

WideText OutputPath();
