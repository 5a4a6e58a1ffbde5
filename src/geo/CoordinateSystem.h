#pragma once
// Coordinate reference systems of survey data, through PROJ: their names,
// the UTM zone of a place, transformation of coordinate arrays and the
// scale factor of a projection where the stations lie.

#include <cstddef>
#include <string>

namespace geo {

// What PROJ makes of a definition ("EPSG:32735", a PROJ string, WKT).
struct CrsDescription {
    bool valid = false;
    bool geographic = false; // longitude/latitude in degrees
    std::string name;        // "WGS 84 / UTM zone 35S"
    std::string error;       // why it is not valid
};
CrsDescription describeCrs(const std::string& definition);

// WGS 84 / UTM of the zone and hemisphere of the place: "EPSG:32735".
std::string utmCrsFor(double longitude, double latitude);

// Transforms `count` points in place from one system into another. Easting
// or longitude is always x, northing or latitude y, whatever the axis order
// of the definitions. Empty on success, otherwise what went wrong (the
// arrays are then unspecified).
std::string transformPoints(const std::string& from, const std::string& to, double* x, double* y,
                            size_t count);

// The least and largest point scale factor of a projected system over the
// points (given in that system); false when the system has none (a
// geographic one) or PROJ cannot tell. Sets are sampled evenly (about 50 points), with
// the points at the extremes of x and y always included.
bool scaleFactorRange(const std::string& crs, const double* x, const double* y, size_t count,
                      double& least, double& largest);

// Whether a scale factor lies beyond the usual extent of a projection (1 +- 0.001).
inline bool outsideUsualExtent(double least, double largest) {
    return least < 0.999 || largest > 1.001;
}

} // namespace geo
