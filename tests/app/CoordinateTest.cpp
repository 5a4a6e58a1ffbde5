// Coordinate systems: longitude/latitude projected, systems named in files
// and on the command line, re-projection and its warnings. Reference
// coordinates are PROJ's cs2cs output for the same points.

#include "MessageCapture.h"
#include "TempFiles.h"
#include "app/BatchInfo.h"
#include "app/CommandLine.h"
#include "data/CTESKAdatDoc.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class Coordinates : public testing::Test {
protected:
    bool open(const std::string& contents, std::vector<std::string> options,
              const char* name = "stations.csv") {
        options.push_back(dir.write(name, contents));
        const CommandLine line = parseCommandLine(options);
        EXPECT_EQ(line.error, "");
        messages.clear();
        return openFromCommandLine(doc, line);
    }
    std::string allMessages() const {
        std::string text;
        for (const CapturedMessage& message : messages.messages())
            text += message.text + "\n";
        return text;
    }
    TempDir dir;
    MessageCapture messages;
    CTESKAdatDoc doc;
};

// Stations in UTM zone 35S, the first at 27.5 E, 25.7 S.
const char kSouthAfrica[] = "lon,lat,elev,gz\n27.5,-25.7,1300,10.5\n27.6,-25.75,1310,11\n"
                            "27.55,-25.8,1320,12\n";

TEST_F(Coordinates, LongitudeLatitudeGoToTheUtmZoneOfTheStationsOrToTheSystemAskedFor) {
    ASSERT_TRUE(open(kSouthAfrica, {"--info"}));
    EXPECT_NEAR(doc.x[0], 550165.6438, 1e-3);
    EXPECT_NEAR(doc.y[0], 7157443.6524, 1e-3);
    EXPECT_NE(describeDataSet(doc).find(
                  "\ncrs: EPSG:32735 (WGS 84 / UTM zone 35S), projected from longitude/latitude\n"),
              std::string::npos);
    EXPECT_EQ(describeDataSet(doc).find("scale factor:"), std::string::npos);

    // Northern hemisphere, named by --columns, into a zone given by --to-crs.
    ASSERT_TRUE(open("Latitude;Longitude;Bouguer\n40.4;-3.7;1\n40.5;-3.6;2\n40.45;-3.8;3\n",
                     {"--to-crs", "EPSG:32630"}));
    EXPECT_NEAR(doc.x[0], 440598.0789, 1e-3);
    EXPECT_NEAR(doc.y[0], 4472390.0311, 1e-3);
    EXPECT_EQ(doc.crs, "EPSG:32630");

    // Projected columns win over longitude and latitude.
    ASSERT_TRUE(
        open("lon,lat,x,y,gz\n27,-25,1000,2000,1\n27,-25,1010,2000,2\n27,-25,1000,2010,3\n", {}));
    EXPECT_EQ(doc.x[0], 1000);
    EXPECT_EQ(doc.crs, "");
}

TEST_F(Coordinates, TheSystemOfAFileComesBackAfterSaveAndAFileWithoutOneIsSavedAsBefore) {
    const std::string plain = "3\n1000 2000 5 1.5 0.1\n1010 2000 5 2.5 0.1\n1000 2010 5 3.5 0.1\n";
    ASSERT_TRUE(open("! crs EPSG:32735\n! other comment\n" + plain, {}, "crs.dat"));
    EXPECT_EQ(doc.crs, "EPSG:32735");
    const std::string saved = dir.path() + "/saved.dat";
    ASSERT_TRUE(doc.OnSaveDocument(saved));
    ASSERT_EQ(readWholeFile(saved).rfind("! crs EPSG:32735\n3\n", 0), 0u);
    ASSERT_TRUE(open(readWholeFile(saved), {"--info"}, "again.dat"));
    EXPECT_NE(describeDataSet(doc).find("\ncrs: EPSG:32735 (WGS 84 / UTM zone 35S)\n"),
              std::string::npos);

    // --crs over the file's own; none at all: the file as it always was.
    ASSERT_TRUE(open(readWholeFile(saved), {"--crs", "EPSG:32734"}, "again.dat"));
    EXPECT_EQ(doc.crs, "EPSG:32734");
    ASSERT_TRUE(open(plain, {}, "plain.dat"));
    ASSERT_TRUE(doc.OnSaveDocument(saved));
    EXPECT_EQ(readWholeFile(saved).substr(0, 2), "3\n");
    EXPECT_EQ(describeDataSet(doc).find("crs"), std::string::npos);
}

TEST_F(Coordinates, AReprojectionGivesPROJsCoordinatesAndScaleFactorsAndWarnsOutsideTheZone) {
    // Zone 35S stations written in zone 34S: the wrong zone, as surveys do.
    const std::string inZone35 = "3\n550165.6438 7157443.652 0 1 0\n560000 7150000 0 2 0\n"
                                 "555000 7146000 0 3 0\n";
    ASSERT_TRUE(open(inZone35, {"--crs", "EPSG:32735", "--to-crs", "EPSG:32734"}, "z.dat"));
    EXPECT_NEAR(doc.x[0], 1153027.6287, 1e-3);
    EXPECT_NEAR(doc.y[0], 7141429.1507, 1e-3);
    const std::string info = describeDataSet(doc);
    EXPECT_NE(info.find("\nscale factor: 1.00"), std::string::npos) << info;
    EXPECT_NE(info.find("\nwarning: the stations lie outside the usual extent of EPSG:32734 "
                        "(scale factor up to 1.00"),
              std::string::npos)
        << info;

    // Back into their own zone: scale factors near 0.9996, no warning.
    ASSERT_TRUE(open(inZone35, {"--crs", "EPSG:32735", "--to-crs", "EPSG:32735"}, "z.dat"));
    EXPECT_EQ(describeDataSet(doc).find("warning"), std::string::npos);
}

TEST_F(Coordinates, DegreesNamedXYAndImpossibleRequestsAreToldAbout) {
    const std::string degrees = "x,y,gz\n27.5,-25.7,1\n27.6,-25.75,2\n27.55,-25.8,3\n";
    ASSERT_TRUE(open(degrees, {}));
    EXPECT_NE(allMessages().find("warning: the coordinates look like degrees; use --columns "
                                 "easting=...,northing=... with longitude/latitude names or --crs "
                                 "EPSG:4326"),
              std::string::npos);
    // Told they are degrees, they are projected like longitude and latitude.
    ASSERT_TRUE(open(degrees, {"--crs", "EPSG:4326"}));
    EXPECT_EQ(allMessages(), "");
    EXPECT_EQ(doc.crs, "EPSG:32735");

    EXPECT_FALSE(open(degrees, {"--to-crs", "EPSG:32735"}));
    EXPECT_NE(allMessages().find("--to-crs needs the coordinate system"), std::string::npos);
    EXPECT_FALSE(open(degrees, {"--crs", "EPSG:999999"}));
    EXPECT_NE(allMessages().find("unknown coordinate system \"EPSG:999999\""), std::string::npos);
    EXPECT_EQ(doc.count, 0);
    EXPECT_NE(parseCommandLine({"--crs"}).error, "");
}

} // namespace
