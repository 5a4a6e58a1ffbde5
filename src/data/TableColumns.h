#pragma once
// Which column of a table holds what: column names matched as people write
// them, the user's own choice over the automatic one, and the survey type
// and units that the names tell.

#include <string>
#include <utility>
#include <vector>

namespace data {

enum TableRole { RoleEasting, RoleNorthing, RoleElevation, RoleData, RoleError, RoleCount };

// The role names as the command line and the reports write them.
const char* tableRoleName(int role);

// What the table's columns mean and how its rows are read.
struct TableChoice {
    int column[RoleCount] = {-1, -1, -1, -1, -1}; // 0-based; -1: no column (0 for elevation, error)
    int lineColumn = -1;                          // the survey line's label; -1: none
    bool magnetic = false;
    bool fieldGiven = false;
    double field[3] = {0, 0, 0}; // inclination and declination in degrees, strength in nT
    std::vector<double> noData;  // values that mean missing
    double dataScale = 1;        // 0.001 for a data column in microgal
};

// What the command line asks of a table (empty: the automatic choice).
struct TableRequest {
    std::vector<std::pair<std::string, std::string>> columns; // role, column name or number
    enum class Type { Automatic, Gravity, Magnetic } type = Type::Automatic;
    bool fieldGiven = false;
    double field[3] = {0, 0, 0};
    std::vector<double> noData;
};

// What the user sees of a table before choosing its columns.
struct TablePreview {
    std::vector<std::string> names;
    std::vector<std::vector<std::string>> rows; // the first rows after the header
    char separator = ',';
    char decimalMark = '.';
    int headerLine = 0; // 1-based
};

// What the last table read chose and left out, for the summary.
struct TableReport {
    bool fromTable = false;
    std::string columns;        // describeTableChoice of the choice read with
    long long skipped = 0;      // rows with a missing value
    long long firstSkipped = 0; // the line of the first of them
    bool microgal = false;      // the data were converted from microgal to mGal
};

// The role a column name fits (-1 for none), and whether it fits exactly
// (the role's own name: "easting", "Elevation (m)"). Names are compared
// without case, blanks, underscores, hyphens and units in brackets.
int roleOfColumnName(const std::string& name, bool* exact = nullptr);
// Whether the name is one of a survey line's label column.
bool isLineColumnName(const std::string& name);

// The name (in lower case, without units) of the first column that fits a
// role and appears twice; empty when there is none.
std::string duplicatedColumnName(const std::vector<std::string>& names);

// The choice from the names alone: every role its best column (the exact
// name first, then the first that fits), the type and units from the data
// column's name and units.
TableChoice chooseTableColumns(const std::vector<std::string>& names);

// The type and units that the data column's name tells (magnetic for mag,
// tmi, rmi, total field or nT; microgal scaled to mGal).
void takeDataColumnUnits(const std::string& name, TableChoice& choice);

// Applies the command line's request to `choice`; an empty string, or what
// cannot be done ("no column \"foo\"").
std::string applyTableRequest(const TableRequest& request, const std::vector<std::string>& names,
                              TableChoice& choice);

// "easting=X, northing=Y, elevation=none (0), data=gz, error=sd".
std::string describeTableChoice(const TableChoice& choice, const std::vector<std::string>& names);

// The roles that must have a column and have none, as "easting, data"; empty when all have one.
std::string missingTableRoles(const TableChoice& choice);

} // namespace data
