#pragma once
// The colour maps of the plots: eleven tables of 61 colours, index 0 for the
// lowest values (bottom of the colour bar), 60 for the highest, optionally
// reversed, and the linear rule that maps a value onto a table index.

#include <array>
#include <cstdint>

// One colour with 8-bit channels.
struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;

    // The colour in the device context's layout 0x00BBGGRR (what RGB(r, g, b) gives).
    constexpr std::uint32_t colorRef() const {
        return std::uint32_t(r) | (std::uint32_t(g) << 8) | (std::uint32_t(b) << 16);
    }
    // The colour as 0x00RRGGBB (Qt's QRgb without alpha).
    constexpr std::uint32_t rgb() const {
        return (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
    }
    friend constexpr bool operator==(const Rgb& a, const Rgb& b) {
        return a.r == b.r && a.g == b.g && a.b == b.b;
    }
    friend constexpr bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }
};

// The maps in the order of the Colourmap dialog's radio buttons (colourMapIndex).
enum class ColourMap : int {
    Default = 0,  // dark blue, cyan, green, yellow, orange, pink
    Gray = 1,     // light gray to black
    Colour2 = 2,  // black, red, yellow, white
    Colour3 = 3,  // cyan to magenta
    Colour4 = 4,  // hue circle
    Colour5 = 5,  // dark blue, cyan, yellow, dark red
    Colour6 = 6,  // black to copper
    Topo1 = 7,    // deep blue, blue, cyan, greens, browns, near white
    Topo2 = 8,    // greens, browns, near white
    Viridis = 9,  // perceptually uniform: dark violet, blue, green, yellow
    Cividis = 10, // perceptually uniform, also for red-green colour blindness: dark blue to yellow
};

// The nine classic maps, and with the perceptually uniform ones after them.
constexpr int kColourMapCount = 9;
constexpr int kAllColourMapCount = 11;
constexpr int kColourCount = 61;
constexpr int kMaxColourIndex = kColourCount - 1;

// The 61 colours the plots are drawn with; the view owns one (its colourTable).
struct ColourTable {
    std::array<Rgb, kColourCount> colours{};

    // Entry `index`, which the caller keeps in 0..60 (colourIndexFor does).
    const Rgb& operator[](int index) const { return colours[static_cast<std::size_t>(index)]; }
};

// The dialog's name of a map: "default", "gray", "colour2" ... "topo2", "viridis", "cividis".
const char* colourMapName(ColourMap map);

// The map's table in its normal order (not reversed).
ColourTable normalColourTable(ColourMap map);

// Fills `table` with the map, turned upside down when `reversed` (entry i = normal entry 60 - i).
void rebuildColourTable(ColourMap map, bool reversed, ColourTable& table);

// The same for a dialog index; an index outside 0..10 leaves `table` unchanged and returns false.
bool rebuildColourTable(int colourMapIndex, bool reversed, ColourTable& table);

// Maps values of one plot onto table indices: the range min..max is cut into
// 60 equal steps for the indices 0 to 59; index 60 is reached at max and
// above, values below min take 0. The scale 60 / (max - min) is computed
// once, so a plot builds one ColourScale and asks it for every value.
class ColourScale {
public:
    ColourScale(double min, double max);

    // (v - min) * 60 / (max - min), truncated toward zero and held in 0..60.
    // A NaN value, and every value of a degenerate range (min == max, or a
    // range too small or too large for a finite non-zero scale), take 0.
    int indexFor(double v) const;

private:
    double m_min;
    double m_scale; // 0 marks a degenerate range
};

// ColourScale(min, max).indexFor(v), for single values.
int colourIndexFor(double v, double min, double max);

// The map of differences: blue for negative, white at index 30 (zero in a
// range symmetric about zero), red for positive; the blues and reds darken
// linearly through seven anchors, every tenth entry.
ColourTable divergingColourTable();
