#include "plot/PictureExport.h"

#include "data/SafeFileWriter.h"
#include "plot/CTESKAdatView.h"
#include "plot/PngFile.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

constexpr const char* kCreator = "TESKA/PORLIN data viewer";

// Sets the view to a magnification (and font height) for one rendering and
// back afterwards.
class MagnificationScope {
public:
    MagnificationScope(CTESKAdatView& view, double magnification, int fontHeight = 0)
        : m_view(view), m_previous(view.magnification), m_previousFont(view.fontHeight) {
        m_view.magnification = magnification;
        if (fontHeight > 0)
            m_view.fontHeight = fontHeight;
        m_view.computeLayout();
    }
    ~MagnificationScope() {
        m_view.magnification = m_previous;
        m_view.fontHeight = m_previousFont;
        m_view.computeLayout();
    }
    MagnificationScope(const MagnificationScope&) = delete;
    MagnificationScope& operator=(const MagnificationScope&) = delete;

private:
    CTESKAdatView& m_view;
    double m_previous;
    int m_previousFont;
};

// Viewers smooth an embedded image when they zoom, which blurs the edges of
// the cells; the fills are embedded with each pixel repeated a few times
// (up to about 16 million pixels), so the edges stay sharp at ordinary zooms.
int embeddingFactor(QSize size) {
    const double pixels = double(size.width()) * size.height();
    const double factor = std::floor(std::sqrt(16e6 / std::max(pixels, 1.0)));
    return static_cast<int>(std::clamp(factor, 1.0, 4.0));
}

void paintLayers(QPainter& painter, const Picture& picture) {
    const QSize size = picture.pixels.size();
    const int factor = picture.dpi > 0 ? 1 : embeddingFactor(size);
    const QImage fills = factor == 1 ? picture.pixels
                                     : picture.pixels.scaled(size * factor, Qt::IgnoreAspectRatio,
                                                             Qt::FastTransformation);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), fills);
    if (picture.dpi > 0)
        picture.vectors.replay(painter, kThinLinePoints * picture.dpi / 72,
                               kCurvePoints * picture.dpi / 72);
    else
        picture.vectors.replay(painter);
}

bool encodeSvg(const Picture& picture, QIODevice& device) {
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setSize(picture.pixels.size());
    if (picture.dpi > 0) // the page in millimetres
        svg.setResolution(std::max(1, static_cast<int>(std::lround(picture.dpi))));
    svg.setViewBox(QRect(QPoint(0, 0), picture.pixels.size()));
    // Qt writes the title into the file as it is, so markup characters of a
    // user's label would break the XML.
    svg.setTitle(picture.title.toHtmlEscaped());
    svg.setDescription(QString::fromLatin1(kCreator));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    paintLayers(painter, picture);
    return painter.end();
}

bool encodePdf(const Picture& picture, QIODevice& device) {
    QPdfWriter pdf(&device);
    pdf.setCreator(QString::fromLatin1(kCreator));
    pdf.setTitle(picture.title);
    // One pixel of the picture is one point, or a pixel at the picture's resolution.
    const double dpi = picture.dpi > 0 ? picture.dpi : 72;
    pdf.setResolution(static_cast<int>(std::lround(dpi)));
    const QPageSize page(QSizeF(picture.pixels.size()) * (72 / dpi), QPageSize::Point, QString(),
                         QPageSize::ExactMatch);
    pdf.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&pdf))
        return false;
    // Qt would otherwise store the image as JPEG, blurring the cell edges.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    paintLayers(painter, picture);
    return painter.end();
}

} // namespace

Picture renderPicture(CTESKAdatView& view, PictureFormat format, double magnification) {
    Picture picture;
    picture.format = format;
    picture.title = QString::fromStdString(view.mainLabel);
    const MagnificationScope scope(view, magnification);
    picture.canvasSize = QSize(view.canvasWidth, view.canvasHeight);
    picture.pixels = view.renderCanvas(format == PictureFormat::Png ? nullptr : &picture.vectors);
    return picture;
}

namespace {

// The cell height (plot units) of text `points` high on a page where one
// point is `unitsPerPoint` plot units, in the face the plots use.
int fontHeightFor(double points, double unitsPerPoint) {
    QFont reference;
    reference.setStyleHint(QFont::SansSerif);
    reference.setPixelSize(1000);
    const double cellPerEm = QFontMetricsF(reference).height() / 1000.0;
    const double height = points * unitsPerPoint * cellPerEm;
    return static_cast<int>(std::clamp(std::round(height), 1.0, 1e6));
}

} // namespace

Picture renderPrintPicture(CTESKAdatView& view, PictureFormat format, const PrintSize& size) {
    // The canvas's width in plot units: its pixels at one pixel per unit.
    double units = 0;
    {
        const MagnificationScope probe(view, 1);
        units = view.canvasWidth;
    }
    const double pixels = size.widthInches * size.dpi;
    const double magnification = pixels / std::max(units, 1.0);
    const int fontHeight = size.fontPoints > 0
                               ? fontHeightFor(size.fontPoints, units / (size.widthInches * 72))
                               : view.fontHeight;
    Picture picture;
    picture.format = format;
    picture.title = QString::fromStdString(view.mainLabel);
    picture.dpi = size.dpi;
    const MagnificationScope scope(view, magnification, fontHeight);
    picture.canvasSize = QSize(view.canvasWidth, view.canvasHeight);
    picture.pixels = view.renderCanvas(format == PictureFormat::Png ? nullptr : &picture.vectors);
    if (!picture.pixels.isNull()) {
        const int dotsPerMetre = static_cast<int>(std::lround(size.dpi / 0.0254));
        picture.pixels.setDotsPerMeterX(dotsPerMetre);
        picture.pixels.setDotsPerMeterY(dotsPerMetre);
    }
    return picture;
}

PrintSize printSizeFor(int canvasPixels, double widthInches, double dpi, double fontPoints,
                       PictureFormat format) {
    PrintSize size;
    const bool hasWidth = widthInches > 0;
    size.widthInches = hasWidth ? widthInches : canvasPixels / 72.0;
    size.dpi = dpi > 0 ? dpi : (hasWidth ? 300 : 72);
    if (format == PictureFormat::Png && !hasWidth)
        size.dpi = 72;
    size.fontPoints = fontPoints > 0 ? fontPoints : (hasWidth ? 9 : 0);
    return size;
}

Picture composePictures(const std::vector<Picture>& panels) {
    Picture whole;
    if (panels.empty())
        return whole;
    whole.format = panels.front().format;
    whole.title = panels.front().title;
    whole.dpi = panels.front().dpi;
    int width = 0, height = 0;
    for (const Picture& panel : panels) {
        width += panel.canvasSize.width();
        height = std::max(height, panel.canvasSize.height());
    }
    whole.canvasSize = QSize(width, height);
    for (const Picture& panel : panels)
        if (panel.pixels.isNull())
            return whole;
    whole.pixels = QImage(width, height, QImage::Format_RGB32);
    if (whole.pixels.isNull())
        return whole;
    whole.pixels.fill(Qt::white);
    whole.pixels.setDotsPerMeterX(panels.front().pixels.dotsPerMeterX());
    whole.pixels.setDotsPerMeterY(panels.front().pixels.dotsPerMeterY());
    QPainter painter(&whole.pixels);
    int left = 0;
    for (const Picture& panel : panels) {
        painter.drawImage(left, 0, panel.pixels);
        whole.vectors.append(panel.vectors, QPointF(left, 0));
        left += panel.pixels.width();
    }
    return whole;
}

double pageWidthPoints(const Picture& picture) {
    return picture.pixels.width() * (picture.dpi > 0 ? 72 / picture.dpi : 1.0);
}

bool encodePicture(const Picture& picture, QIODevice& device) {
    if (picture.pixels.isNull())
        return false;
    switch (picture.format) {
    case PictureFormat::Png:
        return picture.pixels.save(&device, "PNG");
    case PictureFormat::Svg:
        return encodeSvg(picture, device);
    case PictureFormat::Pdf:
        return encodePdf(picture, device);
    }
    return false;
}

std::string writePictureFile(const Picture& picture, const std::string& path) {
    // Saved like a data file: a failure (such as a full disk) leaves the
    // previous picture as it was. Vector pictures are encoded in memory first.
    int cause = 0;
    if (picture.format == PictureFormat::Png) {
        if (picture.pixels.isNull())
            return "the picture could not be encoded";
        cause = data::saveFileSafely(
            path, [&picture](std::FILE* file) { return writePng(picture.pixels, file); });
    } else {
        QByteArray encoded;
        QBuffer buffer(&encoded);
        if (!buffer.open(QIODevice::WriteOnly) || !encodePicture(picture, buffer))
            return "the picture could not be encoded";
        cause = data::saveFileSafely(path, [&encoded](std::FILE* file) {
            const auto size = static_cast<size_t>(encoded.size());
            return std::fwrite(encoded.constData(), 1, size, file) == size;
        });
    }
    return cause == 0 ? std::string() : std::string(std::strerror(cause));
}
