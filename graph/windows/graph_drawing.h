// Draws a graph's picture into a device context.
#pragma once

#include <windows.h>

#include "foundation/display_scale.h"

class CGraphModel;

// Draws graph's picture at scale (PICTURE_SIZE square at 96 dpi, pictureSize(scale) otherwise)
// into dc with its top left corner at (0, 0): the white ground, the grey axes with their ticks
// and labels, and the plots over them. The DC's pen, font and text colour are as they were
// afterwards. Throws VKF::CException only when out of memory; a pen or font GDI cannot give is
// left out, the rest is still drawn.
void drawGraphPicture(HDC dc, const CGraphModel& graph, CDisplayScale scale = {});
