#include "app/BatchEdit.h"
#include "MessageCapture.h"
#include "TempFiles.h"
#include "app/CommandLine.h"
#include "data/CTESKAdatDoc.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

CommandLine parse(std::vector<std::string> arguments) {
    return parseCommandLine(arguments);
}

TEST(BatchEditOptions, EditsKeepTheirOrderAndValues) {
    const CommandLine line =
        parse({"a.obs", "--crop", "-10,10.5,-5,5", "--add-constant", "-2.5", "--log-scale",
               "--downsample", "3", "--seed", "4294967295", "--delete-station", "7",
               "--assign-errors", "5,0.1", "--save", "out.obs"});
    ASSERT_TRUE(line.error.empty()) << line.error;
    EXPECT_EQ(line.mode, CommandLine::Mode::Window) << "the batch run is chosen by isBatchEdit";
    EXPECT_TRUE(line.isBatchEdit());
    ASSERT_EQ(line.edits.size(), 6u);
    using Kind = EditOption::Kind;
    EXPECT_EQ(line.edits[0].kind, Kind::Crop);
    EXPECT_EQ(line.edits[0].values[1], 10.5);
    EXPECT_EQ(line.edits[0].values[2], -5);
    EXPECT_EQ(line.edits[1].values[0], -2.5);
    EXPECT_EQ(line.edits[2].kind, Kind::LogScale);
    EXPECT_EQ(line.edits[3].number, 3);
    EXPECT_EQ(line.edits[4].kind, Kind::Delete);
    EXPECT_EQ(line.edits[5].text, "--assign-errors 5,0.1");
    EXPECT_TRUE(line.hasSeed);
    EXPECT_EQ(line.seed, 4294967295u);
    EXPECT_EQ(line.savePath, "out.obs");
    EXPECT_EQ(line.observationPath, "a.obs");
}

TEST(BatchEditOptions, MalformedValuesAreRefused) {
    const std::vector<std::vector<std::string>> refused = {
        {"a.obs", "--assign-errors", "5"},
        {"a.obs", "--add-noise", "5,1,2"},
        {"a.obs", "--crop", "1,2,3"},
        {"a.obs", "--add-constant", "x"},
        {"a.obs", "--downsample", "2.5"},
        {"a.obs", "--seed", "-1"},
        {"a.obs", "--seed", "4294967296"},
        {"a.obs", "--save"},
        {"a.obs", "--save", "x", "--save", "y"},
        {"--save", "out.obs"},
        {"a.obs", "--assign-errors", "nan,1"},
    };
    for (const auto& arguments : refused)
        EXPECT_FALSE(parse(arguments).error.empty()) << arguments[1];
    EXPECT_EQ(parse({"a.obs", "--crop", "1,2"}).error, "--crop needs X1,X2,Y1,Y2, not \"1,2\".");
}

// An empty value is a missing one: without it --save '' or --render '' alone
// would open the window instead of running in batch.
TEST(BatchEditOptions, EmptyValuesAndALoneSeedAreRefused) {
    for (const char* option :
         {"--save", "--render", "--add-constant", "--assign-errors", "--downsample", "--seed",
          "--second", "--method", "--colourmap", "--magnification", "--region", "--profile"}) {
        const CommandLine line = parse({"a.obs", option, ""});
        EXPECT_FALSE(line.error.empty()) << option;
        EXPECT_EQ(line.observationPath, "a.obs") << option;
    }
    EXPECT_EQ(parse({"a.obs", "--save", ""}).error, "--save needs a file name.");
    EXPECT_FALSE(parse({"a.obs", "--seed", "5"}).error.empty()) << "would open the window";
    EXPECT_TRUE(parse({"a.obs", "--seed", "5", "--add-noise", "1,1"}).error.empty());
}

// A batch run on a small gravity file in a temporary folder.
class BatchRun : public testing::Test {
protected:
    int run(std::vector<std::string> options) {
        std::vector<std::string> arguments = {input};
        arguments.insert(arguments.end(), options.begin(), options.end());
        line = parseCommandLine(arguments);
        EXPECT_TRUE(line.error.empty()) << line.error;
        return runBatchEdit(line);
    }

    TempDir dir;
    MessageCapture messages;
    std::string input = dir.write("in.obs", "! c\n5\n0 0 1 10 1\n10 0 2 -20 1\n0 10 3 30 1\n"
                                            "10 10 4 40 1\n5 5 5 50 1\n");
    std::string output = dir.file("out.obs");
    CommandLine line;
};

// The recurrence and the polar method written out for the expected values.
std::vector<double> referenceDeviates(unsigned long long state, int count) {
    auto next = [&state] {
        state = (state * 214013 + 2531011) % 4294967296ULL;
        return static_cast<double>((state >> 16) & 0x7FFF);
    };
    std::vector<double> deviates;
    while (static_cast<int>(deviates.size()) < count) {
        const double u1 = next() / 32767 * 2 - 1, u2 = next() / 32767 * 2 - 1;
        const double s = u1 * u1 + u2 * u2;
        if (s >= 1)
            continue;
        const double m = std::sqrt(-2 * std::log(s) / s);
        deviates.push_back(u2 * m);
        deviates.push_back(u1 * m);
    }
    return deviates;
}

TEST_F(BatchRun, AppliesTheEditsInOrderAndSaves) {
    ASSERT_EQ(run({"--assign-errors", "5,0.1", "--add-noise", "0,1", "--seed", "42", "--downsample",
                   "2", "--save", output}),
              kBatchOk);
    const std::vector<double> deviates = referenceDeviates(42, 5);
    const double x[] = {0, 0, 5}, y[] = {0, 10, 5}, z[] = {1, 3, 5}, value[] = {10, 30, 50};
    const int kept[] = {0, 2, 4};
    std::string expected = "3\n";
    for (int i = 0; i < 3; ++i) {
        char text[128];
        std::snprintf(text, sizeof text, "%14.10g %14.10g %14.10g  %12.8g %12.8g\n", x[i], y[i],
                      z[i], value[i] + deviates[kept[i]], 1.0);
        expected += text;
    }
    EXPECT_EQ(readWholeFile(output), expected);
    ASSERT_EQ(messages.messages().size(), 1u);
    EXPECT_EQ(messages.last().text.substr(0, 30), "The data filename has changed.");
}

TEST_F(BatchRun, RefusedValuesWriteNothing) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"--assign-errors", "5,0"}, "--assign-errors 5,0: Minimum must be greater than 0."},
        {{"--add-noise", "-1,1"}, "--add-noise -1,1: Percent cannot be negative."},
        {{"--downsample", "3"}, "--downsample 3: Downsample value too large."},
        {{"--downsample", "1"}, "--downsample 1: Downsample value must be greater than 1."},
        {{"--log-scale"}, "--log-scale: The log scale needs data greater than 0."},
        {{"--delete-station", "6"}, "--delete-station 6: Station number must be between 1 and 5."},
        {{"--crop", "5,0,0,5"}, "--crop 5,0,0,5: The region needs X1 <= X2 and Y1 <= Y2."},
        {{"--crop", "100,200,0,1", "--add-constant", "1"},
         "--add-constant 1: No data left to edit."},
        {{"--crop", "100,200,0,1"}, "--save " + output + ": No data left to save."},
    };
    for (const auto& [options, message] : cases) {
        std::vector<std::string> withSave = {"--add-constant", "1"};
        withSave.insert(withSave.end(), options.begin(), options.end());
        withSave.insert(withSave.end(), {"--save", output});
        messages.clear();
        EXPECT_EQ(run(withSave), kBatchRefused) << message;
        EXPECT_FALSE(std::filesystem::exists(output)) << message;
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.last().text, message);
    }
}

TEST_F(BatchRun, LogScaleDeleteAndInfo) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(run({"--delete-station", "2", "--log-scale", "--info", "--save", output}), kBatchOk);
    const std::string summary = testing::internal::GetCapturedStdout();
    EXPECT_NE(summary.find("stations:  4"), std::string::npos) << summary;

    CTESKAdatDoc reread;
    reread.dataPath = output;
    ASSERT_TRUE(reread.readObservationFile(output));
    ASSERT_EQ(reread.count, 4);
    EXPECT_EQ(reread.x[1], 0);
    EXPECT_NEAR(reread.data[1], std::log10(30.0), 1e-7) << "logarithms, eight digits";
}

TEST_F(BatchRun, SavingOverTheFileReadIsNoChangeOfName) {
    input = dir.path() + "/./in.obs";
    EXPECT_EQ(run({"--add-constant", "1", "--save", dir.path() + "//in.obs"}), kBatchOk);
    EXPECT_TRUE(messages.empty()) << messages.last().text;
}

TEST_F(BatchRun, ReadAndWriteFailures) {
    input = dir.file("missing.obs");
    EXPECT_EQ(run({"--save", output}), kBatchFailed);
    input = dir.write("in.obs", "3\n1 2 3\n4 5 6\n7 8 9\n");
    EXPECT_EQ(run({"--save", dir.file("no/such/folder/out.obs")}), kBatchFailed);
    EXPECT_EQ(messages.last().style, MB_ICONHAND);
}

} // namespace

namespace {

TEST(TableOptions, ValuesAreParsedOrRefused) {
    const CommandLine line =
        parse({"t.csv", "--columns", "data=Bouguer (mGal),easting=3", "--type", "magnetic",
               "--field", "60,-5,50000", "--nodata", "-9999,1e30"});
    ASSERT_TRUE(line.error.empty()) << line.error;
    ASSERT_EQ(line.table.columns.size(), 2u);
    EXPECT_EQ(line.table.columns[0].second, "Bouguer (mGal)");
    EXPECT_EQ(line.table.type, data::TableRequest::Type::Magnetic);
    EXPECT_EQ(line.table.field[1], -5);
    EXPECT_EQ(line.table.noData, (std::vector<double>{-9999, 1e30}));
    EXPECT_FALSE(line.isBatchEdit()) << "a table option alone opens the window";
    for (const std::vector<std::string>& refused :
         {std::vector<std::string>{"t.csv", "--columns", "data"},
          {"t.csv", "--type", "grav"},
          {"t.csv", "--field", "60,5"},
          {"t.csv", "--nodata", "x"},
          {"t.csv", "--nodata"}})
        EXPECT_FALSE(parse(refused).error.empty()) << refused[1];
}

TEST_F(BatchRun, TablesSayWhatWasChosenAndNeedTheirField) {
    input = dir.write("t.csv", "x,y,tmi\n0,0,5\n1,0,NA\n1,1,6\n0,1,7\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(run({"--info", "--export-csv", dir.file("t2.csv"), "--save", output}), kBatchRefused);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(messages.last().text, "a magnetic table needs --field I,D,F before it can be saved");
    EXPECT_FALSE(std::filesystem::exists(output));
    EXPECT_FALSE(std::filesystem::exists(dir.file("t2.csv")));

    testing::internal::CaptureStdout();
    EXPECT_EQ(run({"--info", "--field", "60,10,50000", "--save", output}), kBatchOk);
    const std::string summary = testing::internal::GetCapturedStdout();
    EXPECT_NE(summary.find("\ncolumns: easting=x, northing=y, elevation=none (0), data=tmi, "
                           "error=none (0)\nskipped: 1 rows with missing values (first at line "
                           "3)\nstations:  3\n"),
              std::string::npos)
        << summary;
    EXPECT_EQ(readWholeFile(output).substr(0, 24), "60 10  50000\n60 10  1\n3\n");
}

} // namespace
