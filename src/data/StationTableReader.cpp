#include "data/StationTableReader.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <initializer_list>
#include <set>

namespace data {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string trimmed(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    std::string field = text.substr(begin, end - begin);
    if (field.size() >= 2 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
    return field;
}

std::string lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool isNumber(const std::string& text) {
    char* end = nullptr;
    std::strtod(text.c_str(), &end);
    return end != text.c_str() && *end == '\0';
}

bool isName(const std::string& field) {
    return !field.empty() && std::isalpha(static_cast<unsigned char>(field[0])) && !isNumber(field);
}

char delimiterOf(const std::string& line) {
    for (char candidate : {',', '\t', ';'})
        if (line.find(candidate) != std::string::npos)
            return candidate;
    return ' ';
}

// With blanks as delimiter, units in brackets after a blank belong to the
// name before them ("gz [mGal]").
std::vector<std::string> headerFields(const std::string& line, char delimiter) {
    std::vector<std::string> fields;
    for (std::string& field : splitTableFields(line, delimiter)) {
        const bool units = !field.empty() && (field[0] == '[' || field[0] == '(');
        if (delimiter == ' ' && units && !fields.empty())
            fields.back() += field;
        else
            fields.push_back(std::move(field));
    }
    return fields;
}

// The name without its units in brackets, in lower case; `units` gets them.
std::string bareName(const std::string& field, std::string& units) {
    const size_t open = field.find_first_of("[(");
    units = open == std::string::npos ? std::string() : field.substr(open);
    return lowered(trimmed(field.substr(0, open)));
}

bool oneOf(const std::string& name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&name](const char* n) { return name == n; });
}

} // namespace

std::vector<std::string> splitTableFields(const std::string& line, char delimiter) {
    std::vector<std::string> fields;
    if (delimiter == ' ') {
        size_t at = 0;
        while (at < line.size()) {
            while (at < line.size() && isBlank(line[at]))
                ++at;
            const size_t start = at;
            while (at < line.size() && !isBlank(line[at]))
                ++at;
            if (at > start)
                fields.push_back(trimmed(line.substr(start, at - start)));
        }
        return fields;
    }
    size_t start = 0;
    for (;;) {
        const size_t end = line.find(delimiter, start);
        fields.push_back(trimmed(line.substr(start, end - start)));
        if (end == std::string::npos)
            return fields;
        start = end + 1;
    }
}

bool isColumnHeader(const std::string& line) {
    const std::vector<std::string> fields = headerFields(line, delimiterOf(line));
    if (fields.empty() || !std::all_of(fields.begin(), fields.end(), isName))
        return false;
    if (fields.size() > 1)
        return true;
    // A single word: only a known column name makes it a header.
    TableColumns columns;
    readTableHeader(line, columns);
    return columns.easting >= 0 || columns.northing >= 0 || columns.value >= 0 ||
           columns.elevation >= 0 || columns.error >= 0;
}

std::string readTableHeader(const std::string& line, TableColumns& columns) {
    columns = TableColumns();
    columns.delimiter = delimiterOf(line);
    const std::vector<std::string> fields = headerFields(line, columns.delimiter);
    columns.fieldCount = static_cast<int>(fields.size());
    std::set<std::string> seen;
    for (int i = 0; i < columns.fieldCount; ++i) {
        std::string units;
        const std::string name = bareName(fields[i], units);
        if (!seen.insert(name).second)
            return "the column name \"" + name + "\" appears twice";
        int* role = nullptr;
        if (oneOf(name, {"x", "east", "easting", "e"}))
            role = &columns.easting;
        else if (oneOf(name, {"y", "north", "northing", "n"}))
            role = &columns.northing;
        else if (oneOf(name, {"z", "elev", "elevation", "height", "h"}))
            role = &columns.elevation;
        else if (oneOf(name,
                       {"data", "obs", "observed", "value", "gz", "grav", "tmi", "mag", "anomaly"}))
            role = &columns.value;
        else if (oneOf(name, {"err", "error", "sd", "std", "stdev", "sigma", "uncertainty"}))
            role = &columns.error;
        if (!role || *role >= 0)
            continue; // another name of a role already found counts as a plain column
        *role = i;
        if (role == &columns.value)
            columns.magnetic =
                name == "tmi" || name == "mag" || units.find("nT") != std::string::npos;
    }
    if (columns.easting < 0 || columns.northing < 0 || columns.value < 0)
        return "missing";
    return {};
}

} // namespace data
