#include "plot/ColourMap.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace {

struct Row {
    int index;
    Rgb colour;
};

std::vector<Rgb> colours(ColourMap map, bool reversed = false) {
    ColourTable table;
    rebuildColourTable(map, reversed, table);
    return {table.colours.begin(), table.colours.end()};
}

void expectRows(ColourMap map, const std::vector<Row>& rows) {
    const std::vector<Rgb> table = colours(map);
    for (const Row& row : rows) {
        const Rgb& c = table[static_cast<std::size_t>(row.index)];
        EXPECT_EQ(c, row.colour) << colourMapName(map) << " index " << row.index << ": " << int(c.r)
                                 << ' ' << int(c.g) << ' ' << int(c.b);
    }
}

TEST(ColourMaps, DefaultTableGeneratedRunByRun) {
    // Every entry of the generated table, index 0 first.
    const unsigned char expected[kColourCount][3] = {
        {0, 0, 139},    {0, 0, 154},    {0, 0, 167},    {0, 0, 180},    {0, 0, 191},
        {0, 0, 202},    {0, 0, 213},    {0, 0, 223},    {0, 0, 232},    {0, 0, 241},
        {0, 0, 255},    {0, 80, 255},   {0, 114, 255},  {0, 139, 255},  {0, 161, 255},
        {0, 180, 255},  {0, 197, 255},  {0, 213, 255},  {0, 228, 255},  {0, 241, 255},
        {0, 255, 255},  {0, 255, 241},  {0, 255, 228},  {0, 255, 213},  {0, 255, 197},
        {0, 255, 180},  {0, 255, 161},  {0, 255, 139},  {0, 255, 114},  {0, 255, 80},
        {0, 255, 0},    {80, 255, 0},   {114, 255, 0},  {139, 255, 0},  {161, 255, 0},
        {180, 255, 0},  {197, 255, 0},  {213, 255, 0},  {228, 255, 0},  {241, 255, 0},
        {255, 255, 0},  {255, 241, 0},  {255, 228, 0},  {255, 213, 0},  {255, 197, 0},
        {255, 180, 0},  {255, 161, 0},  {255, 139, 0},  {255, 114, 0},  {255, 80, 0},
        {255, 70, 0},   {255, 70, 47},  {255, 70, 67},  {255, 70, 82},  {255, 70, 94},
        {255, 70, 106}, {255, 70, 116}, {255, 70, 125}, {255, 70, 134}, {255, 70, 142},
        {255, 70, 150}};
    std::vector<Row> rows;
    for (int i = 0; i < kColourCount; ++i)
        rows.push_back({i, Rgb{expected[i][0], expected[i][1], expected[i][2]}});
    expectRows(ColourMap::Default, rows);
}

TEST(ColourMaps, TellingRowsOfEveryMap) {
    expectRows(ColourMap::Gray, {{0, {250, 250, 250}},
                                 {30, {176, 176, 176}},
                                 {45, {125, 125, 125}},
                                 {59, {32, 32, 32}},
                                 {60, {0, 0, 0}}});
    expectRows(ColourMap::Colour2, {{0, {12, 0, 0}}, {30, {255, 104, 0}}, {60, {255, 255, 255}}});
    expectRows(ColourMap::Colour3,
               {{0, {0, 255, 255}}, {30, {128, 128, 255}}, {60, {255, 0, 255}}});
    expectRows(ColourMap::Colour4,
               {{0, {255, 0, 0}}, {11, {234, 255, 0}}, {30, {0, 255, 242}}, {60, {255, 0, 25}}});
    expectRows(ColourMap::Colour5, {{0, {0, 0, 159}}, {30, {128, 255, 128}}, {60, {159, 0, 0}}});
    expectRows(ColourMap::Colour6, {{0, {0, 0, 0}}, {30, {159, 100, 63}}, {60, {255, 199, 127}}});
    expectRows(ColourMap::Topo1, {{0, {0, 0, 128}},
                                  {15, {0, 255, 255}},
                                  {32, {18, 161, 81}},
                                  {54, {101, 65, 48}},
                                  {60, {233, 228, 225}}});
    expectRows(
        ColourMap::Topo2,
        {{0, {0, 111, 55}}, {29, {188, 154, 51}}, {49, {101, 65, 48}}, {60, {242, 239, 238}}});
}

TEST(ColourMaps, FormulaMapsMoveSmoothlyAcrossAllEntries) {
    // No channel of maps 2 to 6 jumps by more than the steepest formula step
    // (a sixth of the hue circle per 61 / 6 entries in colour4).
    for (ColourMap map : {ColourMap::Colour2, ColourMap::Colour3, ColourMap::Colour4,
                          ColourMap::Colour5, ColourMap::Colour6}) {
        const std::vector<Rgb> table = colours(map);
        for (std::size_t i = 1; i < table.size(); ++i) {
            const int step = std::max({std::abs(table[i].r - table[i - 1].r),
                                       std::abs(table[i].g - table[i - 1].g),
                                       std::abs(table[i].b - table[i - 1].b)});
            EXPECT_LE(step, 26) << colourMapName(map) << " index " << i;
        }
    }
    const std::vector<Rgb> gray = colours(ColourMap::Gray);
    for (std::size_t i = 1; i < gray.size(); ++i)
        EXPECT_LT(gray[i].r, gray[i - 1].r) << i; // darker with every step
    for (const Rgb& c : colours(ColourMap::Colour3))
        EXPECT_NEAR(c.r + c.g, 255, 1);
}

TEST(ColourMaps, ReversalAndIndexOutOfRange) {
    const std::vector<Rgb> reversed = colours(ColourMap::Default, true);
    EXPECT_EQ(reversed[0], (Rgb{255, 70, 150}));
    EXPECT_EQ(reversed[60], (Rgb{0, 0, 139}));
    for (int m = 0; m < kAllColourMapCount; ++m) {
        const std::vector<Rgb> normal = colours(ColourMap(m));
        const std::vector<Rgb> turned = colours(ColourMap(m), true);
        for (int i = 0; i < kColourCount; ++i)
            EXPECT_EQ(turned[std::size_t(i)], normal[std::size_t(60 - i)]) << m << ' ' << i;
    }

    ColourTable table;
    ASSERT_TRUE(rebuildColourTable(7, false, table));
    const ColourTable before = table;
    EXPECT_FALSE(rebuildColourTable(11, false, table));
    EXPECT_FALSE(rebuildColourTable(-1, true, table));
    EXPECT_EQ(table.colours, before.colours);
    EXPECT_STREQ(colourMapName(ColourMap::Topo2), "topo2");
    EXPECT_EQ((Rgb{1, 2, 3}).colorRef(), 0x030201u);
    EXPECT_EQ((Rgb{1, 2, 3}).rgb(), 0x010203u);
}

TEST(ColourIndex, TruncatesAndClampsOverTheRange) {
    EXPECT_EQ(colourIndexFor(0, 0, 60), 0);
    EXPECT_EQ(colourIndexFor(0.999, 0, 60), 0);
    EXPECT_EQ(colourIndexFor(1, 0, 60), 1);
    EXPECT_EQ(colourIndexFor(59.999, 0, 60), 59);
    EXPECT_EQ(colourIndexFor(60, 0, 60), 60);
    EXPECT_EQ(colourIndexFor(1e300, 0, 60), 60);
    EXPECT_EQ(colourIndexFor(-5, 0, 60), 0);
    EXPECT_EQ(colourIndexFor(-0.5, 0, 60), 0);
    // A range of 30 values: two values per index.
    const ColourScale scale(-10, 20);
    EXPECT_EQ(scale.indexFor(-10), 0);
    EXPECT_EQ(scale.indexFor(5), 30);
    EXPECT_EQ(scale.indexFor(19.6), 59);
    EXPECT_EQ(scale.indexFor(20), 60);
}

TEST(ColourIndex, NonFiniteValuesAndDegenerateRanges) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(colourIndexFor(nan, 0, 60), 0);
    EXPECT_EQ(colourIndexFor(inf, 0, 60), 60);
    EXPECT_EQ(colourIndexFor(-inf, 0, 60), 0);
    // min == max: every value, also those above, takes index 0.
    for (double v : {5.0, 4.0, 6.0, inf, nan})
        EXPECT_EQ(colourIndexFor(v, 5, 5), 0) << v;
    EXPECT_EQ(colourIndexFor(1, 0, 1e-320), 0);             // scale overflows
    EXPECT_EQ(colourIndexFor(1e300, -1.7e308, 1.7e308), 0); // range overflows
    EXPECT_EQ(colourIndexFor(1, nan, 2), 0);
    EXPECT_EQ(colourIndexFor(1, 0, nan), 0);
    EXPECT_EQ(colourIndexFor(1, -inf, 2), 0);
}

} // namespace

TEST(ColourMaps, PerceptuallyUniformMapsGrowLighterAtEveryStep) {
    EXPECT_EQ(colours(ColourMap::Viridis)[0], (Rgb{68, 1, 84}));
    EXPECT_EQ(colours(ColourMap::Viridis)[60], (Rgb{253, 231, 37}));
    EXPECT_EQ(colours(ColourMap::Cividis)[0], (Rgb{0, 34, 78}));
    for (ColourMap map : {ColourMap::Viridis, ColourMap::Cividis}) {
        const std::vector<Rgb> table = colours(map);
        for (std::size_t i = 1; i < table.size(); ++i) {
            const auto luma = [](const Rgb& c) { return 0.299 * c.r + 0.587 * c.g + 0.114 * c.b; };
            EXPECT_GT(luma(table[i]), luma(table[i - 1])) << colourMapName(map) << ' ' << i;
        }
    }
    EXPECT_STREQ(colourMapName(ColourMap::Cividis), "cividis");
}
