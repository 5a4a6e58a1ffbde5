// Reading the stations of a table with named columns into the document.

#include "data/CTESKAdatDoc.h"

#include "data/EditChecks.h"
#include "data/StationTableReader.h"
#include "data/TextFile.h"
#include "platform/MessageBox.h"

#include <climits>
#include <new>

namespace {

bool isBlankLine(const std::string& line) {
    return line.find_first_not_of(" \t") == std::string::npos;
}

// The stations of a table as they are read, grown line by line so that a
// long file of nonsense is refused before much memory is taken.
struct TableRows {
    std::vector<double> x, y, elevation, data, error;
};

// Reads one row's used fields; an empty string, or what is wrong with it.
std::string readRow(const std::string& line, const data::TableColumns& columns, TableRows& rows) {
    const std::vector<std::string> fields = data::splitTableFields(line, columns.delimiter);
    if (static_cast<int>(fields.size()) != columns.fieldCount)
        return "has " + std::to_string(fields.size()) + " fields where the header has " +
               std::to_string(columns.fieldCount);
    const auto take = [&fields](int column, double fallback, std::vector<double>& into,
                                std::string& problem) {
        double value = fallback;
        if (column >= 0 && !data::parseReal(fields[static_cast<size_t>(column)], value))
            problem = "\"" + fields[static_cast<size_t>(column)] + "\" is not a number";
        into.push_back(value);
    };
    std::string problem;
    take(columns.easting, 0, rows.x, problem);
    take(columns.northing, 0, rows.y, problem);
    take(columns.elevation, 0, rows.elevation, problem);
    take(columns.value, 0, rows.data, problem);
    take(columns.error, 0, rows.error, problem);
    return problem;
}

} // namespace

bool CTESKAdatDoc::readStationTable(data::TextLineReader& reader, const std::string& header,
                                    const std::string& path) {
    data::TableColumns columns;
    const std::string headerProblem = data::readTableHeader(header, columns);
    if (headerProblem == "missing")
        return failRead("Error: " + path + "\nhas no easting, northing and data columns.",
                        MB_ICONHAND);
    if (!headerProblem.empty())
        return failRead("Error: " + path + "\nline " + std::to_string(reader.lineNumber()) + ": " +
                            headerProblem + ".",
                        MB_ICONHAND);
    TableRows rows;
    try {
        for (;;) {
            const std::string& line = reader.readLine();
            if (reader.atEnd())
                break;
            if (isBlankLine(line))
                continue;
            if (rows.x.size() >= static_cast<size_t>(INT_MAX))
                return failRead("Error: " + path + "\nhas too many data.", MB_ICONHAND);
            const std::string problem = readRow(line, columns, rows);
            if (!problem.empty())
                return failRead("Error: " + path + "\nline " + std::to_string(reader.lineNumber()) +
                                    " " + problem + ".",
                                MB_ICONHAND);
        }
    } catch (const std::bad_alloc&) {
        return failRead("Error: not enough memory for the data of\n" + path, MB_ICONHAND);
    }
    if (rows.x.size() <= 2)
        return failRead("Error: Need more than 2 data.", MB_OK);
    reader.close();

    freeArrays();
    x = std::move(rows.x);
    y = std::move(rows.y);
    elevation = std::move(rows.elevation);
    data = std::move(rows.data);
    error = std::move(rows.error);
    count = static_cast<int>(x.size());
    isMagnetic = columns.magnetic;
    // A magnetic table carries no field direction: vertical until a file with one is saved.
    header1a = header2a = 90;
    header1b = header2b = header1c = 0;
    logScale = false;
    recomputeExtents();
    dataPath = normalisedPath(path);
    SetPathName(dataPath, true);
    return true;
}
