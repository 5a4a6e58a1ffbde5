#include "data/TableColumns.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace data {
namespace {

constexpr const char* kRoleNames[RoleCount] = {"easting", "northing", "elevation", "data", "error"};

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool isWordBreak(char c) {
    return c == ' ' || c == '\t' || c == '_' || c == '-' || c == '.' || c == '/';
}

bool isUnitWord(const std::string& word) {
    static const std::set<std::string> units = {
        "mgal", "ugal", "\xc2\xb5gal", "\xce\xbcgal", "nt", "gu", "m", "metres", "meters", "deg"};
    return units.count(word) > 0;
}

// A column name taken apart: its words in lower case (units left out), and
// the units, from brackets or from unit words ("gz_mGal", "tmi (nT)").
struct NameParts {
    std::string compact; // the words run together: "totalfield", "xutm"
    std::string bare;    // the name before any bracket, in lower case
    std::vector<std::string> units;
};

void addWords(const std::string& text, std::vector<std::string>& words) {
    std::string word;
    for (char c : text + ' ') {
        if (!isWordBreak(c)) {
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
}

NameParts partsOf(const std::string& name) {
    NameParts parts;
    std::string outside;
    int depth = 0;
    std::string inside;
    for (char c : name) {
        if (c == '(' || c == '[') {
            ++depth;
        } else if ((c == ')' || c == ']') && depth > 0) {
            if (--depth == 0) {
                addWords(inside, parts.units);
                inside.clear();
            }
        } else if (depth > 0) {
            inside += c;
        } else {
            outside += c;
        }
    }
    const size_t bracket = name.find_first_of("([");
    std::string bare = lowered(name.substr(0, bracket));
    while (!bare.empty() && (bare.back() == ' ' || bare.back() == '\t'))
        bare.pop_back();
    while (!bare.empty() && (bare.front() == ' ' || bare.front() == '\t' || bare.front() == '"'))
        bare.erase(0, 1);
    parts.bare = bare;
    std::vector<std::string> words;
    addWords(outside, words);
    for (const std::string& word : words) {
        if (words.size() > 1 && isUnitWord(word))
            parts.units.push_back(word);
        else
            parts.compact += word;
    }
    return parts;
}

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool oneOf(const std::string& text, std::initializer_list<const char*> list) {
    return std::any_of(list.begin(), list.end(),
                       [&text](const char* item) { return text == item; });
}

// The axis letter or word of a coordinate name without the grid's name
// around it: "utmx", "x_utm", "mga_e", "gridnorth" give x, x, e, north.
std::string coordinateCore(std::string name) {
    for (const char* prefix : {"utm", "mga", "grid", "map", "proj", "local"})
        if (startsWith(name, prefix) && name.size() > std::char_traits<char>::length(prefix))
            name.erase(0, std::char_traits<char>::length(prefix));
    for (const char* suffix : {"utm", "coordinate", "coord", "m"})
        if (endsWith(name, suffix) && name.size() > std::char_traits<char>::length(suffix))
            name.erase(name.size() - std::char_traits<char>::length(suffix));
    return name;
}

bool isErrorName(const std::string& n) {
    if (oneOf(n, {"err", "error", "errors", "sd", "std", "stdev", "stddev", "sigma", "unc",
                  "uncert", "uncertainty", "accuracy"}))
        return true;
    for (const char* part : {"err", "std", "uncert", "sigma"})
        if (startsWith(n, part))
            return true;
    for (const char* part : {"error", "err", "sd", "std", "sigma", "uncertainty"})
        if (endsWith(n, part) && n.size() > 3)
            return true;
    return false;
}

bool isElevationName(const std::string& n) {
    if (oneOf(n, {"z", "h", "hgt", "dem"}))
        return true;
    for (const char* part : {"elev", "height", "alt", "topo"})
        if (startsWith(n, part))
            return true;
    return false;
}

bool isEastingName(const std::string& n) {
    const std::string core = coordinateCore(n);
    return oneOf(core, {"x", "e", "east", "easting", "eastings"}) || startsWith(n, "east") ||
           n.find("easting") != std::string::npos;
}

bool isNorthingName(const std::string& n) {
    const std::string core = coordinateCore(n);
    return oneOf(core, {"y", "n", "north", "northing", "northings"}) || startsWith(n, "north") ||
           n.find("northing") != std::string::npos;
}

bool isDataName(const std::string& n) {
    if (oneOf(n, {"data", "value", "g", "gz", "ba", "cba", "faa", "tmi", "rmi", "tf", "totalfield",
                  "anomaly"}))
        return true;
    for (const char* part : {"obs", "grav", "bouguer", "freeair", "mag", "residual"})
        if (startsWith(n, part))
            return true;
    return endsWith(n, "anomaly");
}

bool hasUnit(const NameParts& parts, std::initializer_list<const char*> units) {
    return std::any_of(parts.units.begin(), parts.units.end(),
                       [&units](const std::string& unit) { return oneOf(unit, units); });
}

} // namespace

const char* tableRoleName(int role) {
    return role >= 0 && role < RoleCount ? kRoleNames[role] : "line";
}

int roleOfColumnName(const std::string& name, bool* exact) {
    const std::string n = partsOf(name).compact;
    int role = -1;
    if (n.empty() || isLineColumnName(name))
        role = -1;
    else if (isErrorName(n))
        role = RoleError;
    else if (isElevationName(n))
        role = RoleElevation;
    else if (isEastingName(n))
        role = RoleEasting;
    else if (isNorthingName(n))
        role = RoleNorthing;
    else if (isDataName(n))
        role = RoleData;
    if (exact)
        *exact = role >= 0 && n == kRoleNames[role];
    return role;
}

bool isLineColumnName(const std::string& name) {
    return oneOf(partsOf(name).compact, {"line", "lineid", "flightline", "lineno", "linenumber",
                                         "linename", "survey", "surveyid"});
}

std::string duplicatedColumnName(const std::vector<std::string>& names) {
    std::set<std::string> seen;
    for (const std::string& name : names) {
        const NameParts parts = partsOf(name);
        if (roleOfColumnName(name) >= 0 && !seen.insert(parts.bare).second)
            return parts.bare;
    }
    return {};
}

void takeDataColumnUnits(const std::string& name, TableChoice& choice) {
    const NameParts parts = partsOf(name);
    const std::string& n = parts.compact;
    choice.magnetic = startsWith(n, "mag") || oneOf(n, {"tmi", "rmi", "tf", "totalfield"}) ||
                      n.find("magnetic") != std::string::npos || hasUnit(parts, {"nt"});
    choice.dataScale =
        !choice.magnetic && hasUnit(parts, {"ugal", "\xc2\xb5gal", "\xce\xbcgal"}) ? 0.001 : 1;
}

TableChoice chooseTableColumns(const std::vector<std::string>& names) {
    TableChoice choice;
    bool exactFound[RoleCount] = {};
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        const std::string& name = names[static_cast<size_t>(i)];
        if (choice.lineColumn < 0 && isLineColumnName(name))
            choice.lineColumn = i;
        bool exact = false;
        const int role = roleOfColumnName(name, &exact);
        if (role < 0 || exactFound[role] || (choice.column[role] >= 0 && !exact))
            continue;
        choice.column[role] = i;
        exactFound[role] = exact;
    }
    if (choice.column[RoleData] >= 0)
        takeDataColumnUnits(names[static_cast<size_t>(choice.column[RoleData])], choice);
    return choice;
}

namespace {

// The column that `wanted` names: a 1-based number, or a name compared without case.
int findColumn(const std::string& wanted, const std::vector<std::string>& names) {
    if (!wanted.empty() && wanted.find_first_not_of("0123456789") == std::string::npos) {
        if (wanted.size() > 9)
            return -2;
        const int number = std::stoi(wanted);
        return number >= 1 && number <= static_cast<int>(names.size()) ? number - 1 : -2;
    }
    const std::string key = lowered(wanted);
    for (size_t i = 0; i < names.size(); ++i)
        if (lowered(names[i]) == key)
            return static_cast<int>(i);
    for (size_t i = 0; i < names.size(); ++i)
        if (partsOf(names[i]).bare == key)
            return static_cast<int>(i);
    return -2;
}

int roleNamed(const std::string& role) {
    const std::string key = lowered(role);
    for (int r = 0; r < RoleCount; ++r)
        if (key == kRoleNames[r])
            return r;
    return key == "line" ? RoleCount : -1;
}

} // namespace

std::string applyTableRequest(const TableRequest& request, const std::vector<std::string>& names,
                              TableChoice& choice) {
    for (const auto& [roleText, columnText] : request.columns) {
        const int role = roleNamed(roleText);
        if (role < 0)
            return "--columns: no role \"" + roleText +
                   "\" (the roles are easting, northing, elevation, data, error and line)";
        const bool optional = role == RoleElevation || role == RoleError || role == RoleCount;
        int column = optional && lowered(columnText) == "none" ? -1 : findColumn(columnText, names);
        if (column == -2)
            return "--columns " + roleText + "=" + columnText + ": no column \"" + columnText +
                   "\"";
        if (role == RoleCount)
            choice.lineColumn = column;
        else
            choice.column[role] = column;
        if (role == RoleData)
            takeDataColumnUnits(names[static_cast<size_t>(column)], choice);
    }
    if (request.fieldGiven) {
        choice.magnetic = true;
        choice.fieldGiven = true;
        std::copy(request.field, request.field + 3, choice.field);
    }
    if (request.type != TableRequest::Type::Automatic)
        choice.magnetic = request.type == TableRequest::Type::Magnetic;
    if (choice.magnetic)
        choice.dataScale = 1;
    choice.noData.insert(choice.noData.end(), request.noData.begin(), request.noData.end());
    return {};
}

std::string describeTableChoice(const TableChoice& choice, const std::vector<std::string>& names) {
    std::string text;
    for (int role = 0; role < RoleCount; ++role) {
        const int column = choice.column[role];
        if (role > 0)
            text += ", ";
        text += std::string(kRoleNames[role]) + "=";
        text += column >= 0 && column < static_cast<int>(names.size())
                    ? names[static_cast<size_t>(column)]
                    : std::string("none (0)");
    }
    return text;
}

std::string missingTableRoles(const TableChoice& choice) {
    std::string text;
    for (int role : {RoleEasting, RoleNorthing, RoleData})
        if (choice.column[role] < 0)
            text += std::string(text.empty() ? "" : ", ") + kRoleNames[role];
    return text;
}

} // namespace data
