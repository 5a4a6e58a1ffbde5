// scanReals must accept, reject and convert exactly as sscanf with "%lf %lf
// ..." does: the same count and bit-for-bit the same stored values, with the
// targets it does not convert left alone. Checked over a large generated
// corpus of plain numbers, near-misses and text that only sscanf takes.

#include "data/NumberScan.h"
#include "data/TextFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace {

// The value that no conversion produces, to see which targets were written.
const std::uint64_t kUntouched = 0x7ff4dead0000beefULL;

int scanWithLibrary(const char* text, double* t, int count) {
    switch (count) {
    case 1:
        return std::sscanf(text, "%lf", &t[0]);
    case 3:
        return std::sscanf(text, "%lf %lf %lf", &t[0], &t[1], &t[2]);
    case 4:
        return std::sscanf(text, "%lf %lf %lf %lf", &t[0], &t[1], &t[2], &t[3]);
    default:
        return std::sscanf(text, "%lf %lf %lf %lf %lf", &t[0], &t[1], &t[2], &t[3], &t[4]);
    }
}

// Compares scanReals with sscanf on one line for the counts the readers use.
testing::AssertionResult scansAlike(const std::string& line) {
    for (int count : {1, 3, 4, 5}) {
        double expected[5], actual[5];
        for (int i = 0; i < 5; ++i) {
            std::memcpy(&expected[i], &kUntouched, sizeof(double));
            std::memcpy(&actual[i], &kUntouched, sizeof(double));
        }
        const int expectedCount = scanWithLibrary(line.c_str(), expected, count);
        double* targets[5] = {&actual[0], &actual[1], &actual[2], &actual[3], &actual[4]};
        const int actualCount = data::scanReals(line.c_str(), targets, count);
        if (actualCount != expectedCount)
            return testing::AssertionFailure() << "\"" << line << "\" with " << count << ": "
                                               << actualCount << " instead of " << expectedCount;
        if (std::memcmp(expected, actual, sizeof expected) != 0)
            return testing::AssertionFailure()
                   << "\"" << line << "\" with " << count << ": values differ";
    }
    return testing::AssertionSuccess();
}

std::string digits(std::mt19937_64& rng, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += static_cast<char>('0' + rng() % 10);
    return text;
}

// A plain number: sign, integer and fraction digits (either may be empty),
// and an exponent; lengths around the 15 digits and powers up to 22 that
// the exact conversion handles itself, and far beyond.
std::string plainNumber(std::mt19937_64& rng) {
    std::string text;
    const int sign = static_cast<int>(rng() % 4);
    if (sign == 1)
        text += '-';
    else if (sign == 2)
        text += '+';
    const int lengths[] = {0, 1, 2, 3, 6, 14, 15, 16, 17, 25};
    text += digits(rng, lengths[rng() % 10]);
    if (rng() % 3 != 0)
        text += '.' + digits(rng, lengths[rng() % 10]);
    if (rng() % 3 == 0) {
        text += rng() % 2 ? 'e' : 'E';
        const int exponentSign = static_cast<int>(rng() % 3);
        if (exponentSign == 1)
            text += '-';
        else if (exponentSign == 2)
            text += '+';
        const int exponentLengths[] = {0, 1, 1, 2, 2, 3, 7};
        text += digits(rng, exponentLengths[rng() % 7]);
    }
    return text;
}

std::string specialToken(std::mt19937_64& rng) {
    static const std::vector<std::string> tokens = {
        "",
        "+",
        "-",
        ".",
        "e5",
        "1e",
        "1e+",
        "1.e5",
        ".5",
        "5.",
        "-0",
        "+0.0e-0",
        "inf",
        "-Infinity",
        "nan",
        "NAN(123)",
        "0x1p3",
        "0X1.8P+1",
        "0x",
        "1,5",
        "1.5.3",
        "1-2",
        "1+2",
        "\xd9\xa1",
        "\xff",
        "4.9e-324",
        "2.4703282292062327e-324",
        "1e-400",
        "1.7976931348623157e308",
        "1.8e308",
        "9007199254740993",
        "123456789012345e22",
        "123456789012345e23",
        "1234567890123456e-22",
        "0.000000000000000000000000001",
        "00000000000000000000000000000000012.5",
        "1e0000000000000000000000000000000000000005",
        "7e-22",
        "7e-23",
        "abc",
        "!",
    };
    return tokens[rng() % tokens.size()];
}

std::string separator(std::mt19937_64& rng) {
    static const char* const separators[] = {" ", " ", " ", "  ", "\t", "\r", "\v", "\f", "", ","};
    return separators[rng() % 10];
}

std::string generatedLine(std::mt19937_64& rng) {
    std::string line = rng() % 5 == 0 ? separator(rng) : "";
    const int tokens = static_cast<int>(rng() % 8);
    for (int i = 0; i < tokens; ++i) {
        if (i > 0)
            line += separator(rng);
        line += rng() % 6 == 0 ? specialToken(rng) : plainNumber(rng);
    }
    if (rng() % 5 == 0)
        line += separator(rng);
    return line;
}

TEST(NumberScan, SameAsTheLibraryOverAGeneratedCorpus) {
    data::ClassicNumericLocale classic;
    std::mt19937_64 rng(20081808);
    for (int i = 0; i < 60000; ++i) {
        const std::string line = generatedLine(rng);
        ASSERT_TRUE(scansAlike(line)) << "line " << i;
    }
}

TEST(NumberScan, SameAsTheLibraryOnSurveyLinesAndEdgeCases) {
    data::ClassicNumericLocale classic;
    for (const char* line :
         {"",
          " ",
          "\t\r",
          "615",
          "65 25  50000",
          "-1.15 -0.59 2.98  -1.386 1.001",
          "234.77 1126.55 122.91  0.00891 0.010",
          "1 2 3",
          "1 2 3 4 5 6 7",
          "1 2",
          "1 2 x",
          "  12.5\t-3e2\r",
          "1 2 3 4 5,",
          "1 2 3 4 5abc",
          "1 2 3 4x 5",
          "1 2 3 nan 5",
          "1 2 3 -inf 5",
          "1\v2\f3",
          "0 -0 +0 0.0 -0.0",
          "1e22 1e23 -1e-22 1e-23 5e-324",
          "999999999999999 9999999999999999 0.999999999999999 99999999999999.9 1e308"}) {
        EXPECT_TRUE(scansAlike(line));
    }
    // Random survey lines as the generators write them.
    std::mt19937_64 rng(7);
    for (int i = 0; i < 20000; ++i) {
        char line[160];
        std::snprintf(line, sizeof line, "%.3f %.3f %.2f %.5f %.3f",
                      std::uniform_real_distribution<double>(-1e6, 1e7)(rng),
                      std::uniform_real_distribution<double>(-1e6, 1e7)(rng),
                      std::uniform_real_distribution<double>(-100, 5000)(rng),
                      std::normal_distribution<double>(0, 300)(rng),
                      std::uniform_real_distribution<double>(0, 10)(rng));
        ASSERT_TRUE(scansAlike(line));
    }
}

TEST(NumberScan, LeavesTheTargetsAfterTheLastConversion) {
    double a = 7, b = 7, c = 7;
    double* targets[3] = {&a, &b, &c};
    EXPECT_EQ(data::scanReals("1.5 x 3", targets, 3), 1);
    EXPECT_EQ(a, 1.5);
    EXPECT_EQ(b, 7);
    EXPECT_EQ(c, 7);
    EXPECT_EQ(data::scanReals("  ", targets, 3), EOF);
    EXPECT_EQ(data::scanReals("1 2 3", targets, 0), 0);
}

} // namespace
