#include "plot/ProfileExport.h"

#include "data/CTESKAdatDoc.h"
#include "data/SafeFileWriter.h"
#include "data/TextFile.h"
#include "platform/Format.h"
#include "platform/MessageBox.h"
#include "plot/CTESKAdatView.h"
#include "plot/ProfileChart.h"
#include "plot/StationTriangulation.h"

#include <cmath>
#include <limits>

namespace {

void appendField(std::string& row, double value) {
    row += ',';
    if (std::isfinite(value))
        row += formatString("%.10g", value);
}

} // namespace

std::string profileCsvText(const std::vector<ProfileSample>& samples, bool withPredicted) {
    data::ClassicNumericLocale classic; // full stops whatever the user's locale
    std::string text = "distance,easting,northing,observed,predicted\n";
    for (const ProfileSample& sample : samples) {
        std::string row = formatString("%.10g", sample.distance);
        appendField(row, sample.easting);
        appendField(row, sample.northing);
        appendField(row, sample.observed);
        if (withPredicted)
            appendField(row, sample.predicted);
        else
            row += ',';
        text += row + '\n';
    }
    return text;
}

std::vector<ProfileSample> viewProfileSamples(CTESKAdatView& view) {
    const CTESKAdatDoc& doc = view.document();
    // Gaps unless the predicted values belong to the stations triangulated.
    std::vector<double> predictedNodes(static_cast<size_t>(view.nodeCount()),
                                       std::numeric_limits<double>::quiet_NaN());
    if (doc.hasPredicted)
        toNodeOrder(doc.predicted, doc.count, view, predictedNodes);
    const std::vector<double>* predicted = doc.hasPredicted ? &predictedNodes : nullptr;
    // The chart's samples, at a spacing in metres, when the chart is shown.
    if (view.roundTicks || view.profileStep > 0)
        return sampleProfileEvery(view, view, predicted, profileStepUnits(view, view));
    return sampleProfile(view, view, predicted, view.profileLengthPixels());
}

bool exportProfile(CTESKAdatView& view, const std::string& path) {
    const std::string text = profileCsvText(viewProfileSamples(view), view.document().hasPredicted);
    const int cause = data::saveTextSafely(path, text);
    if (cause != 0)
        AfxMessageBox(data::saveFailureText(path, cause), MB_ICONHAND);
    return cause == 0;
}
