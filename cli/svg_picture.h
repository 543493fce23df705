// A graph's scene as an SVG picture: the same lines and labels the graph window draws, as vectors.
#pragma once

#include <string>

class CGraphScene;

// The 400 × 400 picture. Lines join pixel centres, so a line from pixel (c, r) starts at
// (c + 0.5, r + 0.5): the lines sit in a group moved by half a pixel and keep the scene's whole
// numbers. Each axis is a group of its line and tick marks followed by its labels (a white box under
// each text, as the window's opaque labels); each plot is one polyline per run of joined segments.
std::string svgPicture(const CGraphScene& scene);
