#include "app/TableOptions.h"

#include "app/CommandLine.h"
#include "data/EditChecks.h"

namespace {

std::vector<std::string> commaSeparated(const std::string& text) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            return parts;
        start = comma + 1;
    }
}

bool parseColumns(const std::string& text, data::TableRequest& request) {
    for (const std::string& part : commaSeparated(text)) {
        const size_t equals = part.find('=');
        if (equals == std::string::npos || equals == 0 || equals + 1 == part.size())
            return false;
        request.columns.emplace_back(part.substr(0, equals), part.substr(equals + 1));
    }
    return true;
}

bool parseNumbers(const std::string& text, std::vector<double>& values) {
    for (const std::string& part : commaSeparated(text)) {
        double value = 0;
        if (!data::parseReal(part, value))
            return false;
        values.push_back(value);
    }
    return true;
}

bool parseType(const std::string& text, data::TableRequest& request) {
    if (text == "gravity")
        request.type = data::TableRequest::Type::Gravity;
    else if (text == "magnetic")
        request.type = data::TableRequest::Type::Magnetic;
    else
        return false;
    return true;
}

bool parseField(const std::string& text, data::TableRequest& request) {
    std::vector<double> values;
    if (!parseNumbers(text, values) || values.size() != 3)
        return false;
    request.fieldGiven = true;
    for (int i = 0; i < 3; ++i)
        request.field[i] = values[static_cast<size_t>(i)];
    return true;
}

struct TableRule {
    const char* name;
    const char* form;
    bool (*parse)(const std::string& text, data::TableRequest& request);
};

constexpr TableRule kTableRules[] = {
    {"--columns", "ROLE=COLUMN[,ROLE=COLUMN...]", parseColumns},
    {"--type", "gravity or magnetic", parseType},
    {"--field", "INCLINATION,DECLINATION,FIELD", parseField},
    {"--nodata", "V[,V...]",
     [](const std::string& text, data::TableRequest& request) {
         return parseNumbers(text, request.noData);
     }},
};

} // namespace

bool takeTableOption(CommandLine& line, const std::vector<std::string>& arguments, size_t& index) {
    for (const TableRule& rule : kTableRules) {
        if (arguments[index] != rule.name)
            continue;
        if (index + 1 >= arguments.size() || arguments[index + 1].empty()) {
            if (line.error.empty())
                line.error = std::string(rule.name) + " needs " + rule.form + ".";
            return true;
        }
        const std::string& value = arguments[++index];
        if (!rule.parse(value, line.table) && line.error.empty())
            line.error =
                std::string(rule.name) + " needs " + rule.form + ", not \"" + value + "\".";
        return true;
    }
    return false;
}

std::string tableUsageText() {
    return "Tables: a file whose header names its columns (comma, tab, semicolon or\n"
           "blank separated; comment lines starting with #, / or !, title lines, a\n"
           "sep=X line, Line N / Tie N marker lines, decimal commas with ; or tabs) is\n"
           "read as a table. Columns are found by name, without case, blanks,\n"
           "underscores, hyphens and units in brackets:\n"
           "  easting    x, e, east*, easting, utm_x, x_utm, utm_e, utme, mga_e\n"
           "  northing   y, n, north*, northing, utm_y, y_utm, utm_n, utmn, mga_n\n"
           "  elevation  z, h, elev*, height*, alt*, topo*      (none: 0)\n"
           "  data       data, obs*, value, g, gz, grav*, bouguer*, ba, cba, faa,\n"
           "             free_air*, *anomaly, mag*, tmi, rmi, total field, tf, residual*\n"
           "  error      err*, sd, std*, sigma, uncert*, unc, accuracy   (none: 0)\n"
           "  line       line, line_id, flight_line, lineno, survey, surveyid\n"
           "The exact role name wins, then the first column that fits. The data are\n"
           "magnetic for mag, tmi, rmi, total field or nT, otherwise gravity (uGal is\n"
           "converted to mGal). Rows with an empty, NaN, NA, N/A or * value are skipped.\n"
           "  --columns ROLE=COLUMN[,ROLE=COLUMN...]  roles easting, northing, elevation,\n"
           "                         data, error, line; COLUMN a header name (any case)\n"
           "                         or a 1-based column number; none for elevation, error\n"
           "  --type gravity|magnetic  the survey type, whatever the names say\n"
           "  --field I,D,F          a magnetic table's inducing field: inclination and\n"
           "                         declination in degrees, strength in nT (needed by\n"
           "                         --save; without it 90,0,0 is assumed with a warning)\n"
           "  --nodata V[,V...]      values that mean missing: such rows are skipped\n";
}
