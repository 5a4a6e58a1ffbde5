#pragma once
// The picture of the whole canvas as a file. PNG holds exactly the pixels of
// Edit > Copy. SVG and PDF hold an image of the fills (cells, triangles,
// circles, colour-bar strips, station marks) at the picture's pixel size,
// placed where the PNG has them, with the text, axes, ticks, outlines and
// profile curves over it as vectors and real text; one pixel is one SVG user
// unit and one PDF point.

#include "platform/PictureFormat.h"
#include "platform/VectorLayer.h"

#include <QImage>
#include <string>
#include <vector>

class CTESKAdatView;
class QIODevice;

struct Picture {
    PictureFormat format = PictureFormat::Png;
    QImage pixels;       // the whole picture, or for SVG and PDF what lies under the vectors
    VectorLayer vectors; // empty for PNG
    QString title;       // the main plot's title, for the file's metadata
    QSize canvasSize;    // the size asked for, even when the pixels are null
    // Pixels per inch of the page; 0: one pixel per point (SVG user unit).
    // With a resolution, lines are drawn in points and the fills unrepeated.
    double dpi = 0;
};

// A picture sized for print: the whole canvas `widthInches` wide, its fills
// computed at `dpi`, its text `fontPoints` high (em size) on that page
// (0: the view's font height).
struct PrintSize {
    double widthInches = 0;
    double dpi = 300;
    double fontPoints = 0;
};

// Line widths on a printed page: axes, ticks, frames and outlines, and the
// profile curves.
constexpr double kThinLinePoints = 0.5, kCurvePoints = 1;

// Renders the whole canvas at `magnification` (pixels per plot unit) for the
// format; the view's own magnification and layout are left as they were.
// The pixels are null when the canvas would be too large.
Picture renderPicture(CTESKAdatView& view, PictureFormat format, double magnification);

// Renders the whole canvas for print at the magnification and font height
// that give the page size and text size asked for (the view's own are left
// as they were). A PNG holds the pixels at `dpi` and declares it.
Picture renderPrintPicture(CTESKAdatView& view, PictureFormat format, const PrintSize& size);

// The print size asked for by a width (inches), a resolution and a text
// size, each 0 when not given: without a width the page is the picture's
// `canvasPixels` at one pixel per point and a PNG keeps its pixels; with a
// width the resolution defaults to 300 and the text to 9 pt.
PrintSize printSizeFor(int canvasPixels, double widthInches, double dpi, double fontPoints,
                       PictureFormat format);

// The pictures side by side, their tops aligned, on white: one picture of
// the format and resolution of the first. Null pixels when one is null.
Picture composePictures(const std::vector<Picture>& panels);

// The page width of a picture in points.
double pageWidthPoints(const Picture& picture);

// Encodes the picture onto an open device; false when that fails.
bool encodePicture(const Picture& picture, QIODevice& device);

// Writes the picture to `path` through a temporary file that replaces the
// file only once it is complete. Returns an empty string when written, else
// the cause of the failure.
std::string writePictureFile(const Picture& picture, const std::string& path);
