#include "app/BatchRender.h"

#include "app/BatchEdit.h"
#include "app/BatchInfo.h"
#include "app/CommandLine.h"
#include "data/CTESKAdatDoc.h"
#include "data/SafeFileWriter.h"
#include "platform/Format.h"
#include "platform/MessageBox.h"
#include "plot/CTESKAdatView.h"
#include "plot/CanvasLimits.h"
#include "plot/GridExport.h"
#include "plot/PictureExport.h"
#include "plot/PlotLayout.h"
#include "plot/ProfileExport.h"
#include "plot/ProfileTrace.h"

#include <QApplication>
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

using Second = RenderOptions::Second;

int refuse(const std::string& message) {
    AfxMessageBox(message, MB_OK);
    return kBatchRefused;
}

void applyColourMap(CTESKAdatView& view, const RenderOptions& options) {
    if (!options.colourMap && !options.reversed)
        return;
    view.colourMapIndex = options.colourMap.value_or(view.colourMapIndex);
    view.colourMapReversed = options.reversed;
    rebuildColourTable(view.colourMapIndex, view.colourMapReversed, view.colourTable);
}

// As the Region dialog: a new scale, a new triangulation, no second plot.
bool applyRegion(CTESKAdatView& view, const RenderOptions& options) {
    if (!options.region)
        return true;
    const std::array<double, 4>& r = *options.region;
    return view.showRegion(r[0], r[1], r[2], r[3]);
}

PlotKind kindOf(Second second, bool hasPredicted) {
    switch (second) {
    case Second::Default:
        return hasPredicted ? PlotKind::Predicted : PlotKind::None;
    case Second::None:
        return PlotKind::None;
    case Second::Errors:
        return PlotKind::Errors;
    case Second::Predicted:
        return PlotKind::Predicted;
    case Second::Normalized:
        return PlotKind::NormalizedDifference;
    case Second::Difference:
        return PlotKind::Difference;
    case Second::Elevation:
        return PlotKind::Elevation;
    }
    return PlotKind::None;
}

bool needsPredicted(Second second) {
    return second == Second::Predicted || second == Second::Normalized ||
           second == Second::Difference;
}

int applySecondPlot(CTESKAdatView& view, const RenderOptions& options) {
    view.divergingDifferences = options.diverging;
    const bool hasPredicted = view.document().hasPredicted;
    if (needsPredicted(options.second) && !hasPredicted)
        return refuse("--second: the predicted data, and the differences from them, need a "
                      "predicted data file.");
    const PlotKind kind = kindOf(options.second, hasPredicted);
    if (kind == PlotKind::None) {
        view.secondKind = PlotKind::None;
        view.relayout();
    } else {
        view.showSecondKind(kind);
    }
    return kBatchOk;
}

// As a mouse drag from A to B on the main plot.
int applyProfile(CTESKAdatView& view, const RenderOptions& options) {
    if (!options.profile)
        return kBatchOk;
    const std::array<int, 4>& p = *options.profile;
    const IntPoint a{p[0], p[1]}, b{p[2], p[3]};
    if (a.x < 0 || a.x > view.plotWidth || a.y < 0 || a.y > view.plotHeight)
        return refuse(formatString("--profile: A must lie on the main plot, 0 to %.0f across "
                                   "and 0 to %.0f down.",
                                   view.plotWidth, view.plotHeight));
    IntPoint start, end;
    if (!fitProfileLine(a, b, view.plotWidth, view.plotHeight, start, end))
        return refuse("--profile: A and B are the same point.");
    view.profileStart = start;
    view.profileEnd = end;
    view.secondKind = PlotKind::Profile;
    view.profileLevel = options.level.value_or(kNoProfileLevel);
    return kBatchOk;
}

// --- Figure options: titles and labels, profile samples, print size ---

void applyFigureLabels(CTESKAdatView& view, const FigureOptions& figure) {
    if (figure.title)
        view.mainLabel = *figure.title;
    if (figure.xLabel)
        view.xAxisLabel = *figure.xLabel;
    if (figure.yLabel)
        view.yAxisLabel = *figure.yLabel;
    view.showTitles = !figure.noTitle;
    view.profileStep = figure.profileStep.value_or(0);
    view.contourInterval = figure.contours.value_or(0);
    view.scaleBar = figure.scaleBar;
    view.northArrow = figure.northArrow;
    if (figure.marks == FigureOptions::Marks::None)
        view.showLocations = false;
}

bool printsToSize(const FigureOptions& figure) {
    return figure.widthInches || figure.fontPoints || figure.dpi;
}

PrintSize printSizeOf(const CTESKAdatView& view, const FigureOptions& figure,
                      PictureFormat format) {
    return printSizeFor(view.canvasWidth, figure.widthInches.value_or(0), figure.dpi.value_or(0),
                        figure.fontPoints.value_or(0), format);
}

// Small marks lie at least 1 pt of the page apart: that many pixels at the
// print resolution when a width is given, else 2 pixels.
int smallMarkSpacing(const CTESKAdatView& view, const FigureOptions& figure, PictureFormat format) {
    if (!figure.widthInches)
        return 2;
    const double pixelsPerPoint = printSizeOf(view, figure, format).dpi / 72;
    return std::max(2, static_cast<int>(std::lround(std::min(pixelsPerPoint, 1e3))));
}

PlotKind panelKind(const std::string& name) {
    if (name == "predicted")
        return PlotKind::Predicted;
    if (name == "difference")
        return PlotKind::Difference;
    if (name == "normalized")
        return PlotKind::NormalizedDifference;
    if (name == "errors")
        return PlotKind::Errors;
    if (name == "elevation")
        return PlotKind::Elevation;
    return PlotKind::None; // the observed data
}

// The main map shows one panel's values, range and title for one picture.
class PanelScope {
public:
    PanelScope(CTESKAdatView& view, PlotKind kind, const std::string& title, bool first,
               ColourBarRole bar)
        : m_view(view), m_values(view.mainValues), m_min(view.mainMin), m_max(view.mainMax),
          m_label(view.mainLabel) {
        view.colourBarRole = bar;
        if (kind != PlotKind::None) {
            view.showSecondKind(kind);
            view.mainValues = view.secondaryValues;
            view.mainMin = view.secondMin;
            view.mainMax = view.secondMax;
        }
        view.secondKind = PlotKind::None;
        view.mainPlotKind = kind;
        view.mainLabel = title;
        view.showSummary = first;
        view.relayout();
    }
    ~PanelScope() {
        m_view.mainValues = m_values;
        m_view.mainMin = m_min;
        m_view.mainMax = m_max;
        m_view.mainLabel = m_label;
        m_view.mainPlotKind = PlotKind::None;
        m_view.showSummary = true;
        m_view.colourBarRole = ColourBarRole::Own;
        m_view.relayout();
    }
    PanelScope(const PanelScope&) = delete;
    PanelScope& operator=(const PanelScope&) = delete;

private:
    CTESKAdatView& m_view;
    std::vector<double> m_values;
    double m_min, m_max;
    std::string m_label;
};

std::string panelTitle(size_t index, PlotKind kind) {
    static const char* const kNames[] = {
        "Observed",   "",         "Standard deviation", "Predicted", "Normalized difference",
        "Difference", "Elevation"};
    return std::string("(") + char('a' + index) + ") " + kNames[static_cast<int>(kind)];
}

// The observed and predicted maps, when both are shown, share one colour
// bar, drawn beside the last of them; every other map has its own.
std::vector<ColourBarRole> panelColourBars(const std::vector<std::string>& names) {
    std::vector<ColourBarRole> roles(names.size(), ColourBarRole::Own);
    const auto sharing = [](const std::string& name) {
        return name == "observed" || name == "predicted";
    };
    const bool shared = std::find(names.begin(), names.end(), "observed") != names.end() &&
                        std::find(names.begin(), names.end(), "predicted") != names.end();
    if (!shared)
        return roles;
    size_t last = 0;
    for (size_t i = 0; i < names.size(); ++i)
        if (sharing(names[i])) {
            roles[i] = ColourBarRole::Omitted;
            last = i;
        }
    roles[last] = ColourBarRole::Shared;
    return roles;
}

// Each panel rendered as the main map alone, then side by side. A width,
// when given, is that of the whole figure, shared out in proportion to the
// panels' canvases so that every map has the same scale.
Picture renderPanels(CTESKAdatView& view, PictureFormat format, const FigureOptions& figure) {
    const std::vector<std::string>& names = figure.panels;
    const std::vector<ColourBarRole> bars = panelColourBars(names);
    const double fullUnits = roundHalfAway(view.plotWidth + plot_layout::kSideBySideGap);
    const auto unitsOf = [&](ColourBarRole bar) {
        return fullUnits - (bar == ColourBarRole::Omitted ? plot_layout::kColourBarRoom : 0);
    };
    double totalUnits = 0;
    for (ColourBarRole bar : bars)
        totalUnits += unitsOf(bar);
    std::vector<Picture> pictures;
    for (size_t i = 0; i < names.size(); ++i) {
        const PlotKind kind = panelKind(names[i]);
        const PanelScope scope(view, kind, panelTitle(i, kind), i == 0, bars[i]);
        if (!printsToSize(figure)) {
            pictures.push_back(renderPicture(view, format, view.magnification));
            continue;
        }
        PrintSize size = printSizeOf(view, figure, format);
        if (figure.widthInches)
            size.widthInches = *figure.widthInches * unitsOf(bars[i]) / totalUnits;
        pictures.push_back(renderPrintPicture(view, format, size));
    }
    return composePictures(pictures);
}

int checkPanels(const CTESKAdatView& view, const FigureOptions& figure) {
    for (const std::string& name : figure.panels)
        if ((name == "predicted" || name == "difference" || name == "normalized") &&
            !view.document().hasPredicted)
            return refuse("--panels: " + name + " needs a predicted data file.");
    return kBatchOk;
}

// --- end of the figure options ---

int applyViewOptions(CTESKAdatView& view, const RenderOptions& options) {
    applyColourMap(view, options);
    if (!applyRegion(view, options))
        return kBatchFailed;
    if (options.range) {
        view.mainMin = (*options.range)[0];
        view.mainMax = (*options.range)[1];
    }
    if (const int status = applySecondPlot(view, options); status != kBatchOk)
        return status;
    if (options.method)
        view.plotMethod = static_cast<PlotMethod>(*options.method);
    if (options.hideLocations)
        view.showLocations = false;
    view.roundTicks = options.roundTicks;
    view.maskLength = options.maskLength.value_or(view.maskLength);
    if (options.vertical)
        view.arrangeVertical = *options.vertical;
    if (options.magnification)
        view.magnification = *options.magnification;
    if (options.profileWithPredicted && !view.document().hasPredicted)
        return refuse("--profile-predicted: the predicted data need a predicted data file.");
    view.profileWithPredicted = options.profileWithPredicted;
    if (const int status = applyProfile(view, options); status != kBatchOk)
        return status;
    applyFigureLabels(view, options.figure);
    view.relayout();
    return kBatchOk;
}

// The format was checked with the options.
int writePicture(CTESKAdatView& view, const std::string& path, PictureFormat format,
                 const FigureOptions& figure) {
    if (const int status = checkPanels(view, figure); status != kBatchOk)
        return status;
    view.markSpacing =
        figure.marks == FigureOptions::Marks::Small ? smallMarkSpacing(view, figure, format) : 0;
    const Picture picture =
        !figure.panels.empty() ? renderPanels(view, format, figure)
        : printsToSize(figure) ? renderPrintPicture(view, format, printSizeOf(view, figure, format))
                               : renderPicture(view, format, view.magnification);
    if (picture.pixels.isNull()) {
        const QSizeF refused = view.exactCanvasSize();
        AfxMessageBox(canvasTooLargeText(refused.width(), refused.height(), "render") +
                          " Try a smaller --magnification.",
                      MB_ICONHAND);
        return kBatchFailed;
    }
    if (const std::string cause = writePictureFile(picture, path); !cause.empty()) {
        AfxMessageBox("Cannot write the picture to " + path + ": " + cause + ".", MB_ICONHAND);
        return kBatchFailed;
    }
    return kBatchOk;
}

} // namespace

int renderPicture(const CommandLine& line) {
    CTESKAdatDoc doc;
    CTESKAdatView view(doc); // receives the document's updates from the start
    if (!openForBatch(doc, line))
        return kBatchFailed;
    if (line.isBatchEdit())
        if (const int status = applyBatchEdits(doc, line); status != kBatchOk)
            return status;
    if (!doc.dataReady) // the stations could not be triangulated; the reason was shown
        return kBatchFailed;
    if (const int status = applyViewOptions(view, line.render); status != kBatchOk)
        return status;
    if (line.mode == CommandLine::Mode::Info)
        std::fputs(describeDataSet(doc).c_str(), stdout);
    if (!line.render.exportProfilePath.empty() &&
        !exportProfile(view, line.render.exportProfilePath))
        return kBatchFailed;
    if (!line.exportGridPath.empty() && !exportGrid(view, line.exportGridPath, line.gridCell))
        return kBatchFailed;
    if (line.render.outputPath.empty())
        return kBatchOk;
    return writePicture(view, line.render.outputPath, line.render.pictureFormat(),
                        line.render.figure);
}

int runBatchRender(int argc, char** argv, const CommandLine& line) {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!platform || !*platform)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The view is a widget, so a full application; fonts come with it.
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    return renderPicture(line);
}
