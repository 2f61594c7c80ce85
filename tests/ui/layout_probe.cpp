// Started by the layout test at another screen resolution: builds the main
// dialog, writes its label font and control rectangles to the file named on
// the command line, and closes it.
#include <windows.h>

#include <cstdio>

#include "tests/ui/layout_facts.h"
#include "ui/main_dialog.h"

namespace {

const char* Output;

LRESULT Probe(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message != WM_SIZE) return 0;
  const std::string facts = testing_support::DescribeFontsAndRects(dialog);
  if (FILE* file = std::fopen(Output, "wb")) {
    std::fwrite(facts.data(), 1, facts.size(), file);
    std::fclose(file);
  }
  ::PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  Output = argv[1];
  ShowMainDialogWith(nullptr, &Probe);
  return 0;
}
