#pragma once
// The stations of one survey, held by the document as parallel arrays.

#include <string>
#include <vector>

// What the document tells its views after a change.
enum UpdateHint : long {
    HintNewData = 0,         // a new data set was read, or the log scale toggled
    HintStationsChanged = 1, // stations were removed; region and labels stay
};

// Parallel arrays of at least `count` entries each whenever they are present
// (non-empty). Only the readers allocate them and only freeArrays releases
// them; edits move entries towards the front and lower `count`.
struct ObservationSet {
    std::vector<double> x;         // easting, metres
    std::vector<double> y;         // northing, metres
    std::vector<double> data;      // observed value (nT or mGal; log10 while logScale)
    std::vector<double> elevation; // elevation, metres
    std::vector<double> predicted; // predicted value; meaningful only while hasPredicted
    std::vector<double> error;     // standard deviation; 0 when the file gave none
    // The survey line of each station: a whole number, the index into
    // lineNames, or -1 for none (a double, so that the edits and their undo
    // move it as they move every other station array); both empty when the
    // file named no lines (only tables do).
    std::vector<double> lineOfStation;
    std::vector<std::string> lineNames;
    bool hasPredicted = false;
    // Extents; 1e30 / -1e30 while there are no stations.
    double yMin = 1e30, yMax = -1e30;
    double xMin = 1e30, xMax = -1e30;
    double dataMin = 1e30, dataMax = -1e30;
    // Magnetic header values, kept only to be written back.
    double header1a = 0, header1b = 0;
    double header2a = 0, header2b = 0;
    double header1c = 0;
    int count = 0;
    bool dataReady = false;
    bool isMagnetic = false;
    // A magnetic table read without its inducing field (90, 0, 0 assumed).
    bool inducingFieldMissing = false;
    // The coordinate system of x and y as PROJ reads it ("EPSG:32735"); empty: not known.
    std::string crs;
    std::string dataPath;
    std::string predictedPath; // empty: no predicted file
    bool logScale = false;

    bool arraysPresent() const { return !x.empty(); }
};
