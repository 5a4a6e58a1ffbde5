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

class CTESKAdatView;
class QIODevice;

struct Picture {
    PictureFormat format = PictureFormat::Png;
    QImage pixels;       // the whole picture, or for SVG and PDF what lies under the vectors
    VectorLayer vectors; // empty for PNG
    QString title;       // the main plot's title, for the file's metadata
    QSize canvasSize;    // the size asked for, even when the pixels are null
};

// Renders the whole canvas at `magnification` (pixels per plot unit) for the
// format; the view's own magnification and layout are left as they were.
// The pixels are null when the canvas would be too large.
Picture renderPicture(CTESKAdatView& view, PictureFormat format, double magnification);

// Encodes the picture onto an open device; false when that fails.
bool encodePicture(const Picture& picture, QIODevice& device);

// Writes the picture to `path` through a temporary file that replaces the
// file only once it is complete. Returns an empty string when written, else
// the cause of the failure.
std::string writePictureFile(const Picture& picture, const std::string& path);
