#pragma once
// The document: the one observation data set of the application, its files
// and the notifications it sends to the view.

#include "data/Coordinates.h"
#include "data/EditChecks.h"
#include "data/EditHistory.h"
#include "data/ObservationSet.h"
#include "data/Random.h"
#include "data/TableColumns.h"
#include "data/ValueRefresher.h"
#include "platform/Document.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace data {
class TextLineReader;
}

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
    // message box and returns false. Success neither sets dataReady nor
    // notifies; a failure clears dataReady and tells the views (HintNewData)
    // before its message, so that they show nothing.
    // After a failure (the file missing included) count is 0 and the
    // document is not modified: there is nothing left to show or save.
    // After success dataPath, the path name and the title are all
    // normalisedPath(path).
    bool readObservationFile(const std::string& path);

    // Reads the predicted values of the stations just read; reports every
    // failure itself. hasPredicted is true only after complete success.
    bool readPredictedFile(const std::string& path);

    // Recomputes the easting, northing and data extents; NaN values are skipped.
    void recomputeExtents();

    // Releases the six arrays; count and the flags are left as they are.
    void freeArrays();

    // Enable rules of the document's commands (menu items and toolbar buttons).
    bool canSave() const { return count > 0; }
    bool canOpenTextEditor() const { return count > 0; }
    // Assign standard deviation, Add Gaussian noise, Add constant.
    bool canEditValues() const { return count > 0; }
    bool canDownsample() const { return count > 2; }
    // Switching on needs positive data; switching off is always possible.
    bool canToggleLogScale() const { return count > 0 && (logScale || dataMin > 0); }
    // The largest step Downsample data accepts.
    int downsampleMaximum() const { return count / 2; }
    // The view's Crop data rule: some station lies outside the region.
    bool extendsBeyondRegion(double x1, double x2, double y1, double y2) const;

    // The editing operations (DataEdits.cpp). Each records its undo step
    // (while the history records; an edit whose step cannot be had goes
    // ahead after a message that it cannot be undone), works in place in one
    // pass, sets the modified flag (the log-scale toggle excepted) and tells
    // the view what changed: value edits through ValueRefresher, station
    // removals with HintStationsChanged, the log-scale toggle with HintNewData.

    // error = |data| * percent * 0.01 + minimum for every station.
    void assignStandardDeviation(double percent, double minimum);
    // Assigns errors as above (with the single-precision 0.01) and adds to
    // every value a standard normal deviate times its error, seeding the
    // generator with `seed` first (the GUI passes data::clockSeed()).
    void addGaussianNoise(double percent, double minimum, std::uint32_t seed);
    // Adds `constant` to every value and shifts dataMin and dataMax by it.
    void addConstant(double constant);
    // Gives station `index` the error `newError`; false (nothing changed) for
    // an index out of range or the error it has.
    bool changeError(int index, double newError);
    // Keeps stations 0, step, 2 step, ...; false (nothing changed) unless 1 <= step.
    bool downsample(int step);
    // Keeps the stations inside the region, bounds included.
    void cropToRegion(double x1, double x2, double y1, double y2);
    // Removes one station; false (nothing changed) for an index out of range.
    bool deleteStation(int index);
    // Switches data (and predicted) between values and base-10 logarithms;
    // false (nothing changed) when canToggleLogScale() is false.
    bool toggleLogScale();

    // Undo and redo of the edits above (EditUndo.cpp): the station set comes
    // back exactly as it was, the views take it in as they took in the edit,
    // and the modified flag is clear again where the set is the saved one.
    // False (nothing changed) when there is nothing to undo or redo.
    bool undo();
    bool redo();

    // Writes the data set to `path` (ObservationWriter.cpp). On success: not
    // modified, the changed-name notice when normalisedPath(path) differs
    // from dataPath, dataPath = normalisedPath(path). On failure: a message
    // naming the path and the cause, the previous file intact, nothing else changed; returns false.
    // A set without stations is never written (it would replace a file by an empty one).
    bool OnSaveDocument(const std::string& path);
    // Save as the framework does it: OnSaveDocument, then SetPathName(dataPath)
    // (which makes the path the title) when the file was written.
    bool DoSave(const std::string& path);

    // File > Text editor: warns when modified, then starts the external
    // editor detached on dataPath (ExternalEditor.cpp).
    void OnTextEditor();

    // The dialog values last confirmed with OK, for the rest of the run.
    data::RememberedEditValues editValues;
    // The noise command's generator and spare deviate, kept for the run.
    data::GaussianDeviates noiseSource;
    // The steps that undo and redo cross; cleared by every read.
    data::EditHistory history;
    // Called as an edit records its step, before it changes anything (a view
    // keeps the picture it shows then).
    std::function<void()> onChangeRecording;

    // Tables (StationTableImport.cpp). What the command line asks of the
    // next table read: columns, type, field, no-data values.
    data::TableRequest tableRequest;
    // Asks the user how to read a table, with the automatic choice filled
    // in (the window's "Table columns" dialog); false when cancelled. Without
    // it the choice is the automatic one with tableRequest applied.
    std::function<bool(const data::TablePreview&, data::TableChoice&)> tableChooser;
    // What the last table read chose and skipped; fromTable false otherwise.
    data::TableReport tableReport;
    // The last read stopped because the user cancelled the table's dialog:
    // the set, its paths and the history are as they were before it.
    bool readCancelled() const { return m_readCancelled; }
    // Shows the warnings of the last read (no-data markers, a missing
    // field) once, after the load; OnOpenDocument and the Open command call it.
    void reportLoadWarnings();

    // Coordinate systems (CoordinateImport.cpp). What the command line says
    // of the next read's coordinates, and what that read made of them.
    data::CoordinateRequest coordinateRequest;
    data::CoordinateReport coordinateReport;

private:
    bool allocateStations(long long requested, long long bytesInFile);
    bool growStations(int read);
    enum class TableRead { Loaded, Failed, Cancelled, NotATable };
    // Reads the file at `path` as a table, its header at line index
    // `headerAt` or, with -1, wherever the table's layout says
    // (StationTableImport.cpp). NotATable (nothing changed) when there is none.
    TableRead readStationTable(data::TextLineReader& reader, const std::string& path, int headerAt);
    // Whether the file is read as a table: its first line after "!" comments
    // names columns (that line's index), or it cannot be a valid observation
    // file and may be a table with comments, titles or other line ends
    // (kFindTableHeader); kNoTable otherwise.
    static constexpr int kNoTable = -2, kFindTableHeader = -1;
    // The stations' coordinate system after a read: the command line's, the
    // file's `fileCrs` or longitude/latitude, projected where that is asked
    // for or needed; false (after the message) when that cannot be done.
    bool settleCoordinates(const std::string& fileCrs);
    bool projectStations(const std::string& target, bool fromGeographic);
    int tableHeaderHint(data::TextLineReader& reader, const std::string& countLine) const;
    // The previous set goes: no predicted data, no history.
    void beginReplacingSet();
    // A failed observation read: no stations, nothing to save, the message; false.
    bool failRead(const std::string& message, unsigned style);
    // The first view, when it takes in-place value reloads.
    ValueRefresher* firstValueRefresher() const;
    // The arrays that hold a value per station now (arrayBit of each), and
    // one of them by its number.
    unsigned arraysInUse() const;
    std::vector<double>& stationArray(data::StationArray array);
    // Moves the stations for which keep(i) holds to the front, in order, in
    // the `arrays` given; returns how many were kept.
    template <class Keep> int compactStations(unsigned arrays, Keep keep);
    // Records the removal of the stations for which keep(i) fails, removes
    // them and tells the views.
    template <class Keep> void removeStations(const char* label, Keep keep);
    void afterStationsRemoved();
    void setErrors(double factor, double minimum);

    // The undo step named `label` (the edit's menu text) of an edit about to
    // change the set: the extents, count and log scale, and what `fill` puts
    // in; while the history records.
    void recordStep(const char* label, data::UndoRefresh refresh, bool modifies,
                    const std::function<void(data::StationChange&)>& fill);
    // A step holding the whole `arrays` (arrayBit of each) as they are.
    void recordValues(const char* label, unsigned arrays, data::UndoRefresh refresh,
                      bool modifies = true);
    // Exchanges the set with a step's change; the removal of stations is
    // undone by bringing them back and redone by taking them out again.
    void exchangeChange(data::StationChange& change, bool undoing);
    void exchangeValues(data::StationChange& change);
    void bringBackStations(data::StationChange& change);
    void takeOutStationsAgain(const data::StationChange& change);
    void takeInRestoredStations(data::UndoRefresh refresh);
    bool crossStep(data::EditHistory::Step* step, bool undoing);

    // Predicted values that have no logarithm (0, negative), kept while the
    // log scale is on so that switching it off gives them back.
    std::vector<double> m_predictedBeforeLog;

    std::vector<std::string> m_loadWarnings;
    bool m_readCancelled = false;

    bool m_fixedPredictedName = false;
    std::string m_commandLinePredictedPath;
};

// The predicted-data file name that the inversion programs write.
const char* fixedPredictedFileName(bool isMagnetic);
