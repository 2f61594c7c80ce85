#pragma once

// What "Crear" does: replaces "prueba.bmp" beside the executable with a
// picture of the current band table and asks the shell to open it. Silent.
void MakeBandImage();

// The same steps for a picture at `outputPath`, so that they can run in any
// folder.
void MakeBandImageAt(const wchar_t* outputPath);
