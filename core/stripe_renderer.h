#pragma once

#include <cstdint>

#include "core/band_table.h"
#include "core/canvas.h"

// Draws bands 1..count down the picture, each repetition of the pattern
// followed by one row left as it was (white on a cleared canvas). Counts
// outside 2..7 draw nothing.
void RenderStripes(Canvas* canvas, const BandTable& table, std::int16_t count);
