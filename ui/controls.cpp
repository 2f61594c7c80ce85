#include "ui/controls.h"

const ControlSpec kControls[kControlCount] = {
    {IDC_BAND_COUNT, ControlKind::kList, "", 8, 24, 248, 130},
    {IDC_COUNT_LABEL, ControlKind::kLabel, "Elige n\xFAmero de bandas", 15, 8, 241, 16},
    {IDC_BAND1_LABEL, ControlKind::kLabel, "1\xBA color", 8, 56, 96, 16},
    {IDC_BAND1_WIDTH, ControlKind::kList, "", 104, 50, 120, 65},
    {IDC_BAND1_COLOR, ControlKind::kSwatch, "", 232, 48, 24, 24},
    {IDC_BAND2_WIDTH, ControlKind::kList, "", 104, 80, 120, 65},
    {IDC_BAND2_LABEL, ControlKind::kLabel, "2\xBA color", 8, 86, 96, 16},
    {IDC_BAND2_COLOR, ControlKind::kSwatch, "", 232, 78, 24, 24},
    {IDC_BAND4_WIDTH, ControlKind::kList, "", 104, 142, 120, 65},
    {IDC_BAND3_LABEL, ControlKind::kLabel, "3\xBA color", 8, 118, 96, 16},
    {IDC_BAND3_WIDTH, ControlKind::kList, "", 104, 112, 120, 65},
    {IDC_BAND3_COLOR, ControlKind::kSwatch, "", 232, 110, 24, 24},
    {IDC_BAND4_LABEL, ControlKind::kLabel, "4\xBA color", 8, 148, 96, 16},
    {IDC_BAND4_COLOR, ControlKind::kSwatch, "", 232, 140, 24, 24},
    {IDC_BAND7_WIDTH, ControlKind::kList, "", 104, 237, 120, 65},
    {IDC_BAND5_WIDTH, ControlKind::kList, "", 104, 175, 120, 65},
    {IDC_BAND5_LABEL, ControlKind::kLabel, "5\xBA color", 8, 181, 96, 16},
    {IDC_BAND5_COLOR, ControlKind::kSwatch, "", 232, 173, 24, 24},
    {IDC_BAND6_LABEL, ControlKind::kLabel, "6\xBA color", 8, 213, 96, 16},
    {IDC_BAND6_WIDTH, ControlKind::kList, "", 104, 207, 120, 65},
    {IDC_BAND6_COLOR, ControlKind::kSwatch, "", 232, 205, 24, 24},
    {IDC_BAND7_LABEL, ControlKind::kLabel, "7\xBA color", 8, 243, 96, 16},
    {IDC_BAND7_COLOR, ControlKind::kSwatch, "", 232, 235, 24, 24},
    {IDC_CREATE, ControlKind::kButton, "Crear", 183, 271, 75, 24},
};

const BandRow kBandRowTable[kBandRows] = {
    {IDC_BAND1_LABEL, IDC_BAND1_WIDTH, IDC_BAND1_COLOR},
    {IDC_BAND2_LABEL, IDC_BAND2_WIDTH, IDC_BAND2_COLOR},
    {IDC_BAND3_LABEL, IDC_BAND3_WIDTH, IDC_BAND3_COLOR},
    {IDC_BAND4_LABEL, IDC_BAND4_WIDTH, IDC_BAND4_COLOR},
    {IDC_BAND5_LABEL, IDC_BAND5_WIDTH, IDC_BAND5_COLOR},
    {IDC_BAND6_LABEL, IDC_BAND6_WIDTH, IDC_BAND6_COLOR},
    {IDC_BAND7_LABEL, IDC_BAND7_WIDTH, IDC_BAND7_COLOR},
};

namespace {

template <int BandRow::*Field>
int RowOf(int id) {
  for (int row = 1; row <= kBandRows; ++row) {
    if (kBandRowTable[row - 1].*Field == id) return row;
  }
  return 0;
}

}  // namespace

int RowOfWidthList(int id) { return RowOf<&BandRow::widthList>(id); }
int RowOfSwatch(int id) { return RowOf<&BandRow::swatch>(id); }

const wchar_t* ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kList: return L"COMBOBOX";
    case ControlKind::kButton: return L"BUTTON";
    case ControlKind::kLabel:
    case ControlKind::kSwatch: break;
  }
  return L"STATIC";
}

unsigned long StyleOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kList: return 0x50010102;    // child, visible, tab stop, drop-down, sorted
    case ControlKind::kLabel: return 0x50000000;   // child, visible, left-aligned
    case ControlKind::kSwatch: return 0x5080010D;  // child, visible, border, notify, owner-drawn
    case ControlKind::kButton: return 0x50010000;  // child, visible, tab stop, push button
  }
  return 0;
}
