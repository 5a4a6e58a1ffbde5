// Tables as real survey software, spreadsheets and GIS write them.

#include "MessageCapture.h"
#include "TempFiles.h"
#include "data/CTESKAdatDoc.h"
#include "data/StationTable.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string utf16(const std::string& ascii, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii) {
        out += bigEndian ? '\0' : c;
        out += bigEndian ? c : '\0';
    }
    return out;
}

class RealTable : public testing::Test {
protected:
    bool read(const std::string& contents) {
        messages.clear();
        path = dir.write("table.csv", contents);
        return doc.OnOpenDocument(path);
    }
    std::string allMessages() const {
        std::string text;
        for (const CapturedMessage& message : messages.messages())
            text += message.text + "\n";
        return text;
    }
    std::string lineOf(int station) const {
        return doc.lineNames.at(
            static_cast<size_t>(doc.lineOfStation.at(static_cast<size_t>(station))));
    }
    TempDir dir;
    MessageCapture messages;
    CTESKAdatDoc doc;
    std::string path;
};

TEST_F(RealTable, EveryWayOfWritingATableLoads) {
    const std::string plain = "x,y,gz\n1,2,3\n4,5,6\n7,8,9.5\n";
    const std::vector<std::string> tables = {
        "longitude,latitude,easting,northing,elevation,gravity\n0,0,1,2,0,3\n0,0,4,5,0,6\n"
        "0,0,7,8,0,9.5\n",
        "\n# survey 12\n/ exported\nGravity survey of the north block\nx,y,gz\n1,2,3\n\n4,5,6\n"
        "7,8,9.5\n",
        "sep=;\r\nX_UTM;UTM_N;\"Bouguer (mGal)\";\r\n1;2;3;\r\n4;5;6;\r\n7;8;9,5;\r\n",
        "x\ty\tCBA\r1\t2\t3\r4\t5\t6\r7\t8\t9,5\r",
        utf16(plain, false),
        utf16(plain, true),
        "x,y,note,g\n1,2,\"base, re-occupied \"\"A\"\"\",3\n4,5,,6\n7,8,x,9.5\n",
        "mga_e  mga_n  free_air\n1 2 3\n4 5 6\n7 8 9.5\n",
    };
    for (const std::string& table : tables) {
        SCOPED_TRACE(table);
        ASSERT_TRUE(read(table)) << allMessages();
        ASSERT_EQ(doc.count, 3);
        EXPECT_EQ(doc.x[2], 7);
        EXPECT_EQ(doc.y[2], 8);
        EXPECT_EQ(doc.data[2], 9.5);
        EXPECT_FALSE(doc.isMagnetic);
        EXPECT_TRUE(doc.tableReport.fromTable);
    }
    EXPECT_EQ(doc.tableReport.columns,
              "easting=mga_e, northing=mga_n, elevation=none (0), data=free_air, error=none (0)");
}

TEST_F(RealTable, NamesChooseColumnsTypeAndUnits) {
    ASSERT_TRUE(read("x,y,height,elevation,tmi,std\n0,0,5,6,1,2\n1,0,5,6,1,2\n0,1,5,6,1,2\n"));
    EXPECT_EQ(doc.elevation[0], 6) << "the exact name wins";
    EXPECT_EQ(doc.error[0], 2);
    EXPECT_TRUE(doc.isMagnetic);
    ASSERT_TRUE(read("E,N,value (nt)\n0,0,1\n1,0,1\n0,1,1\n"));
    EXPECT_TRUE(doc.isMagnetic) << "units are matched without case";
    ASSERT_TRUE(read("x,y,obs (uGal),err [uGal]\n0,0,1500,20\n1,0,1,1\n0,1,1,1\n"));
    EXPECT_FALSE(doc.isMagnetic);
    EXPECT_DOUBLE_EQ(doc.data[0], 1.5);
    EXPECT_DOUBLE_EQ(doc.error[0], 0.02);
    EXPECT_TRUE(doc.tableReport.microgal);
    ASSERT_TRUE(read("X,Y,SurveyID,SurveyNumber,MagAnomaly,uncertainty\n0,0,A,1,5,1\n"
                     "1,0,A,1,6,1\n0,1,B,1,7,1\n"));
    EXPECT_TRUE(doc.isMagnetic);
    EXPECT_EQ(doc.data[2], 7);
    EXPECT_EQ(lineOf(2), "B");

    doc.tableRequest.columns = {{"data", "2"}, {"northing", "surveynumber"}, {"error", "none"}};
    doc.tableRequest.type = data::TableRequest::Type::Gravity;
    ASSERT_TRUE(read("X,Y,SurveyID,SurveyNumber,MagAnomaly,uncertainty\n0,0,A,1,5,1\n"
                     "1,0,A,2,6,1\n0,1,B,3,7,1\n"));
    EXPECT_EQ(doc.data[1], 0);
    EXPECT_EQ(doc.y[2], 3);
    EXPECT_EQ(doc.error[0], 0);
    EXPECT_FALSE(doc.isMagnetic);

    doc.tableRequest = {};
    EXPECT_FALSE(read("station,lon,lat,reading\n1,0,0,5\n2,1,0,6\n3,0,1,7\n"));
    EXPECT_NE(allMessages().find("No column for: data.\nColumns found: "
                                 "station, lon, lat, reading.\nChoose the columns with --columns"),
              std::string::npos)
        << allMessages();
    EXPECT_EQ(allMessages().find("Need more than 2 data"), std::string::npos);
    doc.tableRequest.columns = {{"data", "gravity"}};
    EXPECT_FALSE(read("x,y,g\n0,0,1\n1,0,1\n0,1,1\n"));
    EXPECT_NE(allMessages().find("no column \"gravity\""), std::string::npos) << allMessages();
}

TEST_F(RealTable, MissingValuesAreSkippedAndMarkersWarned) {
    ASSERT_TRUE(read("x,y,gz,sd\n0,0,1,1\n1,0,NaN,1\n2,0,3,*\n0,1,N/A,1\n1,1,-99999,1\n"
                     "2,1,4,1\n3,1,-99999,1\n3,3,3,1\n"));
    EXPECT_EQ(doc.count, 5);
    EXPECT_EQ(doc.tableReport.skipped, 3);
    EXPECT_EQ(doc.tableReport.firstSkipped, 3);
    EXPECT_EQ(allMessages(), "warning: 2 values look like a no-data marker (-99999); use --nodata "
                             "-99999 to skip them\n");
    doc.tableRequest.noData = {-99999};
    ASSERT_TRUE(read("x,y,gz,sd\n0,0,1,1\n1,0,NaN,1\n2,0,3,*\n0,1,N/A,1\n1,1,-99999,1\n"
                     "2,1,4,1\n3,1,-99999,1\n3,3,3,1\n"));
    EXPECT_EQ(doc.count, 3);
    EXPECT_TRUE(messages.empty()) << allMessages();
}

TEST_F(RealTable, ObservationFilesStayObservationFiles) {
    ASSERT_TRUE(read("! x,y,gz\n3\n0 0 1 5\n1 0 1 6\n0 1 1 7\n"));
    EXPECT_FALSE(doc.tableReport.fromTable);
    // A count line without a number keeps the previous count (3): valid data lines follow.
    ASSERT_TRUE(read("Line 10\n0 0 1 5\n1 0 1 6\n0 1 1 7\n"));
    EXPECT_FALSE(doc.tableReport.fromTable);
    EXPECT_EQ(doc.data[2], 7);
    EXPECT_FALSE(read("stations\n2\n")); // nor a table: read on as data lines, as ever
    EXPECT_EQ(allMessages(), "Error: " + path + "\nis not a valid data file.\n");
}

TEST_F(RealTable, LineLabelsFollowTheEditsAndTheExport) {
    ASSERT_TRUE(read("/ survey lines\rLINE 10\rx y z tmi\r0 0 1 5\r1 0 1 6\r2 0 1 6\rTie 5\r"
                     "0 1 1 7\r1 1 1 8\r"));
    ASSERT_EQ(doc.count, 5);
    EXPECT_EQ(lineOf(0), "Line 10");
    EXPECT_EQ(lineOf(3), "Tie 5");
    doc.history.setEnabled(true);
    doc.deleteStation(0);
    doc.downsample(2);
    EXPECT_EQ(doc.count, 2);
    EXPECT_EQ(lineOf(1), "Tie 5");
    doc.undo();
    doc.undo();
    EXPECT_EQ(lineOf(0), "Line 10");
    doc.cropToRegion(0, 5, 0.5, 5);
    EXPECT_EQ(data::stationTableCsv(doc),
              "! magnetic\neasting,northing,elevation,data,error,line\n0,1,1,7,0,Tie "
              "5\n1,1,1,8,0,Tie 5\n");
}

TEST_F(RealTable, MagneticFieldIsNeverInvented) {
    const std::string table = "x,y,tmi\n0,0,1961197.71574657\n1,0,2\n0,1,3\n";
    ASSERT_TRUE(read(table));
    EXPECT_TRUE(doc.inducingFieldMissing);
    EXPECT_EQ(allMessages(), "warning: no inducing field given; inclination 90, declination 0, "
                             "field 0 assumed (use --field I,D,F)\n");
    doc.tableRequest.fieldGiven = true;
    doc.tableRequest.field[0] = 60, doc.tableRequest.field[1] = -5.5,
    doc.tableRequest.field[2] = 51234;
    ASSERT_TRUE(read(table));
    EXPECT_FALSE(doc.inducingFieldMissing);
    EXPECT_EQ(doc.header1c, 51234);
    EXPECT_EQ(doc.header2b, -5.5);

    const std::string csv = dir.file("out.csv");
    ASSERT_TRUE(data::exportStationTable(doc, csv));
    doc.tableRequest = {};
    ASSERT_TRUE(doc.OnOpenDocument(csv));
    EXPECT_TRUE(doc.isMagnetic);
    EXPECT_FALSE(doc.inducingFieldMissing);
    EXPECT_EQ(doc.header1a, 60);
    EXPECT_EQ(doc.header1c, 51234);
    EXPECT_EQ(doc.data[0], 1961197.71574657) << "the export keeps every digit";

    messages.clear();
    ASSERT_TRUE(doc.OnSaveDocument(dir.file("out.obs")));
    EXPECT_EQ(messages.messages().front().text,
              "warning: 1 values lose digits in the observation format (largest change "
              "0.0157466)");
}

} // namespace
