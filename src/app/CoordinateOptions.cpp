#include "app/CoordinateOptions.h"

#include "app/CommandLine.h"
#include "data/EditChecks.h"

#include <cmath>

namespace {

bool takeGridOption(CommandLine& line, const std::vector<std::string>& arguments, size_t& index) {
    const std::string& name = arguments[index];
    if (name != "--export-grid" && name != "--cell")
        return false;
    const bool given = index + 1 < arguments.size() && !arguments[index + 1].empty();
    if (name == "--export-grid" && given) {
        line.exportGridPath = arguments[++index];
    } else if (name == "--cell" && given && data::parseReal(arguments[index + 1], line.gridCell) &&
               line.gridCell > 0 && std::isfinite(line.gridCell)) {
        ++index;
    } else if (line.error.empty()) {
        line.error = name == "--cell" ? "--cell needs a positive length in metres."
                                      : "--export-grid needs OUT.tif or OUT.nc.";
    }
    return true;
}

} // namespace

bool takeCoordinateOption(CommandLine& line, const std::vector<std::string>& arguments,
                          size_t& index) {
    if (takeGridOption(line, arguments, index))
        return true;
    const std::string& name = arguments[index];
    std::string* target = name == "--crs"      ? &line.coordinates.crs
                          : name == "--to-crs" ? &line.coordinates.toCrs
                                               : nullptr;
    if (!target)
        return false;
    // The definition is written back as one comment line of the saved file.
    if (index + 1 >= arguments.size() || arguments[index + 1].empty() ||
        arguments[index + 1].find_first_of("\r\n") != std::string::npos) {
        if (line.error.empty())
            line.error = name + " needs a coordinate system on one line (EPSG:CODE or a PROJ "
                                "definition).";
        return true;
    }
    *target = arguments[++index];
    return true;
}

std::string coordinateUsageText() {
    return "Coordinates: an observation file may name its coordinate system in a first\n"
           "comment line \"! crs EPSG:CODE\"; saving writes it back. A table with\n"
           "longitude/latitude (lon, long, lng / lat) and no projected columns is\n"
           "projected to WGS 84 / UTM of its stations' centre.\n"
           "  --crs CRS              the coordinate system of the data (EPSG:CODE or any\n"
           "                         definition PROJ reads), over the file's own\n"
           "  --to-crs CRS           project the coordinates into CRS\n"
           "  --export-grid OUT      write the main map's values on a regular grid over the\n"
           "                         displayed region: .tif (GeoTIFF) or .nc (netCDF),\n"
           "                         float32, NaN outside the stations' hull\n"
           "  --cell METRES          the grid's spacing (default: the median distance from\n"
           "                         a station to its nearest neighbour)\n";
}
