#include "plot/PictureExport.h"

#include "data/SafeFileWriter.h"
#include "plot/CTESKAdatView.h"
#include "plot/PngFile.h"

#include <QBuffer>
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

// Sets the view to a magnification for one rendering and back afterwards.
class MagnificationScope {
public:
    MagnificationScope(CTESKAdatView& view, double magnification)
        : m_view(view), m_previous(view.magnification) {
        m_view.magnification = magnification;
        m_view.computeLayout();
    }
    ~MagnificationScope() {
        m_view.magnification = m_previous;
        m_view.computeLayout();
    }
    MagnificationScope(const MagnificationScope&) = delete;
    MagnificationScope& operator=(const MagnificationScope&) = delete;

private:
    CTESKAdatView& m_view;
    double m_previous;
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
    const int factor = embeddingFactor(size);
    const QImage fills = factor == 1 ? picture.pixels
                                     : picture.pixels.scaled(size * factor, Qt::IgnoreAspectRatio,
                                                             Qt::FastTransformation);
    painter.drawImage(QRectF(QPointF(0, 0), QSizeF(size)), fills);
    picture.vectors.replay(painter);
}

bool encodeSvg(const Picture& picture, QIODevice& device) {
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setSize(picture.pixels.size());
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
    pdf.setResolution(72); // one pixel of the picture is one point
    const QPageSize page(QSizeF(picture.pixels.size()), QPageSize::Point, QString(),
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
