#include "MessageCapture.h"
#include "TempFiles.h"
#include "data/CTESKAdatDoc.h"

#include <clocale>
#include <cmath>
#include <gtest/gtest.h>

namespace {

class ObservationReader : public testing::Test {
protected:
    // Reads `contents` as the Open command does (dataPath set first).
    bool read(const std::string& contents, const std::string& name = "survey.obs") {
        doc.dataPath = dir.write(name, contents);
        return doc.readObservationFile(doc.dataPath);
    }

    TempDir dir;
    MessageCapture messages;
    CTESKAdatDoc doc;
};

TEST_F(ObservationReader, GravityFileWithCommentsAndFiveColumns) {
    ASSERT_TRUE(read("! survey A\n!x y z g e\n3\n1 2 3 4 5\n6 7 8 9 10\n-1 -2 -3 -4 -5\n"));
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(doc.isMagnetic);
    ASSERT_EQ(doc.count, 3);
    EXPECT_EQ(doc.x[1], 6);
    EXPECT_EQ(doc.y[1], 7);
    EXPECT_EQ(doc.elevation[1], 8);
    EXPECT_EQ(doc.data[1], 9);
    EXPECT_EQ(doc.error[1], 10);
    EXPECT_EQ(doc.xMin, -1);
    EXPECT_EQ(doc.xMax, 6);
    EXPECT_EQ(doc.yMin, -2);
    EXPECT_EQ(doc.yMax, 7);
    EXPECT_EQ(doc.dataMin, -4);
    EXPECT_EQ(doc.dataMax, 9);
    EXPECT_TRUE(doc.predicted.empty());
    EXPECT_EQ(doc.GetTitle(), doc.dataPath);
    EXPECT_FALSE(doc.dataReady) << "the reader leaves dataReady to its callers";
}

TEST_F(ObservationReader, ThreeAndFourValueLinesAndTrailingText) {
    ASSERT_TRUE(read("4\n1 2 3\n1 2 3 4\n1 2 3 x 5\n1 2 3 4 5 6 junk\n"));
    EXPECT_EQ(doc.data[0], 3) << "three values: data equals elevation";
    EXPECT_EQ(doc.error[0], 0);
    EXPECT_EQ(doc.data[1], 4);
    EXPECT_EQ(doc.error[1], 0);
    EXPECT_EQ(doc.data[2], 3) << "the scan stops at the first field that is not a real";
    EXPECT_EQ(doc.error[2], 0);
    EXPECT_EQ(doc.error[3], 5);
}

TEST_F(ObservationReader, MagneticHeaderAndMultiComponentWarning) {
    ASSERT_TRUE(read("!c\n60 10 50000\n60 10 1\n3\n0 0 0 1\n1 0 0 2\n0 1 0 3\n"));
    EXPECT_TRUE(doc.isMagnetic);
    EXPECT_EQ(doc.header1a, 60);
    EXPECT_EQ(doc.header1b, 10);
    EXPECT_EQ(doc.header1c, 50000);
    EXPECT_EQ(doc.header2a, 60);
    EXPECT_EQ(doc.header2b, 10);
    EXPECT_TRUE(messages.empty());

    ASSERT_TRUE(read("60 10 50000\n60 10 0\n3\n0 0 0 1\n1 0 0 2\n0 1 0 3\n"));
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text, "Cannot display multi-component data files.");
    EXPECT_EQ(messages.last().style, MB_ICONEXCLAMATION);
    EXPECT_EQ(doc.count, 3);
}

TEST_F(ObservationReader, CountLineForms) {
    const std::string lines = "1 2 3\n";
    std::string eight, sixteen;
    for (int i = 0; i < 8; ++i)
        eight += lines;
    for (int i = 0; i < 16; ++i)
        sixteen += lines;
    ASSERT_TRUE(read("010\n" + eight));
    EXPECT_EQ(doc.count, 8) << "a leading zero makes the count octal";
    ASSERT_TRUE(read("0x10\n" + sixteen));
    EXPECT_EQ(doc.count, 16);
    ASSERT_TRUE(read("3 stations\n" + eight));
    EXPECT_EQ(doc.count, 3);
    ASSERT_TRUE(read("3 4\n" + eight)) << "two reals are a count line, not a header";
    EXPECT_FALSE(doc.isMagnetic);
    EXPECT_EQ(doc.count, 3);
    EXPECT_TRUE(messages.empty());
}

TEST_F(ObservationReader, TooFewStationsClearsCountButKeepsArrays) {
    ASSERT_TRUE(read("3\n1 2 3\n4 5 6\n7 8 9\n"));
    for (const char* countLine : {"2\n", "-5\n", "0\n"}) {
        messages.clear();
        EXPECT_FALSE(read(std::string(countLine) + "1 2 3\n1 2 3\n1 2 3\n"));
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.last().text, "Error: Need more than 2 data.");
        EXPECT_EQ(messages.last().style, MB_OK);
        EXPECT_EQ(doc.count, 0);
        EXPECT_EQ(doc.x.size(), 3u) << "the arrays of the earlier set are untouched";
    }
}

TEST_F(ObservationReader, CountLineWithoutIntegerKeepsPreviousCount) {
    ASSERT_TRUE(read("3\n1 2 3\n4 5 6\n7 8 9\n"));
    ASSERT_TRUE(read("stations\n1 1 1\n2 2 2\n3 3 4\n"));
    EXPECT_EQ(doc.count, 3);
    EXPECT_EQ(doc.data[2], 4);

    CTESKAdatDoc fresh;
    fresh.dataPath = dir.write("fresh.obs", "stations\n1 1 1\n");
    EXPECT_FALSE(fresh.readObservationFile(fresh.dataPath));
    EXPECT_EQ(messages.last().text, "Error: Need more than 2 data.");
}

TEST_F(ObservationReader, BadDataLinesFailWithStopIcon) {
    const struct {
        const char* contents;
        const char* why;
    } cases[] = {
        {"3\n1 2 3\n1 2\n1 2 3\n", "a line with two reals"},
        {"3\n1 2 3\n1 2 3\n", "the file ends early"},
        {"3\n1 2 3\n\n1 2 3\n1 2 3\n", "an empty line among the data"},
        {"3\n!comment\n1 2 3\n1 2 3\n1 2 3\n", "a comment after the count line"},
        {"60 10 50000\n!c\n60 10 1\n3\n1 2 3\n1 2 3\n1 2 3\n",
         "a comment between the header lines"},
    };
    for (const auto& c : cases) {
        messages.clear();
        EXPECT_FALSE(read(c.contents)) << c.why;
        ASSERT_FALSE(messages.empty()) << c.why;
        EXPECT_EQ(messages.last().text, "Error: " + doc.dataPath + "\nis not a valid data file.")
            << c.why;
        EXPECT_EQ(messages.last().style, MB_ICONHAND) << c.why;
        EXPECT_EQ(doc.count, 0) << c.why;
    }
}

TEST_F(ObservationReader, ANewFileHoldsPlainValues) {
    doc.logScale = true;
    ASSERT_TRUE(read("3\n1 2 3\n4 5 6\n7 8 9\n"));
    EXPECT_FALSE(doc.logScale) << "the log-scale check mark must not stand over plain values";
}

TEST_F(ObservationReader, BlanksBeforeTheMarkMakeNoComment) {
    EXPECT_FALSE(read(" !x\n3\n1 2 3\n1 2 3\n1 2 3\n"));
    EXPECT_EQ(messages.last().text, "Error: Need more than 2 data.")
        << "the line is taken as the count line and holds no integer";
}

TEST_F(ObservationReader, ExtraLinesAreIgnoredAndCarriageReturnsAccepted) {
    ASSERT_TRUE(read("3\r\n1 2 3\r\n4 5 6\r\n7 8 9\r\ngarbage\n"));
    EXPECT_EQ(doc.count, 3);
    EXPECT_EQ(doc.data[2], 9);
}

TEST_F(ObservationReader, MissingFileOrDirectoryLeavesNothingToSave) {
    // The previous stations are no longer shown after a failed open, so they
    // are dropped rather than left for Save or the edits to act on unseen.
    for (const std::string& path : {dir.file("missing.obs"), dir.path()}) {
        ASSERT_TRUE(read("3\n1 2 3\n4 5 6\n7 8 9\n"));
        doc.hasPredicted = true;
        doc.SetModifiedFlag(true);
        messages.clear();
        EXPECT_FALSE(doc.readObservationFile(path));
        ASSERT_EQ(messages.messages().size(), 1u);
        EXPECT_EQ(messages.last().text, "Data file doesn't exist.\n" + path);
        EXPECT_EQ(messages.last().style, MB_OK);
        EXPECT_EQ(doc.count, 0);
        EXPECT_FALSE(doc.hasPredicted);
        EXPECT_FALSE(doc.IsModified());
    }
}

TEST_F(ObservationReader, HugeCountIsRefusedWithoutAllocating) {
    for (const char* countLine : {"2000000000\n", "99999999999999999999\n", "0x7fffffff\n"}) {
        messages.clear();
        EXPECT_FALSE(read(std::string(countLine) + "1 2 3\n1 2 3\n1 2 3\n"));
        ASSERT_EQ(messages.messages().size(), 1u) << countLine;
        EXPECT_EQ(messages.last().style, MB_ICONHAND);
        EXPECT_EQ(doc.count, 0);
        EXPECT_LE(doc.count, static_cast<int>(doc.x.size()));
    }
}

TEST_F(ObservationReader, VeryLongLineIsReadWhole) {
    std::string longLine = "1 2 3 4 5" + std::string(3'000'000, ' ') + "\n";
    ASSERT_TRUE(read("3\n" + longLine + "6 7 8\n9 10 11 12\n"));
    EXPECT_EQ(doc.error[0], 5);
    EXPECT_EQ(doc.x[1], 6) << "the rest of the long line is not taken for the next station";
}

TEST_F(ObservationReader, NumbersStayClassicUnderAnotherLocale) {
    const char* german = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const bool switched = german != nullptr;
    const bool ok = read("3\n1.5 2 3\n4 5 6\n7 8 9\n");
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_TRUE(ok);
    EXPECT_EQ(doc.x[0], 1.5) << (switched ? "under de_DE" : "no de_DE locale installed");
}

TEST(Extents, SkipNaNAndKeepSentinelsWhenEmpty) {
    CTESKAdatDoc doc;
    doc.recomputeExtents();
    EXPECT_EQ(doc.xMin, 1e30);
    EXPECT_EQ(doc.dataMax, -1e30);

    doc.count = 3;
    doc.x = {1, std::nan(""), 3};
    doc.y = {std::nan(""), 2, 0};
    doc.data = {5, 6, std::nan("")};
    doc.recomputeExtents();
    EXPECT_EQ(doc.xMin, 1);
    EXPECT_EQ(doc.xMax, 3);
    EXPECT_EQ(doc.yMin, 0);
    EXPECT_EQ(doc.yMax, 2);
    EXPECT_EQ(doc.dataMin, 5);
    EXPECT_EQ(doc.dataMax, 6);
}

} // namespace
