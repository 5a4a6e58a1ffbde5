#include "app/BatchInfo.h"

#include "app/CommandLine.h"
#include "data/CTESKAdatDoc.h"
#include "data/MisfitStatistics.h"
#include "platform/Format.h"

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

} // namespace

bool openFromCommandLine(CTESKAdatDoc& doc, const CommandLine& line) {
    doc.setCommandLinePredicted(line.fixedPredictedName, line.predictedPath);
    doc.tableRequest = line.table;
    return doc.OnOpenDocument(normalisedPath(line.observationPath));
}

bool openForBatch(CTESKAdatDoc& doc, const CommandLine& line) {
    const bool predictedNamed = line.fixedPredictedName || !line.predictedPath.empty();
    return openFromCommandLine(doc, line) && (!predictedNamed || doc.hasPredicted);
}

std::string describeDataSet(const CTESKAdatDoc& doc) {
    std::string text = "file:      " + doc.dataPath + "\n";
    text += tableSummary(doc.tableReport);
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
