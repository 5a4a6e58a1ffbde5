// Reading the stations of a table with named columns into the document.

#include "data/CTESKAdatDoc.h"

#include "data/MemoryLimit.h"
#include "data/NumberScan.h"
#include "data/TableText.h"
#include "data/TextFile.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>

namespace {

// The stations of a table as they are read.
struct TableRows {
    std::vector<double> x, y, elevation, data, error;
    std::vector<double> lineOfStation;
    std::vector<std::string> lineNames;
    std::map<std::string, int> lineIndex;
    long long skipped = 0, firstSkipped = 0;
    std::map<double, long long> markerValues; // data values that look like no-data markers

    void reserve(size_t stations) {
        for (std::vector<double>* array : {&x, &y, &elevation, &data, &error})
            array->reserve(stations);
        lineOfStation.reserve(stations);
    }

    int lineNamed(const std::string& label) {
        const auto [at, added] = lineIndex.emplace(label, static_cast<int>(lineNames.size()));
        if (added)
            lineNames.push_back(label);
        return at->second;
    }
};

constexpr size_t kHeadLines = 1100;

bool isNoDataMarker(double value) {
    for (double marker : {-99999.0, -9999.0, -9999.99, 1e30, -1e32, 1.70141e38})
        if (value == marker)
            return true;
    return false;
}

std::string numberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string columnList(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + (name.empty() ? std::string("(unnamed)") : name);
    return list;
}

std::string lineText(size_t index) {
    return "line " + std::to_string(index + 1);
}

data::TablePreview previewOf(const std::vector<std::string_view>& lines,
                             const data::TableLayout& layout) {
    data::TablePreview preview;
    preview.names = layout.names;
    preview.separator = layout.separator;
    preview.decimalMark = layout.decimalMark;
    preview.headerLine = layout.headerLine + 1;
    data::FieldSplitter splitter;
    for (size_t i = static_cast<size_t>(layout.headerLine) + 1;
         i < lines.size() && preview.rows.size() < 20; ++i) {
        const std::string_view line = lines[i];
        if (data::isBlankTableLine(line) || data::isTableCommentLine(line) ||
            !data::surveyLineMarker(line).empty())
            continue;
        const auto& fields = data::splitTableRow(splitter, line, layout);
        preview.rows.emplace_back(fields.begin(), fields.end());
    }
    return preview;
}

// Reads the rows after the header; an empty string, or what is wrong and where.
class RowReader {
public:
    RowReader(const data::TableLayout& layout, const data::TableChoice& choice, TableRows& rows)
        : m_layout(layout), m_choice(choice), m_rows(rows), m_roleOfColumn(layout.names.size(), -1),
          m_plainRows(layout.separator != ' ' && choice.lineColumn < 0) {
        for (int role = 0; role < data::RoleCount; ++role)
            if (choice.column[role] >= 0 &&
                choice.column[role] < static_cast<int>(layout.names.size()))
                m_roleOfColumn[static_cast<size_t>(choice.column[role])] = role;
    }

    // Reads the rows of `text`, whose first lines are `head`.
    std::string read(std::string_view text, const std::vector<std::string_view>& head) {
        const size_t header = static_cast<size_t>(m_layout.headerLine);
        // A marker above the header names the line of the first rows.
        for (size_t i = 0; i < header; ++i)
            if (const std::string marker = data::surveyLineMarker(head[i]); !marker.empty())
                m_markerLine = m_rows.lineNamed(marker);
        data::TableLineCursor cursor(text, static_cast<size_t>(head[header].data() - text.data()));
        std::string_view line;
        cursor.next(line); // the header
        for (size_t i = header + 1; cursor.next(line); ++i) {
            if (data::isBlankTableLine(line) || data::isTableCommentLine(line))
                continue;
            if (const std::string marker = data::surveyLineMarker(line); !marker.empty()) {
                m_markerLine = m_rows.lineNamed(marker);
                continue;
            }
            if (m_rows.x.size() >= static_cast<size_t>(INT_MAX))
                return "has too many data";
            if (std::string problem = readRow(line, i); !problem.empty())
                return lineText(i) + " " + problem;
        }
        return {};
    }

private:
    std::string readRow(std::string_view line, size_t index) {
        double values[data::RoleCount] = {0, 0, 0, 0, 0};
        if (m_plainRows && readPlainRow(line, values)) {
            takeRow(values, isNoData(values), index, m_markerLine);
            return {};
        }
        const auto& fields = data::splitTableRow(m_splitter, line, m_layout);
        if (fields.size() != m_layout.names.size())
            return "has " + std::to_string(fields.size()) + " fields where the header has " +
                   std::to_string(m_layout.names.size());
        bool missing = false;
        for (int role = 0; role < data::RoleCount; ++role) {
            const int column = m_choice.column[role];
            if (column < 0)
                continue;
            const std::string_view field = fields[static_cast<size_t>(column)];
            if (data::isMissingField(field))
                missing = true;
            else if (!data::scanReal(field, m_layout.decimalMark, values[role]))
                return "\"" + std::string(field) + "\" is not a number";
        }
        int lineLabel = m_markerLine;
        if (m_choice.lineColumn >= 0) {
            const std::string_view label = fields[static_cast<size_t>(m_choice.lineColumn)];
            if (!label.empty())
                lineLabel = m_rows.lineNamed(std::string(label));
        }
        takeRow(values, missing || isNoData(values), index, lineLabel);
        return {};
    }

    // The common row in one pass: no quotes, every used field a plain
    // number, as many fields as the header (or one more, empty). False
    // when the row needs the general reading.
    bool readPlainRow(std::string_view line, double* values) const {
        const char separator = m_layout.separator;
        if (std::memchr(line.data(), '"', line.size()))
            return false;
        const char* p = line.data();
        const char* const end = p + line.size();
        const size_t columns = m_layout.names.size();
        size_t column = 0;
        for (;; ++column, ++p) {
            while (p < end && *p == ' ')
                ++p;
            const char* const start = p;
            const int role = column < columns ? m_roleOfColumn[column] : -1;
            if (role >= 0) {
                p = data::scanPlainReal(p, end, m_layout.decimalMark, values[role]);
                if (!p)
                    return false;
                while (p < end && (*p == ' ' || (*p == '\t' && separator != '\t')))
                    ++p;
                if (p < end && *p != separator)
                    return false;
            } else {
                const void* next = std::memchr(p, separator, static_cast<size_t>(end - p));
                p = next ? static_cast<const char*>(next) : end;
            }
            if (p >= end)
                return column + 1 == columns || (column == columns && start == end);
        }
    }

    bool isNoData(const double* values) const {
        if (m_choice.noData.empty())
            return false;
        for (int role = 0; role < data::RoleCount; ++role)
            if (m_choice.column[role] >= 0 &&
                std::find(m_choice.noData.begin(), m_choice.noData.end(), values[role]) !=
                    m_choice.noData.end())
                return true;
        return false;
    }

    void takeRow(const double* values, bool missing, size_t index, int lineLabel) {
        if (missing) {
            if (m_rows.skipped++ == 0)
                m_rows.firstSkipped = static_cast<long long>(index) + 1;
            return;
        }
        if (m_choice.noData.empty() && isNoDataMarker(values[data::RoleData]))
            ++m_rows.markerValues[values[data::RoleData]];
        m_rows.x.push_back(values[data::RoleEasting]);
        m_rows.y.push_back(values[data::RoleNorthing]);
        m_rows.elevation.push_back(values[data::RoleElevation]);
        m_rows.data.push_back(values[data::RoleData] * m_choice.dataScale);
        m_rows.error.push_back(values[data::RoleError] * m_choice.dataScale);
        m_rows.lineOfStation.push_back(lineLabel);
    }

    const data::TableLayout& m_layout;
    const data::TableChoice& m_choice;
    TableRows& m_rows;
    data::FieldSplitter m_splitter;
    int m_markerLine = -1;
    std::vector<int> m_roleOfColumn; // the role each column fills, -1 for none
    bool m_plainRows = false;        // rows may take readPlainRow
};

std::string markerWarning(const TableRows& rows) {
    if (rows.markerValues.empty())
        return {};
    long long total = 0;
    auto most = rows.markerValues.begin();
    for (auto at = rows.markerValues.begin(); at != rows.markerValues.end(); ++at) {
        total += at->second;
        if (at->second > most->second)
            most = at;
    }
    const std::string value = numberText(most->first);
    return "warning: " + std::to_string(total) + " values look like a no-data marker (" + value +
           "); use --nodata " + value + " to skip them";
}

// Whether the bytes of a file of `size` bytes, twice over (as read and as
// decoded), fit into half of what the process may have.
bool wholeFileFits(long long size) {
    const long double limit = data::memoryLimitBytes();
    return limit <= 0 || static_cast<long double>(size) * 4 <= limit / 2;
}

} // namespace

void CTESKAdatDoc::reportLoadWarnings() {
    for (const std::string& warning : m_loadWarnings)
        AfxMessageBox(warning, MB_ICONEXCLAMATION);
    m_loadWarnings.clear();
}

CTESKAdatDoc::TableRead CTESKAdatDoc::readStationTable(data::TextLineReader& reader,
                                                       const std::string& path, int headerAt) {
    const auto fail = [this](const std::string& message, unsigned style = MB_ICONHAND) {
        beginReplacingSet();
        failRead(message, style);
        return TableRead::Failed;
    };
    const std::string memoryMessage = "Error: not enough memory for the data of\n" + path;
    std::string text;
    try {
        if (!wholeFileFits(reader.size()))
            return fail(memoryMessage);
        if (!reader.readAll(text))
            return fail("Error: " + path + "\nis not a valid data file.");
        reader.close();
        data::decodeTableBytes(text);
    } catch (const std::bad_alloc&) {
        return fail(memoryMessage);
    }
    // The header is looked for in the first lines; the rows are read on from it.
    const std::vector<std::string_view> lines = data::splitTableLines(text, kHeadLines);
    data::TableLayout layout;
    if (!data::findTableLayout(lines, layout, headerAt))
        return TableRead::NotATable;
    const std::string at = "Error: " + path + "\n";
    const std::string found = "\nColumns found: " + columnList(layout.names) + ".";
    if (const std::string twice = data::duplicatedColumnName(layout.names); !twice.empty())
        return fail(at + lineText(static_cast<size_t>(layout.headerLine)) + ": the column name \"" +
                    twice + "\" appears twice." + found +
                    "\nChoose the columns with --columns ROLE=COLUMN.");

    data::TableChoice choice = data::chooseTableColumns(layout.names);
    if (layout.declaredMagnetic) {
        choice.magnetic = true;
        choice.dataScale = 1;
        choice.fieldGiven = layout.declaredField;
        std::copy(layout.declared, layout.declared + 3, choice.field);
    }
    if (const std::string problem = data::applyTableRequest(tableRequest, layout.names, choice);
        !problem.empty())
        return fail(at + problem + "." + found);
    if (tableChooser && !tableChooser(previewOf(lines, layout), choice)) {
        m_readCancelled = true;
        return TableRead::Cancelled;
    }
    if (const std::string missing = data::missingTableRoles(choice); !missing.empty())
        return fail(at + "has no easting, northing and data columns.\nNo column for: " + missing +
                    "." + found +
                    "\nChoose the columns with --columns ROLE=COLUMN[,ROLE=COLUMN...] (roles "
                    "easting, northing, elevation, data, error; COLUMN a name or a number).");

    TableRows rows;
    try {
        rows.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
        const std::string problem = RowReader(layout, choice, rows).read(text, lines);
        if (!problem.empty())
            return fail(at + problem + ".");
    } catch (const std::bad_alloc&) {
        return fail(memoryMessage);
    }
    if (rows.x.size() <= 2)
        return fail(at + "has too few stations with values (" + std::to_string(rows.x.size()) +
                        "); more than 2 are needed." +
                        (rows.skipped ? "\n" + std::to_string(rows.skipped) +
                                            " rows with missing values were skipped."
                                      : std::string()),
                    MB_OK);

    beginReplacingSet();
    freeArrays();
    x = std::move(rows.x);
    y = std::move(rows.y);
    elevation = std::move(rows.elevation);
    data = std::move(rows.data);
    error = std::move(rows.error);
    count = static_cast<int>(x.size());
    if (!rows.lineNames.empty()) {
        lineOfStation = std::move(rows.lineOfStation);
        lineNames = std::move(rows.lineNames);
    }
    isMagnetic = choice.magnetic;
    // The observation format's header: the inducing field, and the direction
    // of the measured component along it.
    inducingFieldMissing = isMagnetic && !choice.fieldGiven;
    header1a = header2a = choice.fieldGiven ? choice.field[0] : 90;
    header1b = header2b = choice.fieldGiven ? choice.field[1] : 0;
    header1c = choice.fieldGiven ? choice.field[2] : 0;
    tableReport.fromTable = true;
    tableReport.columns = data::describeTableChoice(choice, layout.names);
    tableReport.skipped = rows.skipped;
    tableReport.firstSkipped = rows.firstSkipped;
    tableReport.microgal = choice.dataScale != 1;
    tableReport.geographic =
        data::isLongitudeName(
            layout.names[static_cast<size_t>(choice.column[data::RoleEasting])]) &&
        data::isLatitudeName(layout.names[static_cast<size_t>(choice.column[data::RoleNorthing])]);
    if (const std::string warning = markerWarning(rows); !warning.empty())
        m_loadWarnings.push_back(warning);
    if (inducingFieldMissing)
        m_loadWarnings.push_back("warning: no inducing field given; inclination 90, declination "
                                 "0, field 0 assumed (use --field I,D,F)");
    logScale = false;
    recomputeExtents();
    dataPath = normalisedPath(path);
    SetPathName(dataPath, true);
    return TableRead::Loaded;
}
