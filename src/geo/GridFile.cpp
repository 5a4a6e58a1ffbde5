#include "geo/GridFile.h"

#include <cpl_conv.h>
#include <gdal.h>
#include <ogr_srs_api.h>

#include <cctype>
#include <limits>

namespace geo {
namespace {

struct Format {
    const char* extension;
    const char* driver;
};
constexpr Format kFormats[] = {
    {".tif", "GTiff"}, {".tiff", "GTiff"}, {".nc", "netCDF"}, {".grd", "GMT"}};

bool endsWith(const std::string& text, const char* suffix) {
    const std::string tail(suffix);
    if (text.size() < tail.size())
        return false;
    for (size_t i = 0; i < tail.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - tail.size() + i])) !=
            tail[i])
            return false;
    return true;
}

std::string wktOf(const std::string& crs) {
    OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
    std::string wkt;
    char* text = nullptr;
    if (OSRSetFromUserInput(srs, crs.c_str()) == OGRERR_NONE &&
        OSRExportToWkt(srs, &text) == OGRERR_NONE && text)
        wkt = text;
    CPLFree(text);
    OSRDestroySpatialReference(srs);
    return wkt;
}

std::string lastGdalError(const char* what) {
    const char* message = CPLGetLastErrorMsg();
    return std::string(what) + (message && *message ? std::string(": ") + message : "");
}

} // namespace

std::string gridDriverFor(const std::string& path) {
    GDALAllRegister();
    for (const Format& format : kFormats)
        if (endsWith(path, format.extension))
            return GDALGetDriverByName(format.driver) ? format.driver : "";
    return {};
}

std::string gridFormatList() {
    GDALAllRegister();
    std::string list;
    for (const Format& format : kFormats)
        if (GDALGetDriverByName(format.driver))
            list += std::string(list.empty() ? "" : ", ") + format.extension;
    return list;
}

std::string writeGrid(const std::string& path, const Grid& grid) {
    const std::string driverName = gridDriverFor(path);
    if (driverName.empty())
        return "no grid format for \"" + path + "\" (formats: " + gridFormatList() + ")";
    GDALDriverH driver = GDALGetDriverByName(driverName.c_str());
    CPLErrorReset();
    GDALDatasetH dataset =
        GDALCreate(driver, path.c_str(), grid.columns, grid.rows, 1, GDT_Float32, nullptr);
    if (!dataset)
        return lastGdalError("the grid could not be created");
    // The geotransform names the outer corner: half a cell beyond the first node.
    double transform[6] = {grid.west - grid.cell / 2,  grid.cell, 0,
                           grid.north + grid.cell / 2, 0,         -grid.cell};
    GDALSetGeoTransform(dataset, transform);
    if (!grid.crs.empty())
        if (const std::string wkt = wktOf(grid.crs); !wkt.empty())
            GDALSetProjection(dataset, wkt.c_str());
    GDALRasterBandH band = GDALGetRasterBand(dataset, 1);
    GDALSetRasterNoDataValue(band, std::numeric_limits<double>::quiet_NaN());
    const CPLErr written = GDALRasterIO(band, GF_Write, 0, 0, grid.columns, grid.rows,
                                        const_cast<float*>(grid.values.data()), grid.columns,
                                        grid.rows, GDT_Float32, 0, 0);
    GDALClose(dataset); // flushes the file
    if (written != CE_None || CPLGetLastErrorType() >= CE_Failure)
        return lastGdalError("the grid could not be written");
    return {};
}

} // namespace geo
