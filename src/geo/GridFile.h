#pragma once
// Regular grids written through GDAL: GeoTIFF, netCDF and, where GDAL has
// its driver, GMT's native grid, chosen by the file name's extension.

#include <string>
#include <vector>

namespace geo {

// A grid of `columns` x `rows` nodes `cell` apart; node (0, 0) lies at
// (west, north), rows run southward. Values row by row, NaN for no value.
struct Grid {
    double west = 0, north = 0, cell = 1;
    int columns = 0, rows = 0;
    std::string crs; // empty: not known
    std::vector<float> values;
};

// The GDAL driver for the file name ("GTiff", "netCDF", "GMT"), or empty
// when the extension names none of them.
std::string gridDriverFor(const std::string& path);
// The formats that gridDriverFor knows, for a refusal: ".tif, .nc, ...".
std::string gridFormatList();

// Writes the grid (float32, NaN as its no-data value, the geotransform and
// the CRS when known). Empty on success, otherwise why it failed.
std::string writeGrid(const std::string& path, const Grid& grid);

} // namespace geo
