#pragma once
// The main map's values on a regular grid over the displayed region, for
// GIS tools: the map's own linear interpolation over its triangulation, no
// value outside the stations' hull and in masked triangles.

#include "geo/GridFile.h"

#include <string>

class CTESKAdatView;

// The median distance (metres) from a station to its nearest neighbour;
// 0 without a triangulation.
double medianStationSpacing(const CTESKAdatView& view);

// The grid of nodes `cellMetres` apart from the region's south-west corner
// over the displayed region; false (grid untouched) when it does not fit into
// memory or the cell is no positive length, with `problem` saying so.
bool makeViewGrid(const CTESKAdatView& view, double cellMetres, geo::Grid& grid,
                  std::string& problem);

// Writes that grid to `path` (its format by the extension), with a cell of
// the median station spacing when `cellMetres` is 0. A failure is shown in
// a message box; false then.
bool exportGrid(const CTESKAdatView& view, const std::string& path, double cellMetres);
