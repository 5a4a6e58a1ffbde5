#include "data/CTESKAdatDoc.h"

#include "data/MemoryLimit.h"
#include "data/NumberScan.h"
#include "data/StationTableReader.h"
#include "data/TextFile.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <new>

namespace {

// The shortest data line is three one-digit reals ("1 2 3") and its line feed.
constexpr long long kMinimumBytesPerStation = 6;

bool isCommentLine(const std::string& line) {
    return !line.empty() && line[0] == '!';
}

// The first line that is not a comment (an empty line at the end of the
// file), read from the start of the file past a byte-order mark. With
// `crs`, the coordinate system a "! crs" comment names.
const std::string& skipComments(data::TextLineReader& reader, std::string* crs = nullptr) {
    reader.skipByteOrderMark();
    const std::string* line = &reader.readLine();
    while (isCommentLine(*line)) {
        if (crs && crs->empty())
            *crs = data::crsOfCommentLine(*line);
        line = &reader.readLine();
    }
    return *line;
}

std::string invalidFileMessage(const std::string& path) {
    return "Error: " + path + "\nis not a valid data file.";
}

std::string notEnoughMemoryMessage(long long stations, const std::string& path) {
    return "Error: not enough memory for " + std::to_string(stations) + " data of\n" + path;
}

// Above this many stations the arrays grow as lines are read, so that a
// count that the file does not bear out commits no more than was read.
constexpr long long kStationsAllocatedUpFront = 1 << 20;
constexpr long double kBytesThatAlwaysFit = 64.0L * 1024 * 1024;

// Whether `stations` stations fit into memory: their six arrays may take at
// most half of what the process can have (physical memory, its control
// group's limit, its address-space limit). A larger request is refused
// before anything is allocated, because the system would rather end the
// process than report the allocation as failed.
bool fitsInMemory(long long stations) {
    const long double bytes = static_cast<long double>(stations) * 6 * sizeof(double);
    // Small sets need no look at the limits (a failed allocation is still caught).
    if (bytes <= kBytesThatAlwaysFit)
        return true;
    const long double limit = data::memoryLimitBytes();
    return limit <= 0 || bytes <= limit / 2;
}

} // namespace

const char* fixedPredictedFileName(bool isMagnetic) {
    return isMagnetic ? "quorbelt.pre" : "frandol.pre";
}

CTESKAdatDoc::~CTESKAdatDoc() {
    freeArrays();
}

void CTESKAdatDoc::SetPathName(const std::string& path, bool addToRecentList) {
    CDocument::SetPathName(path, addToRecentList);
    SetTitle(path);
}

void CTESKAdatDoc::freeArrays() {
    for (std::vector<double>* array : {&x, &y, &data, &elevation, &predicted, &error})
        std::vector<double>().swap(*array);
    std::vector<double>().swap(m_predictedBeforeLog);
    std::vector<double>().swap(lineOfStation);
    lineNames.clear();
}

void CTESKAdatDoc::recomputeExtents() {
    xMin = yMin = dataMin = 1e30;
    xMax = yMax = dataMax = -1e30;
    for (int i = 0; i < count; ++i) {
        // Plain comparisons: a NaN compares neither way and is skipped.
        if (x[i] < xMin)
            xMin = x[i];
        if (x[i] > xMax)
            xMax = x[i];
        if (y[i] < yMin)
            yMin = y[i];
        if (y[i] > yMax)
            yMax = y[i];
        if (data[i] < dataMin)
            dataMin = data[i];
        if (data[i] > dataMax)
            dataMax = data[i];
    }
}

bool CTESKAdatDoc::failRead(const std::string& message, unsigned style) {
    count = 0;
    SetModifiedFlag(false);
    // The window keeps its picture until it is repainted: the views drop
    // the stations that are gone now, before the message.
    dataReady = false;
    UpdateAllViews(nullptr, HintNewData);
    AfxMessageBox(message, style);
    return false;
}

// Sizes the five station arrays for `requested` stations. A count that the
// file cannot hold is treated as the early end of file it would lead to,
// before anything is allocated; a count beyond memory is refused.
bool CTESKAdatDoc::allocateStations(long long requested, long long bytesInFile) {
    if (bytesInFile >= 0 && requested > (bytesInFile + 1) / kMinimumBytesPerStation)
        return failRead(invalidFileMessage(dataPath), MB_ICONHAND);
    if (!fitsInMemory(requested))
        return failRead(notEnoughMemoryMessage(requested, dataPath), MB_ICONHAND);
    freeArrays();
    count = static_cast<int>(requested);
    if (!growStations(0))
        return failRead(notEnoughMemoryMessage(requested, dataPath), MB_ICONHAND);
    return true;
}

// Makes the station arrays hold at least read + 1 stations (the whole count
// when it is small): room doubles up to `count`, exactly, never beyond it.
bool CTESKAdatDoc::growStations(int read) {
    if (read < static_cast<int>(x.size()))
        return true;
    const long long wanted =
        count <= kStationsAllocatedUpFront
            ? count
            : std::min<long long>(count,
                                  std::max<long long>(kStationsAllocatedUpFront, 2LL * read));
    try {
        const size_t n = static_cast<size_t>(wanted);
        for (std::vector<double>* array : {&x, &y, &elevation, &data, &error}) {
            array->reserve(n);
            array->resize(n, 0.0);
        }
    } catch (const std::bad_alloc&) {
        freeArrays();
        return false;
    }
    return true;
}

void CTESKAdatDoc::beginReplacingSet() {
    hasPredicted = false;
    history.clear(); // the steps belong to the previous set
    tableReport = data::TableReport();
    inducingFieldMissing = false;
    crs.clear();
    coordinateReport = data::CoordinateReport();
}

int CTESKAdatDoc::tableHeaderHint(data::TextLineReader& reader,
                                  const std::string& countLine) const {
    // A line of column names is never a count: the file is a table.
    if (data::isColumnHeader(countLine))
        return static_cast<int>(reader.lineNumber() - 1);
    long long ignoredCount = 0;
    double ignored[3];
    if (data::scanInteger(countLine, ignoredCount) ||
        std::sscanf(countLine.c_str(), "%lf %lf %lf", &ignored[0], &ignored[1], &ignored[2]) == 3)
        return kNoTable;
    // The count stays the previous one: with more than 2 the file is read on
    // as data lines, and is a valid observation file when they are.
    if (count <= 2)
        return kFindTableHeader;
    double* const targets[3] = {&ignored[0], &ignored[1], &ignored[2]};
    const int read = data::scanReals(reader.readLine().c_str(), targets, 3);
    return read < 3 ? kFindTableHeader : kNoTable;
}

bool CTESKAdatDoc::readObservationFile(const std::string& path) {
    data::ClassicNumericLocale classic;
    m_readCancelled = false;
    m_loadWarnings.clear();

    // Whatever a failed read leaves, the document holds no stations and
    // nothing to save (failRead): the previous set is no longer shown, so
    // no command may act on it or write it under the new name.
    data::TextLineReader reader;
    if (!reader.open(path)) {
        beginReplacingSet();
        return failRead("Data file doesn't exist.\n" + path, MB_OK);
    }

    std::string fileCrs;
    if (const int header = tableHeaderHint(reader, skipComments(reader, &fileCrs));
        header != kNoTable) {
        const TableRead outcome = readStationTable(reader, path, header);
        if (outcome != TableRead::NotATable)
            return outcome == TableRead::Loaded && settleCoordinates(fileCrs);
    }
    beginReplacingSet();
    if (!reader.open(path)) // read again from the start as an observation file
        return failRead("Data file doesn't exist.\n" + path, MB_OK);
    const std::string* countLine = &skipComments(reader);
    isMagnetic =
        std::sscanf(countLine->c_str(), "%lf %lf %lf", &header1a, &header1b, &header1c) == 3;
    if (isMagnetic) {
        int componentFlag = 1;
        std::sscanf(reader.readLine().c_str(), "%lf %lf %i", &header2a, &header2b, &componentFlag);
        if (componentFlag == 0)
            AfxMessageBox("Cannot display multi-component data files.", MB_ICONEXCLAMATION);
        countLine = &reader.readLine();
    }

    long long requested = count; // a count line without an integer keeps the old count
    data::scanInteger(*countLine, requested);
    if (requested <= 2)
        return failRead("Error: Need more than 2 data.", MB_OK);
    if (requested > INT_MAX)
        return failRead(invalidFileMessage(path), MB_ICONHAND);
    if (!allocateStations(requested, reader.bytesRemaining()))
        return false;

    for (int i = 0; i < count; ++i) {
        if (!growStations(i))
            return failRead(notEnoughMemoryMessage(count, dataPath), MB_ICONHAND);
        error[i] = 0;
        // As sscanf "%lf %lf %lf %lf %lf" would read the line, faster.
        double* const targets[5] = {&x[i], &y[i], &elevation[i], &data[i], &error[i]};
        const int read = data::scanReals(reader.readLine().c_str(), targets, 5);
        if (read < 3)
            return failRead(invalidFileMessage(dataPath), MB_ICONHAND);
        if (read == 3)
            data[i] = elevation[i];
    }

    reader.close();
    // The values just read are plain values, whatever the previous set held.
    logScale = false;
    recomputeExtents();
    if (!settleCoordinates(fileCrs))
        return false;
    // However the file was named, the document holds one form of its path,
    // so that saving back to it is recognised as the same file.
    dataPath = normalisedPath(path);
    SetPathName(dataPath, true);
    return true;
}

bool CTESKAdatDoc::readPredictedFile(const std::string& path) {
    data::ClassicNumericLocale classic;
    hasPredicted = false;

    data::TextLineReader reader;
    if (!reader.open(path)) {
        AfxMessageBox("Predicted data file doesn't exist.\n" + path, MB_OK);
        return false;
    }

    const std::string* countLine = &skipComments(reader);
    if (isMagnetic) {
        reader.readLine();
        countLine = &reader.readLine();
    }
    long long predictedCount = 0;
    if (!data::scanInteger(*countLine, predictedCount) || predictedCount != count) {
        AfxMessageBox("Predicted data file " + path +
                          "\ndoes not have the same number of data as " + dataPath,
                      MB_ICONHAND);
        return false;
    }

    predicted.assign(static_cast<size_t>(count), 0.0);
    for (int i = 0; i < count; ++i) {
        double ignored[3];
        double* const targets[4] = {&ignored[0], &ignored[1], &ignored[2], &predicted[i]};
        if (data::scanReals(reader.readLine().c_str(), targets, 4) < 4) {
            AfxMessageBox("Error reading predicted data file\n" + path, MB_ICONHAND);
            return false;
        }
    }
    hasPredicted = true;
    return true;
}

void CTESKAdatDoc::setCommandLinePredicted(bool fixedName, const std::string& path) {
    m_fixedPredictedName = fixedName;
    m_commandLinePredictedPath = path;
}

bool CTESKAdatDoc::OnOpenDocument(const std::string& path) {
    dataReady = false;
    dataPath = path;
    if (!readObservationFile(dataPath))
        return false;

    predictedPath =
        m_fixedPredictedName ? fixedPredictedFileName(isMagnetic) : m_commandLinePredictedPath;
    if (!predictedPath.empty())
        readPredictedFile(predictedPath);

    dataReady = true;
    UpdateAllViews(nullptr, HintNewData);
    SetModifiedFlag(false);
    reportLoadWarnings();
    return true;
}
