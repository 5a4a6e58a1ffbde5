#pragma once
// Reading stations from a table with named columns (a spreadsheet export):
// the header line names the columns, each following line is one station.

#include <string>
#include <vector>

namespace data {

// Which fields of a row hold what; -1 for a column the table lacks.
struct TableColumns {
    int easting = -1, northing = -1, elevation = -1, value = -1, error = -1;
    int fieldCount = 0;    // fields in the header, and so in every row
    char delimiter = ',';  // ',', '\t', ';', or ' ' for runs of blanks
    bool magnetic = false; // the data column is tmi or mag, or its units hold "nT"
};

// Whether `line` is a row of column names: every field a name that starts
// with a letter and none a number (so "nan inf" is not), and more than one
// field or a known column name. Such a line is never read as the station
// count of an observation file; a single other word still is (it keeps the
// previous count).
bool isColumnHeader(const std::string& line);

// Splits a line into fields: by the delimiter (',', '\t' or ';'), or by runs
// of blanks for ' '. Blanks around a field and double quotes around it go.
std::vector<std::string> splitTableFields(const std::string& line, char delimiter);

// Reads the header: finds the delimiter (the first of ',', '\t', ';' that
// occurs, otherwise blanks) and the columns by name, compared without case
// and without units in brackets ("gz [mGal]", "tmi(nT)"). Returns an empty
// string, or the reason the header cannot be used ("duplicate" naming the
// column, "missing" when easting, northing or data has no column).
std::string readTableHeader(const std::string& line, TableColumns& columns);

} // namespace data
