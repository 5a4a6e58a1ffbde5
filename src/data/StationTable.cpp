#include "data/StationTable.h"

#include "data/SafeFileWriter.h"
#include "data/TextFile.h"
#include "platform/MessageBox.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace data {
namespace {

// Quotes a label that holds a comma, a quote or blanks at its ends.
void appendLabel(std::string& row, const std::string& label) {
    const bool blankEnds = !label.empty() && (label.front() == ' ' || label.back() == ' ');
    if (label.find_first_of(",\"") == std::string::npos && !blankEnds) {
        row += label;
        return;
    }
    row += '"';
    for (char c : label)
        row += c == '"' ? std::string("\"\"") : std::string(1, c);
    row += '"';
}

void appendLine(std::string& row, const ObservationSet& set, int station) {
    row += ',';
    const double line = set.lineOfStation[static_cast<size_t>(station)];
    if (line >= 0 && line < static_cast<double>(set.lineNames.size()))
        appendLabel(row, set.lineNames[static_cast<size_t>(line)]);
}

bool hasLines(const ObservationSet& set) {
    return !set.lineNames.empty() && set.lineOfStation.size() >= static_cast<size_t>(set.count);
}

} // namespace

void appendShortestNumber(std::string& row, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", value);
    if (std::strtod(text, nullptr) != value) {
        const auto result = std::to_chars(text, text + sizeof text - 1, value);
        *result.ptr = '\0';
    }
    row += text;
}

std::string stationTableCsv(const ObservationSet& set) {
    ClassicNumericLocale classic;
    const auto appendNumber = appendShortestNumber;
    const bool predicted = set.hasPredicted;
    const bool lines = hasLines(set);
    std::string table;
    if (set.isMagnetic && set.inducingFieldMissing) {
        table = "! magnetic\n";
    } else if (set.isMagnetic) {
        table = "! magnetic, inclination ";
        appendNumber(table, set.header1a);
        table += ", declination ";
        appendNumber(table, set.header1b);
        table += ", field ";
        appendNumber(table, set.header1c);
        table += " nT\n";
    }
    table += "easting,northing,elevation,data,error";
    if (lines)
        table += ",line";
    if (predicted)
        table += ",predicted,difference,normalized_difference";
    table += '\n';
    for (int i = 0; i < set.count; ++i) {
        for (double value : {set.x[i], set.y[i], set.elevation[i], set.data[i], set.error[i]}) {
            appendNumber(table, value);
            table += ',';
        }
        if (lines) {
            table.pop_back();
            appendLine(table, set, i);
            table += ',';
        }
        if (predicted) {
            const double difference = set.data[i] - set.predicted[i];
            appendNumber(table, set.predicted[i]);
            table += ',';
            appendNumber(table, difference);
            table += ',';
            if (set.error[i] > 0)
                appendNumber(table, difference / set.error[i]);
        } else {
            table.pop_back();
        }
        table += '\n';
    }
    return table;
}

bool exportStationTable(const ObservationSet& set, const std::string& path) {
    const int cause = saveTextSafely(path, stationTableCsv(set));
    if (cause == 0)
        return true;
    AfxMessageBox(saveFailureText(path, cause), MB_ICONHAND);
    return false;
}

} // namespace data
