#include "data/StationTable.h"
#include "MessageCapture.h"
#include "TempFiles.h"
#include "data/CTESKAdatDoc.h"
#include "data/StationTableReader.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

class StationTable : public testing::Test {
protected:
    bool read(const std::string& contents) {
        path = dir.write("table.csv", contents);
        return doc.readObservationFile(path);
    }
    std::string lastMessage() const {
        return messages.messages().empty() ? "" : messages.messages().back().text;
    }
    TempDir dir;
    MessageCapture messages;
    CTESKAdatDoc doc;
    std::string path;
};

TEST_F(StationTable, EveryNameFormAndDelimiterFindsItsColumn) {
    const std::vector<std::vector<std::string>> names = {
        {"x", "east", "easting", "e", "X"},
        {"y", "north", "northing", "n", "Northing (m)"},
        {"z", "elev", "elevation", "height", "h"},
        {"data", "obs", "observed", "value", "gz", "grav", "anomaly", "Gz [mGal]"},
        {"err", "error", "sd", "std", "stdev", "sigma", "uncertainty"}};
    for (size_t form = 0; form < 8; ++form) {
        for (const char* delimiter : {",", "\t", ";", "  "}) {
            std::string header = "\"line\"";
            for (const auto& role : {4, 2, 0, 3, 1}) // the columns in another order
                header += delimiter + names[role][form % names[role].size()];
            std::string table = "! exported\n" + header + "\n";
            for (int i = 0; i < 4; ++i)
                table += "L" + std::to_string(i) + delimiter + "0.5" + delimiter + "100" +
                         delimiter + std::to_string(i * 10) + delimiter + std::to_string(i + 1) +
                         delimiter + std::to_string(i * i) + "\n";
            SCOPED_TRACE(header);
            ASSERT_TRUE(read(table)) << lastMessage();
            ASSERT_EQ(doc.count, 4);
            EXPECT_EQ(doc.x[3], 30);
            EXPECT_EQ(doc.y[3], 9);
            EXPECT_EQ(doc.elevation[3], 100);
            EXPECT_EQ(doc.data[3], 4);
            EXPECT_EQ(doc.error[3], 0.5);
            EXPECT_FALSE(doc.isMagnetic);
        }
    }
    ASSERT_TRUE(read("x,y,TMI\n0,0,1\n1,0,2\n0,1,3\n")); // without elevation and error
    EXPECT_TRUE(doc.isMagnetic);
    EXPECT_EQ(doc.elevation[2], 0);
    EXPECT_EQ(doc.error[2], 0);
    ASSERT_TRUE(read("x y anomaly(nT)\n0 0 1\n1 0 2\n\n0 1 3\n"));
    EXPECT_TRUE(doc.isMagnetic);
    EXPECT_EQ(doc.header1a, 90);
}

TEST_F(StationTable, RefusalsNameTheLineAndLoadNothing) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"x,y,gz\n0,0,1\n1,0\n0,1,3\n", "line 3 has 2 fields where the header has 3."},
        {"x,y,gz\n0,0,1\n1,zero,2\n0,1,3\n", "line 3 \"zero\" is not a number."},
        {"!c\nx,y,X,gz\n0,0,0,1\n", "line 2: the column name \"x\" appears twice."},
        {"x,y,elevation\n0,0,1\n", "has no easting, northing and data columns."},
        {"x,y,gz\n0,0,1\n1,0,2\n", "has too few stations with values (2); more than 2 are needed."},
    };
    for (const auto& [contents, message] : cases) {
        EXPECT_FALSE(read(contents));
        EXPECT_EQ(doc.count, 0);
        EXPECT_NE(lastMessage().find(message), std::string::npos) << lastMessage();
    }
    // Numbers in a count line, even "nan", are never column names.
    EXPECT_FALSE(data::isColumnHeader("nan inf nan"));
    EXPECT_FALSE(data::isColumnHeader("3"));
    EXPECT_FALSE(data::isColumnHeader("stations"));
    EXPECT_TRUE(data::isColumnHeader("gz"));
    ASSERT_TRUE(read("3\n0 0 1 5\n1 0 1 6\n0 1 1 7\n"));
    EXPECT_EQ(doc.data[2], 7);
}

TEST_F(StationTable, ExportWritesEveryStationAndReadsBack) {
    ASSERT_TRUE(read("x,y,z,gz,sd\n0.1,0,5,1.25,0\n1e6,7512345.5,5,2,0.5\n0,1,5,-3,1\n"));
    doc.hasPredicted = true;
    doc.predicted = {1, 1.5, -2};
    EXPECT_EQ(data::stationTableCsv(doc),
              "easting,northing,elevation,data,error,predicted,difference,normalized_difference\n"
              "0.1,0,5,1.25,0,1,0.25,\n"
              "1000000,7512345.5,5,2,0.5,1.5,0.5,1\n"
              "0,1,5,-3,1,-2,-1,-1\n");
    const std::string out = dir.file("out.csv");
    ASSERT_TRUE(data::exportStationTable(doc, out));
    const std::vector<double> before = doc.y;
    ASSERT_TRUE(doc.readObservationFile(out));
    EXPECT_EQ(doc.y, before);
    EXPECT_FALSE(data::exportStationTable(doc, dir.file("missing/out.csv")));
    EXPECT_NE(lastMessage().find("could not be saved: No such file or directory."),
              std::string::npos);
}

} // namespace
