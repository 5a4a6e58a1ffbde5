#pragma once
// The document: the one observation data set of the application, its files
// and the notifications it sends to the view.

#include "Document.h"
#include "ObservationSet.h"

#include <string>

class CTESKAdatDoc : public CDocument, public ObservationSet {
public:
    CTESKAdatDoc() = default;
    ~CTESKAdatDoc() override;

    // Keeps the absolute path as path name and shows `path` exactly as passed as the title.
    void SetPathName(const std::string& path, bool addToRecentList = true) override;
    bool OnNewDocument() { return true; }

    // Opens an observation file named on the command line, with the predicted
    // file that the command line names (see setCommandLinePredicted). Views
    // get HintNewData; false when the observation file could not be read.
    bool OnOpenDocument(const std::string& path);

    // How the command line names the predicted data for OnOpenDocument:
    // `fixedName` selects the inversion's fixed file name in the current
    // directory, otherwise a non-empty `path` is the predicted file.
    void setCommandLinePredicted(bool fixedName, const std::string& path);

    // Reads an observation file into the set; reports every failure in a
    // message box and returns false. Neither sets dataReady nor notifies.
    bool readObservationFile(const std::string& path);

    // Reads the predicted values of the stations just read; reports every
    // failure itself. hasPredicted is true only after complete success.
    bool readPredictedFile(const std::string& path);

    // Recomputes the easting, northing and data extents; NaN values are skipped.
    void recomputeExtents();

    // Releases the six arrays; count and the flags are left as they are.
    void freeArrays();

private:
    bool allocateStations(long long requested, long long bytesInFile);

    bool m_fixedPredictedName = false;
    std::string m_commandLinePredictedPath;
};

// The predicted-data file name that the inversion programs write.
const char* fixedPredictedFileName(bool isMagnetic);
