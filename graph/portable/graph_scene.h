// Everything the graph picture shows, worked out as drawing primitives in pixels.
//
// buildGraphScene computes from a graph's axes and plots what the picture holds at a display
// scale: the 400 × 400 picture at 96 dpi, or one pictureSize = 400 × dpi / 96 pixels square with
// every length in it (ticks, label offsets, pens, the label font) scaled alike. It holds both
// axis lines, their ticks, the tick labels with their texts and positions, and every plot as
// straight segments with its pen. A drawing layer only replays the scene, in this order:
//
//   1. Fill the rectangle (0, 0)–(pictureSize, pictureSize) with white.
//   2. Select a solid pen of width axisPenWidth and colour AXIS_COLOUR, the label font
//      (LABEL_FONT_*, its height scaled; the same font the CTextMeasure measured with), and
//      AXIS_COLOUR as the text colour. Keep the default opaque background mode with a white
//      background: a label covers what lies under its box and drawn before it.
//   3. For xAxis, then yAxis: draw the axis line; then for each tick in order its mark, then its
//      label's text with its box's top left corner at topLeft (TextOutW).
//   4. For each plot in order (later plots lie over earlier ones): select a solid pen of the
//      plot's width and colour and draw its segments.
//
// A line is drawn as GDI draws MoveToEx(from) and LineTo(to): the pixel at "to" is left out, so an
// axis line from column 0 to column 400 covers columns 0..399. Pens wider than one pixel have
// round ends. Every coordinate lies within SCENE_MARGIN pixels of the picture: segments that
// reach further are cut in graph coordinates first, so a line to a far point keeps its slope.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/display_scale.h"
#include "foundation/string.h"
#include "graph/portable/axis_scale.h"
#include "graph/portable/text_measure.h"

class CGraphModel;

// Colours are COLORREFs, 0x00BBGGRR.
inline constexpr uint32_t PICTURE_BACKGROUND = 0x00FFFFFF;
// Axes, ticks and labels: RGB(150, 150, 150).
inline constexpr uint32_t AXIS_COLOUR = 0x00969696;

// The label font: Arial, 10 pixels high at 96 dpi, weight 500, proof quality, otherwise defaults.
inline const VKF::UChar* const LABEL_FONT_FACE = VKF_T("Arial");
inline constexpr int32_t LABEL_FONT_HEIGHT = 10;
inline constexpr int32_t LABEL_FONT_WEIGHT = 500;

// How far outside the picture a segment may reach before it is cut.
inline constexpr int32_t SCENE_MARGIN = 4000;

// A pixel position: columns from the left, rows from the top; the picture is 0..pictureSize − 1
// in both.
class CPixel {
public:
    int32_t column = 0;
    int32_t row = 0;
};

// A straight line drawn with MoveToEx(from) and LineTo(to).
class CSceneLine {
public:
    CPixel from;
    CPixel to;
};

class CSceneLabel {
public:
    CPixel topLeft;
    VKF::CString text;
};

class CSceneTick {
public:
    CSceneLine mark;
    CSceneLabel label;
};

class CSceneAxis {
public:
    CSceneLine line;
    // In order of their values from the axis's "from" end.
    std::vector<CSceneTick> ticks;
};

class CScenePlot {
public:
    int32_t penWidth = 1;
    uint32_t colour = 0;
    // Joins of neighbouring samples that are both valid and whose y values differ by less than
    // the visible y span. Empty when either axis has a zero or undefined span.
    std::vector<CSceneLine> segments;
};

class CGraphScene {
public:
    int32_t pictureSize = PICTURE_SIZE;
    int32_t axisPenWidth = 1;
    // The horizontal axis with the ticks of the x range.
    CSceneAxis xAxis;
    // The vertical axis with the ticks of the y range.
    CSceneAxis yAxis;
    // One per plot of the graph, in the graph's order.
    std::vector<CScenePlot> plots;
};

// The scene of graph's picture at scale, its labels measured in the label font of that scale. An
// axis whose range has a zero or undefined span gets its line but no ticks; plot segments need
// both axes drawable.
CGraphScene buildGraphScene(const CGraphModel& graph, CTextMeasure& measure, CDisplayScale scale = {});
