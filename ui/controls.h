#pragma once

// The dialog's controls as data: one table drives the layout and the
// behaviour, so an identifier, a rectangle or a row is written down once.

enum ControlId : int {
  IDC_BAND_COUNT = 1001,
  IDC_COUNT_LABEL = 1002,
  IDC_BAND1_LABEL = 1003,
  IDC_BAND1_WIDTH = 1004,
  IDC_BAND1_COLOR = 1005,
  IDC_BAND2_WIDTH = 1006,
  IDC_BAND2_LABEL = 1007,
  IDC_BAND2_COLOR = 1008,
  IDC_BAND4_WIDTH = 1009,
  IDC_BAND3_LABEL = 1010,
  IDC_BAND3_WIDTH = 1011,
  IDC_BAND3_COLOR = 1012,
  IDC_BAND4_LABEL = 1013,
  IDC_BAND4_COLOR = 1014,
  IDC_BAND7_WIDTH = 1015,
  IDC_BAND5_WIDTH = 1016,
  IDC_BAND5_LABEL = 1017,
  IDC_BAND5_COLOR = 1018,
  IDC_BAND6_LABEL = 1019,
  IDC_BAND6_WIDTH = 1020,
  IDC_BAND6_COLOR = 1021,
  IDC_BAND7_LABEL = 1022,
  IDC_BAND7_COLOR = 1023,
  IDC_CREATE = 1024,
};

enum class ControlKind { kList, kLabel, kSwatch, kButton };

struct ControlSpec {
  int id;
  ControlKind kind;
  const char* text;         // Windows-1252 bytes; turned into UTF-16 with the ANSI code page
  int x, y, width, height;  // client pixels, never dialog units
};

constexpr int kControlCount = 24;

// In creation order, which is also identifier order and tab order.
extern const ControlSpec kControls[kControlCount];

// The label, width list and swatch of band row k (1 to 7). The width lists'
// identifiers are not in row order, so every lookup goes through this table.
struct BandRow {
  int label;
  int widthList;
  int swatch;
};

constexpr int kBandRows = 7;
extern const BandRow kBandRowTable[kBandRows];

// The band row (1 to 7) whose width list or swatch has this identifier, or 0.
int RowOfWidthList(int id);
int RowOfSwatch(int id);

// Window class and complete style of each kind.
const wchar_t* ClassOf(ControlKind kind);
unsigned long StyleOf(ControlKind kind);
