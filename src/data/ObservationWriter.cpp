// Saving the data set as an observation file. A failed save leaves the
// previous file as it was (see SafeFileWriter.h).

#include "data/CTESKAdatDoc.h"

#include "data/SafeFileWriter.h"
#include "data/TextFile.h"
#include "platform/MessageBox.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// Writes the data set in the observation file format: the magnetic header
// (its component flag always 1), the count, then five columns per station.
bool writeStations(std::FILE* file, const ObservationSet& set) {
    data::ClassicNumericLocale classic;
    if (set.isMagnetic) {
        if (std::fprintf(file, "%g %g  %g\n", set.header1a, set.header1b, set.header1c) < 0 ||
            std::fprintf(file, "%g %g  1\n%i\n", set.header2a, set.header2b, set.count) < 0)
            return false;
    } else if (std::fprintf(file, "%i\n", set.count) < 0) {
        return false;
    }
    for (int i = 0; i < set.count; ++i)
        if (std::fprintf(file, "%14.10g %14.10g %14.10g  %12.8g %12.8g\n", set.x[i], set.y[i],
                         set.elevation[i], set.data[i], set.error[i]) < 0)
            return false;
    return true;
}

} // namespace

bool CTESKAdatDoc::OnSaveDocument(const std::string& path) {
    if (count <= 0) {
        AfxMessageBox("Error: " + path + "\ncould not be saved: there are no data.", MB_ICONHAND);
        return false;
    }
    const int cause =
        data::saveFileSafely(path, [this](std::FILE* file) { return writeStations(file, *this); });
    if (cause != 0) {
        AfxMessageBox(data::saveFailureText(path, cause), MB_ICONHAND);
        return false;
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
