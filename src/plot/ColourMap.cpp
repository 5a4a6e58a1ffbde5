#include "plot/ColourMap.h"

#include <algorithm>
#include <cmath>

namespace {

using Table = std::array<Rgb, kColourCount>;

// Stored tables: one row per index, red green blue, index 0 first.
using ByteRows = std::array<std::array<std::uint8_t, 3>, kColourCount>;

constexpr ByteRows kTopo1 = {{
    {0, 0, 128},     {8, 0, 160},     {12, 0, 176},    {16, 0, 191},    {20, 0, 207},
    {24, 0, 223},    {28, 0, 239},    {32, 0, 255},    {28, 32, 255},   {24, 64, 255},
    {20, 96, 255},   {16, 128, 255},  {12, 159, 255},  {8, 191, 255},   {4, 223, 255},
    {0, 255, 255},   {0, 238, 231},   {0, 221, 206},   {0, 205, 182},   {0, 188, 158},
    {0, 171, 134},   {0, 154, 110},   {0, 138, 85},    {0, 121, 61},    {0, 126, 64},
    {0, 132, 66},    {0, 137, 69},    {0, 142, 72},    {0, 148, 74},    {0, 153, 77},
    {0, 159, 79},    {0, 164, 82},    {18, 161, 81},   {55, 156, 79},   {73, 153, 79},
    {91, 150, 78},   {110, 147, 77},  {128, 145, 76},  {146, 142, 75},  {152, 141, 74},
    {157, 139, 72},  {163, 138, 71},  {169, 137, 69},  {175, 135, 68},  {181, 134, 66},
    {186, 132, 65},  {192, 131, 63},  {181, 123, 61},  {169, 115, 59},  {158, 106, 57},
    {146, 98, 56},   {135, 90, 54},   {124, 82, 52},   {112, 73, 50},   {101, 65, 48},
    {123, 92, 78},   {145, 119, 107}, {167, 146, 137}, {189, 174, 166}, {211, 201, 196},
    {233, 228, 225},
}};

constexpr ByteRows kTopo2 = {{
    {0, 111, 55},    {0, 124, 62},    {0, 130, 65},    {0, 136, 68},    {0, 143, 71},
    {0, 149, 75},    {0, 155, 78},    {0, 162, 81},    {0, 168, 84},    {0, 174, 88},
    {0, 181, 91},    {0, 187, 94},    {15, 187, 89},   {31, 186, 85},   {46, 185, 80},
    {61, 185, 75},   {77, 185, 70},   {92, 184, 66},   {107, 183, 61},  {123, 183, 56},
    {138, 183, 51},  {153, 182, 47},  {169, 181, 42},  {184, 181, 37},  {185, 177, 39},
    {185, 173, 41},  {186, 169, 43},  {186, 166, 45},  {187, 162, 47},  {188, 154, 51},
    {189, 150, 53},  {190, 146, 55},  {190, 143, 57},  {191, 139, 59},  {191, 135, 61},
    {192, 131, 63},  {185, 126, 62},  {179, 122, 61},  {172, 117, 60},  {166, 112, 59},
    {159, 107, 58},  {153, 103, 57},  {146, 98, 56},   {140, 93, 54},   {133, 89, 53},
    {127, 84, 52},   {121, 79, 51},   {114, 74, 50},   {108, 70, 49},   {101, 65, 48},
    {114, 81, 65},   {127, 97, 83},   {139, 113, 100}, {152, 128, 117}, {165, 144, 134},
    {178, 160, 151}, {191, 176, 169}, {204, 192, 186}, {216, 207, 203}, {229, 223, 220},
    {242, 239, 238},
}};

// The perceptually uniform maps, sampled at 61 evenly spaced points of their
// published 256-entry definitions (linear between neighbouring entries).
constexpr ByteRows kViridis = {
    {{68, 1, 84},    {70, 7, 90},    {71, 14, 97},   {72, 20, 102},  {72, 26, 108},  {72, 31, 113},
     {72, 37, 117},  {72, 42, 121},  {71, 47, 125},  {70, 52, 128},  {68, 58, 131},  {67, 63, 133},
     {65, 68, 135},  {63, 73, 137},  {61, 77, 138},  {59, 82, 139},  {57, 86, 140},  {55, 91, 141},
     {52, 95, 141},  {51, 100, 141}, {49, 104, 142}, {47, 108, 142}, {45, 112, 142}, {43, 116, 142},
     {42, 120, 142}, {40, 124, 142}, {39, 128, 142}, {37, 132, 142}, {35, 136, 142}, {34, 140, 141},
     {33, 144, 140}, {32, 148, 140}, {31, 152, 139}, {30, 156, 137}, {31, 160, 136}, {32, 164, 134},
     {34, 168, 132}, {38, 172, 130}, {42, 176, 127}, {47, 180, 124}, {53, 183, 121}, {60, 187, 117},
     {67, 191, 113}, {75, 194, 108}, {84, 197, 104}, {93, 201, 99},  {102, 204, 93}, {112, 207, 87},
     {122, 209, 81}, {132, 212, 75}, {143, 215, 68}, {154, 217, 61}, {165, 219, 54}, {176, 221, 46},
     {188, 223, 39}, {199, 224, 32}, {210, 226, 27}, {221, 227, 24}, {232, 228, 25}, {243, 230, 30},
     {253, 231, 37}}};
constexpr ByteRows kCividis = {
    {{0, 34, 78},     {0, 38, 85},     {0, 41, 92},     {0, 43, 100},    {0, 46, 108},
     {0, 49, 113},    {10, 52, 112},   {22, 55, 112},   {30, 58, 111},   {37, 61, 110},
     {43, 64, 109},   {48, 67, 109},   {53, 69, 108},   {58, 72, 108},   {63, 75, 108},
     {67, 78, 108},   {71, 81, 108},   {75, 84, 108},   {79, 87, 108},   {83, 90, 109},
     {87, 93, 109},   {91, 96, 110},   {95, 99, 111},   {99, 102, 111},  {102, 105, 112},
     {106, 108, 113}, {110, 111, 115}, {113, 114, 116}, {117, 117, 117}, {120, 120, 119},
     {124, 123, 120}, {128, 127, 120}, {132, 130, 121}, {136, 133, 120}, {140, 136, 120},
     {144, 139, 120}, {148, 142, 119}, {153, 146, 119}, {157, 149, 118}, {161, 152, 117},
     {165, 156, 116}, {170, 159, 115}, {174, 162, 113}, {178, 166, 112}, {183, 169, 110},
     {187, 173, 108}, {191, 176, 106}, {196, 180, 104}, {200, 184, 102}, {205, 187, 99},
     {210, 191, 96},  {214, 195, 93},  {219, 199, 90},  {223, 202, 86},  {228, 206, 82},
     {233, 210, 78},  {238, 214, 73},  {243, 218, 67},  {248, 222, 61},  {253, 226, 53},
     {254, 232, 56}}};

Table fromRows(const ByteRows& rows) {
    Table table;
    for (int i = 0; i < kColourCount; ++i) {
        const auto& row = rows[static_cast<std::size_t>(i)];
        table[static_cast<std::size_t>(i)] = Rgb{row[0], row[1], row[2]};
    }
    return table;
}

// A channel of the generated maps: the value cut toward zero (all values are 0..255).
std::uint8_t truncatedChannel(double value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0.0, 255.0));
}

// The "default" map, generated from index 60 downward in six runs that each
// change one channel; k counts the entries produced (1 to 61), entry k is
// index 61 - k, and the channels carry over from one entry to the next.
Table defaultTable() {
    Table table;
    double red = 255, green = 70, blue = 0;
    for (int k = 1; k <= kColourCount; ++k) {
        if (k <= 11)
            blue = std::sqrt((11 - k) * 0.1) * 150;
        else if (k <= 21)
            green = std::sqrt((k - 11) * 0.1) * 255;
        else if (k <= 31)
            red = std::sqrt((31 - k) * 0.1) * 255;
        else if (k <= 41)
            blue = std::sqrt((k - 31) * 0.1) * 255;
        else if (k <= 51)
            green = std::sqrt((51 - k) * 0.1) * 255;
        else
            blue = std::sqrt((61 - k) * 0.1 * 0.667 + 0.3) * 255;
        table[static_cast<std::size_t>(61 - k)] =
            Rgb{truncatedChannel(red), truncatedChannel(green), truncatedChannel(blue)};
    }
    return table;
}

// "gray": light (250) for the lowest values to black for the highest.
Table grayTable() {
    Table table;
    const double step = 1.0 / 60;
    for (int k = 1; k <= kColourCount; ++k) {
        const std::uint8_t level = truncatedChannel(std::sqrt((k - 1) * step) * 250);
        table[static_cast<std::size_t>(61 - k)] = Rgb{level, level, level};
    }
    return table;
}

// Maps 2 to 6 are tables of single-precision fractions, each the formula's
// value rounded to 4 decimals; a channel is the fraction times 255, rounded
// with halves away from zero.
struct Fractions {
    double red, green, blue;
};

float storedFraction(double value) {
    return static_cast<float>(std::round(value * 10000.0) / 10000.0);
}

std::uint8_t fractionChannel(double value) {
    const double fraction = storedFraction(std::clamp(value, 0.0, 1.0));
    return static_cast<std::uint8_t>(std::round(fraction * 255.0));
}

double held(double value) {
    return std::clamp(value, 0.0, 1.0);
}

Fractions colour2(int i) {
    return {std::min(1.0, (i + 1) / 22.0), held((i + 1 - 22) / 22.0), held((i + 1 - 44) / 17.0)};
}

Fractions colour3(int i) {
    return {i / 60.0, 1.0 - i / 60.0, 1.0};
}

// Hue h = i / 61 at full saturation and value.
Fractions colour4(int i) {
    const double t = 6.0 * (i / 61.0);
    const int sector = static_cast<int>(t); // t is in 0..6, so this cast is safe
    const double f = t - sector;
    switch (sector) {
    case 0:
        return {1, f, 0};
    case 1:
        return {1 - f, 1, 0};
    case 2:
        return {0, 1, f};
    case 3:
        return {0, 1 - f, 1};
    case 4:
        return {f, 0, 1};
    default:
        return {1, 0, 1 - f};
    }
}

// Steps of 1/16: blue rises from 10/16, then green, then red, each falling 16 steps later.
Fractions colour5(int i) {
    const auto ramp = [i](int up, int down) {
        // 0 before `up` - 16, rising to 1 at `up`, 1 until `down`, falling to 0 at `down` + 16.
        if (i <= up)
            return held((i - (up - 16)) / 16.0);
        return held(((down + 16) - i) / 16.0);
    };
    return {ramp(38, 54), ramp(22, 38), ramp(6, 22)};
}

Fractions colour6(int i) {
    return {std::min(1.0, 1.25 * i / 60.0), 0.7812 * i / 60.0, 0.4975 * i / 60.0};
}

Table fractionTable(Fractions (*formula)(int)) {
    Table table;
    for (int i = 0; i < kColourCount; ++i) {
        const Fractions f = formula(i);
        table[static_cast<std::size_t>(i)] =
            Rgb{fractionChannel(f.red), fractionChannel(f.green), fractionChannel(f.blue)};
    }
    return table;
}

} // namespace

const char* colourMapName(ColourMap map) {
    static const char* const names[kAllColourMapCount] = {
        "default", "gray",  "colour2", "colour3", "colour4", "colour5",
        "colour6", "topo1", "topo2",   "viridis", "cividis"};
    const int index = static_cast<int>(map);
    return index >= 0 && index < kAllColourMapCount ? names[index] : "";
}

ColourTable normalColourTable(ColourMap map) {
    ColourTable table;
    switch (map) {
    case ColourMap::Default:
        table.colours = defaultTable();
        break;
    case ColourMap::Gray:
        table.colours = grayTable();
        break;
    case ColourMap::Colour2:
        table.colours = fractionTable(colour2);
        break;
    case ColourMap::Colour3:
        table.colours = fractionTable(colour3);
        break;
    case ColourMap::Colour4:
        table.colours = fractionTable(colour4);
        break;
    case ColourMap::Colour5:
        table.colours = fractionTable(colour5);
        break;
    case ColourMap::Colour6:
        table.colours = fractionTable(colour6);
        break;
    case ColourMap::Topo1:
        table.colours = fromRows(kTopo1);
        break;
    case ColourMap::Topo2:
        table.colours = fromRows(kTopo2);
        break;
    case ColourMap::Viridis:
        table.colours = fromRows(kViridis);
        break;
    case ColourMap::Cividis:
        table.colours = fromRows(kCividis);
        break;
    }
    return table;
}

void rebuildColourTable(ColourMap map, bool reversed, ColourTable& table) {
    table = normalColourTable(map);
    if (reversed)
        std::reverse(table.colours.begin(), table.colours.end());
}

bool rebuildColourTable(int colourMapIndex, bool reversed, ColourTable& table) {
    if (colourMapIndex < 0 || colourMapIndex >= kAllColourMapCount)
        return false;
    rebuildColourTable(static_cast<ColourMap>(colourMapIndex), reversed, table);
    return true;
}

ColourScale::ColourScale(double min, double max) : m_min(min), m_scale(60.0 / (max - min)) {
    if (!std::isfinite(m_scale) || !std::isfinite(min))
        m_scale = 0;
}

int ColourScale::indexFor(double v) const {
    if (m_scale == 0)
        return 0;
    const double position = (v - m_min) * m_scale;
    // Compared before any conversion: NaN fails both tests and lands on 0.
    if (!(position >= 1.0))
        return 0;
    if (position >= kMaxColourIndex)
        return kMaxColourIndex;
    return static_cast<int>(position);
}

int colourIndexFor(double v, double min, double max) {
    return ColourScale(min, max).indexFor(v);
}

ColourTable divergingColourTable() {
    static constexpr Rgb kAnchors[] = {
        {33, 102, 172},  {103, 169, 207}, {209, 229, 240}, {255, 255, 255},
        {253, 219, 199}, {239, 138, 98},  {178, 24, 43},
    };
    const auto blend = [](std::uint8_t from, std::uint8_t to, int step) {
        return static_cast<std::uint8_t>((from * (10 - step) + to * step + 5) / 10);
    };
    ColourTable table;
    for (int i = 0; i < kColourCount; ++i) {
        const int anchor = std::min(i / 10, 5), step = i - 10 * anchor;
        const Rgb& a = kAnchors[anchor];
        const Rgb& b = kAnchors[anchor + 1];
        table.colours[static_cast<std::size_t>(i)] = {blend(a.r, b.r, step), blend(a.g, b.g, step),
                                                      blend(a.b, b.b, step)};
    }
    return table;
}
