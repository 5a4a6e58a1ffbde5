#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

CommandLine parse(std::vector<std::string> arguments) {
    return parseCommandLine(arguments);
}

TEST(CommandLine, FilesAndTheFixedPredictedOption) {
    CommandLine none = parse({});
    EXPECT_EQ(none.mode, CommandLine::Mode::Window);
    EXPECT_TRUE(none.observationPath.empty());

    CommandLine two = parse({"a.obs", "b.pre"});
    EXPECT_EQ(two.observationPath, "a.obs");
    EXPECT_EQ(two.predictedPath, "b.pre");
    EXPECT_FALSE(two.fixedPredictedName);

    for (auto arguments : {std::vector<std::string>{"/pre", "a.obs"}, {"a.obs", "/pre"}}) {
        CommandLine fixed = parse(arguments);
        EXPECT_EQ(fixed.observationPath, "a.obs");
        EXPECT_TRUE(fixed.fixedPredictedName);
        EXPECT_TRUE(fixed.predictedPath.empty());
    }
}

TEST(CommandLine, PathsContainingPreAreStillPaths) {
    CommandLine line = parse({"/data/predictions/a.obs", "/pre/b.pre"});
    EXPECT_FALSE(line.fixedPredictedName);
    EXPECT_EQ(line.observationPath, "/data/predictions/a.obs");
    EXPECT_EQ(line.predictedPath, "/pre/b.pre");
}

TEST(CommandLine, InfoModeAndErrors) {
    CommandLine info = parse({"--info", "a.obs", "b.pre"});
    EXPECT_EQ(info.mode, CommandLine::Mode::Info);
    EXPECT_TRUE(info.error.empty());
    EXPECT_EQ(info.predictedPath, "b.pre");

    EXPECT_FALSE(parse({"--info"}).error.empty());
    EXPECT_FALSE(parse({"--bogus", "a.obs"}).error.empty());
    EXPECT_FALSE(parse({"a", "b", "c"}).error.empty());
    EXPECT_EQ(parse({"--help", "--info"}).mode, CommandLine::Mode::Help);
    EXPECT_EQ(parse({"--version"}).mode, CommandLine::Mode::Version);

    CommandLine dashed = parse({"--", "-odd-name.obs"});
    EXPECT_TRUE(dashed.error.empty());
    EXPECT_EQ(dashed.observationPath, "-odd-name.obs");
}

} // namespace
