#pragma once

#include <string>

// Where the picture goes: the running executable's folder, trailing backslash
// included, then "prueba.bmp".

// The folder part of a full path: everything up to and including its last
// backslash; empty when it has none.
std::wstring FolderOf(const std::wstring& path);

// The picture's path for an executable at `modulePath`.
std::wstring OutputPathFor(const std::wstring& modulePath);

// The folder of the running executable, read from its whole module path
// however long that is.
std::wstring GetExecutableFolder();

std::wstring OutputPath();
