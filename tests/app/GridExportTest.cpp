// Grids out: the main map's values read back through GDAL.

#include "plot/GridExport.h"
#include "MessageCapture.h"
#include "TempFiles.h"
#include "data/CTESKAdatDoc.h"
#include "plot/CTESKAdatView.h"

#include <gdal.h>

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A 5 x 4 lattice of stations 100 m apart without its north-east corner;
// values that no plane holds, so that only the triangulation gives them.
std::string latticeFile() {
    std::string text = "19\n";
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 5; ++i)
            if (!(i == 4 && j == 3))
                text += std::to_string(1000 + 100 * i) + " " + std::to_string(5000 + 100 * j) +
                        " 0 " + std::to_string(i * i + 7 * j) + " 0\n";
    return text;
}

struct ReadGrid {
    int columns = 0, rows = 0;
    double transform[6] = {};
    std::string projection;
    std::vector<float> values;
    float at(double x, double y) const {
        const int column = static_cast<int>(std::lround((x - transform[0]) / transform[1] - 0.5));
        const int row = static_cast<int>(std::lround((y - transform[3]) / transform[5] - 0.5));
        return values.at(static_cast<size_t>(row * columns + column));
    }
};

ReadGrid readBack(const std::string& path) {
    GDALAllRegister();
    ReadGrid grid;
    GDALDatasetH dataset = GDALOpen(path.c_str(), GA_ReadOnly);
    if (!dataset)
        return grid;
    grid.columns = GDALGetRasterXSize(dataset);
    grid.rows = GDALGetRasterYSize(dataset);
    GDALGetGeoTransform(dataset, grid.transform);
    grid.projection = GDALGetProjectionRef(dataset);
    grid.values.resize(static_cast<size_t>(grid.columns) * grid.rows);
    if (GDALRasterIO(GDALGetRasterBand(dataset, 1), GF_Read, 0, 0, grid.columns, grid.rows,
                     grid.values.data(), grid.columns, grid.rows, GDT_Float32, 0, 0) != CE_None)
        grid.values.clear();
    GDALClose(dataset);
    return grid;
}

class GridExport : public testing::Test {
protected:
    void SetUp() override {
        doc.coordinateRequest.crs = "EPSG:32735";
        ASSERT_TRUE(doc.OnOpenDocument(dir.write("lattice.dat", latticeFile())));
    }
    TempDir dir;
    MessageCapture messages;
    CTESKAdatDoc doc;
    CTESKAdatView view{doc};
};

TEST_F(GridExport, AGeoTiffHoldsTheStationsValuesOnTheirNodesAndTheMapsBetweenThem) {
    const std::string path = dir.path() + "/grid.tif";
    ASSERT_TRUE(exportGrid(view, path, 50));
    const ReadGrid grid = readBack(path);
    ASSERT_EQ(grid.columns, 9);
    ASSERT_EQ(grid.rows, 7);
    EXPECT_EQ(grid.transform[0], 975);
    EXPECT_EQ(grid.transform[3], 5325);
    EXPECT_EQ(grid.transform[1], 50);
    EXPECT_EQ(grid.transform[5], -50);
    EXPECT_NE(grid.projection.find("UTM zone 35S"), std::string::npos);
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 5; ++i) {
            if (!(i == 4 && j == 3)) {
                EXPECT_EQ(grid.at(1000 + 100 * i, 5000 + 100 * j), i * i + 7 * j) << i << j;
            }
        }
    }
    // Half-way along a lattice side (an edge of every triangulation of it).
    EXPECT_EQ(grid.at(1350, 5000), (9 + 16) / 2.0f);
    EXPECT_EQ(grid.at(1000, 5150), (7 + 14) / 2.0f);
    EXPECT_EQ(grid.at(1150, 5100), (8 + 11) / 2.0f);
    // Where no station is near, no value.
    EXPECT_TRUE(std::isnan(grid.at(1400, 5300)));
}

TEST_F(GridExport, NetCdfReadsBackAndImpossibleGridsAreRefused) {
    const std::string path = dir.path() + "/grid.nc";
    ASSERT_TRUE(exportGrid(view, path, 0)); // the stations' spacing: 100 m
    const ReadGrid grid = readBack(path);
    ASSERT_EQ(grid.columns, 5);
    ASSERT_EQ(grid.rows, 4);
    EXPECT_EQ(grid.at(1300, 5200), 9 + 14);

    messages.clear();
    EXPECT_FALSE(exportGrid(view, dir.path() + "/grid.png", 50));
    EXPECT_NE(messages.messages().at(0).text.find("formats: .tif"), std::string::npos);
    messages.clear();
    EXPECT_FALSE(exportGrid(view, dir.path() + "/huge.tif", 1e-6));
    EXPECT_NE(messages.messages().at(0).text.find("does not fit into memory"), std::string::npos);
}

} // namespace
