#include "data/StationTable.h"

#include "data/SafeFileWriter.h"
#include "data/TextFile.h"
#include "platform/MessageBox.h"

#include <cstdio>

namespace data {
namespace {

void appendNumber(std::string& row, double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    row += text;
}

} // namespace

std::string stationTableCsv(const ObservationSet& set) {
    ClassicNumericLocale classic;
    const bool predicted = set.hasPredicted;
    std::string table = "easting,northing,elevation,data,error";
    if (predicted)
        table += ",predicted,difference,normalized_difference";
    table += '\n';
    for (int i = 0; i < set.count; ++i) {
        for (double value : {set.x[i], set.y[i], set.elevation[i], set.data[i], set.error[i]}) {
            appendNumber(table, value);
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
