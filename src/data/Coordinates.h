#pragma once
// The coordinate system of a data set: what the command line asks, what the
// last read found, and the leading comment line that names it in a file.

#include <string>

namespace data {

// What the next read is told about the coordinates (empty: nothing).
struct CoordinateRequest {
    std::string crs;   // the system the coordinates are in, over any file's own
    std::string toCrs; // the system to project them into
};

// What the last read made of the coordinates.
struct CoordinateReport {
    std::string crsName;                // the system's name: "WGS 84 / UTM zone 35S"
    bool fromLongitudeLatitude = false; // projected from longitude/latitude
    bool reprojected = false;           // projected from another projected system
};

// The definition that a leading comment line "! crs EPSG:32735" names;
// empty when the line is no such comment.
std::string crsOfCommentLine(const std::string& line);

// The comment line (with its line feed) that names `crs` in a saved file.
std::string crsCommentLine(const std::string& crs);

} // namespace data
