// Saving the data set as an observation file. A failed save leaves the
// previous file as it was (see SafeFileWriter.h).

#include "data/CTESKAdatDoc.h"

#include "data/Coordinates.h"
#include "data/NumberScan.h"
#include "data/SafeFileWriter.h"
#include "data/TextFile.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// Values that the observation format writes with fewer digits than they have.
struct DigitLoss {
    long long values = 0;
    double largestChange = 0;

    void check(const char* line, const double* written) {
        double read[5];
        double* const targets[5] = {&read[0], &read[1], &read[2], &read[3], &read[4]};
        if (data::scanReals(line, targets, 5) != 5)
            return;
        for (int k = 0; k < 5; ++k) {
            if (read[k] == written[k] || (std::isnan(read[k]) && std::isnan(written[k])))
                continue;
            ++values;
            largestChange = std::max(largestChange, std::fabs(read[k] - written[k]));
        }
    }
};

// Writes the data set in the observation file format: the magnetic header
// (its component flag always 1), the count, then five columns per station.
// With `loss`, counts the values that lose digits.
bool writeStations(std::FILE* file, const ObservationSet& set, DigitLoss* loss) {
    data::ClassicNumericLocale classic;
    if (!set.crs.empty() && std::fputs(data::crsCommentLine(set.crs).c_str(), file) < 0)
        return false;
    if (set.isMagnetic) {
        if (std::fprintf(file, "%g %g  %g\n", set.header1a, set.header1b, set.header1c) < 0 ||
            std::fprintf(file, "%g %g  1\n%i\n", set.header2a, set.header2b, set.count) < 0)
            return false;
    } else if (std::fprintf(file, "%i\n", set.count) < 0) {
        return false;
    }
    if (loss)
        *loss =
            DigitLoss(); // a save that writes twice (in place after a failed rename) counts once
    for (int i = 0; i < set.count; ++i) {
        const double values[5] = {set.x[i], set.y[i], set.elevation[i], set.data[i], set.error[i]};
        if (!loss) {
            if (std::fprintf(file, "%14.10g %14.10g %14.10g  %12.8g %12.8g\n", values[0], values[1],
                             values[2], values[3], values[4]) < 0)
                return false;
            continue;
        }
        char text[256];
        std::snprintf(text, sizeof text, "%14.10g %14.10g %14.10g  %12.8g %12.8g\n", values[0],
                      values[1], values[2], values[3], values[4]);
        loss->check(text, values);
        if (std::fputs(text, file) < 0)
            return false;
    }
    return true;
}

} // namespace

bool CTESKAdatDoc::OnSaveDocument(const std::string& path) {
    if (count <= 0) {
        AfxMessageBox("Error: " + path + "\ncould not be saved: there are no data.", MB_ICONHAND);
        return false;
    }
    // Values read from a table may have more digits than the format keeps.
    DigitLoss loss;
    DigitLoss* const counted = tableReport.fromTable ? &loss : nullptr;
    const int cause = data::saveFileSafely(
        path, [this, counted](std::FILE* file) { return writeStations(file, *this, counted); });
    if (cause != 0) {
        AfxMessageBox(data::saveFailureText(path, cause), MB_ICONHAND);
        return false;
    }
    if (loss.values > 0) {
        char change[32];
        std::snprintf(change, sizeof change, "%.6g", loss.largestChange);
        AfxMessageBox("warning: " + std::to_string(loss.values) +
                          " values lose digits in the observation format (largest change " +
                          change + ")",
                      MB_ICONEXCLAMATION);
    }
    SetModifiedFlag(false);
    history.markSaved();
    const std::string savedPath = normalisedPath(path);
    if (dataPath != savedPath)
        AfxMessageBox("The data filename has changed.\nMake sure you use the correct name in "
                      "the inversion interface.",
                      MB_OK);
    dataPath = savedPath;
    return true;
}

bool CTESKAdatDoc::DoSave(const std::string& path) {
    if (!OnSaveDocument(path))
        return false;
    SetPathName(dataPath, true);
    return true;
}
