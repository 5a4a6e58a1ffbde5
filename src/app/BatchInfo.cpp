#include "app/BatchInfo.h"

#include "app/CommandLine.h"
#include "data/CTESKAdatDoc.h"
#include "data/MisfitStatistics.h"
#include "geo/CoordinateSystem.h"
#include "platform/Format.h"

#include <cmath>

namespace {

std::string tableSummary(const data::TableReport& report) {
    if (!report.fromTable)
        return {};
    std::string text = "columns: " + report.columns + "\n";
    if (report.microgal)
        text += "converted: data and error from uGal to mGal (x 0.001)\n";
    if (report.skipped > 0)
        text += formatString("skipped: %lld rows with missing values (first at line %lld)\n",
                             report.skipped, report.firstSkipped);
    return text;
}

// The coordinate system, and how far the stations stray from where its
// scale is true.
std::string coordinateSummary(const CTESKAdatDoc& doc) {
    if (doc.crs.empty())
        return {};
    const data::CoordinateReport& report = doc.coordinateReport;
    std::string text = "crs: " + doc.crs;
    if (!report.crsName.empty())
        text += " (" + report.crsName + ")";
    text += report.fromLongitudeLatitude ? ", projected from longitude/latitude\n" : "\n";
    double least = 0, largest = 0;
    if (!geo::scaleFactorRange(doc.crs, doc.x.data(), doc.y.data(), static_cast<size_t>(doc.count),
                               least, largest))
        return text;
    if (report.reprojected)
        text += formatString("scale factor: %.6f .. %.6f\n", least, largest);
    if (geo::outsideUsualExtent(least, largest))
        text += "warning: the stations lie outside the usual extent of " + doc.crs +
                formatString(" (scale factor up to %.6f)\n",
                             std::fabs(largest - 1) >= std::fabs(least - 1) ? largest : least);
    return text;
}

} // namespace

bool openFromCommandLine(CTESKAdatDoc& doc, const CommandLine& line) {
    doc.setCommandLinePredicted(line.fixedPredictedName, line.predictedPath);
    doc.tableRequest = line.table;
    doc.coordinateRequest = line.coordinates;
    return doc.OnOpenDocument(normalisedPath(line.observationPath));
}

bool openForBatch(CTESKAdatDoc& doc, const CommandLine& line) {
    const bool predictedNamed = line.fixedPredictedName || !line.predictedPath.empty();
    return openFromCommandLine(doc, line) && (!predictedNamed || doc.hasPredicted);
}

std::string describeDataSet(const CTESKAdatDoc& doc) {
    std::string text = "file:      " + doc.dataPath + "\n";
    text += tableSummary(doc.tableReport);
    text += coordinateSummary(doc);
    text += formatString("stations:  %d\n", doc.count);
    if (doc.isMagnetic)
        text += formatString("type:      magnetic (nT), header %g %g %g / %g %g\n", doc.header1a,
                             doc.header1b, doc.header1c, doc.header2a, doc.header2b);
    else
        text += "type:      gravity (mGal)\n";
    text += formatString("easting:   %.10g .. %.10g\n", doc.xMin, doc.xMax);
    text += formatString("northing:  %.10g .. %.10g\n", doc.yMin, doc.yMax);
    text += formatString("data:      %.10g .. %.10g\n", doc.dataMin, doc.dataMax);
    if (doc.hasPredicted)
        text += "predicted: " + doc.predictedPath + "\n";
    else if (doc.predictedPath.empty())
        text += "predicted: none\n";
    else
        text += "predicted: not read (" + doc.predictedPath + ")\n";
    if (doc.hasPredicted)
        text += misfitSummaryText(computeMisfit(doc));
    return text;
}
