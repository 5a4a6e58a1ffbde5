// The coordinate system of the stations just read: the one the file or the
// command line names, longitude/latitude projected to metres, projected
// coordinates re-projected into the system asked for.

#include "data/CTESKAdatDoc.h"

#include "data/Coordinates.h"
#include "geo/CoordinateSystem.h"

#include "platform/MessageBox.h"
#include <cmath>

namespace data {

namespace {
constexpr const char kCommentStart[] = "! crs ";
}

std::string crsOfCommentLine(const std::string& line) {
    if (line.rfind(kCommentStart, 0) != 0)
        return {};
    const size_t start = line.find_first_not_of(" \t", sizeof kCommentStart - 1);
    const size_t end = line.find_last_not_of(" \t\r");
    return start == std::string::npos ? std::string() : line.substr(start, end + 1 - start);
}

std::string crsCommentLine(const std::string& crs) {
    return kCommentStart + crs + "\n";
}

} // namespace data

namespace {

// Within +-180 / +-90 and with fractions of a unit: whole units there would
// be stations a degree (some 100 km) apart, or a small grid in metres.
bool looksLikeDegrees(const ObservationSet& set) {
    if (!(set.xMin >= -180 && set.xMax <= 180 && set.yMin >= -90 && set.yMax <= 90))
        return false;
    for (int i = 0; i < set.count; ++i)
        if (set.x[i] != std::floor(set.x[i]) || set.y[i] != std::floor(set.y[i]))
            return true;
    return false;
}

} // namespace

bool CTESKAdatDoc::settleCoordinates(const std::string& fileCrs) {
    crs = coordinateRequest.crs.empty() ? fileCrs : coordinateRequest.crs;
    if (crs.empty() && tableReport.geographic)
        crs = "EPSG:4326";
    if (crs.empty()) {
        if (!coordinateRequest.toCrs.empty())
            return failRead("Error: --to-crs needs the coordinate system of the data (--crs, a "
                            "\"! crs\" line or longitude/latitude columns).",
                            MB_ICONHAND);
        if (tableReport.fromTable && looksLikeDegrees(*this))
            m_loadWarnings.push_back(
                "warning: the coordinates look like degrees; use --columns "
                "easting=...,northing=... with longitude/latitude names or --crs EPSG:4326");
        return true;
    }
    const geo::CrsDescription from = geo::describeCrs(crs);
    if (!from.valid)
        return failRead("Error: unknown coordinate system \"" + crs + "\" (" + from.error + ").",
                        MB_ICONHAND);
    std::string target = coordinateRequest.toCrs;
    if (target.empty() && from.geographic)
        target = geo::utmCrsFor((xMin + xMax) / 2, (yMin + yMax) / 2);
    if (!target.empty() && target != crs && !projectStations(target, from.geographic))
        return false;
    coordinateReport.crsName = geo::describeCrs(crs).name;
    return true;
}

bool CTESKAdatDoc::projectStations(const std::string& target, bool fromGeographic) {
    const geo::CrsDescription to = geo::describeCrs(target);
    if (!to.valid)
        return failRead("Error: unknown coordinate system \"" + target + "\" (" + to.error + ").",
                        MB_ICONHAND);
    if (to.geographic)
        return failRead("Error: --to-crs " + target +
                            " is a longitude/latitude system; the map needs one in metres.",
                        MB_ICONHAND);
    const std::string problem =
        geo::transformPoints(crs, target, x.data(), y.data(), static_cast<size_t>(count));
    if (!problem.empty())
        return failRead("Error: the coordinates could not be projected: " + problem + ".",
                        MB_ICONHAND);
    coordinateReport.fromLongitudeLatitude = fromGeographic;
    coordinateReport.reprojected = !fromGeographic;
    crs = target;
    recomputeExtents();
    return true;
}
