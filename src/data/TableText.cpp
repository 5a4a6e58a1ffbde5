#include "data/TableText.h"

#include "data/NumberScan.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace data {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string lowered(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return result;
}

void appendUtf8(std::string& out, unsigned long code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string fromUtf16(const std::string& bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size() / 2);
    const auto unit = [&bytes, bigEndian](size_t at) {
        const auto hi = static_cast<unsigned char>(bytes[bigEndian ? at : at + 1]);
        const auto lo = static_cast<unsigned char>(bytes[bigEndian ? at + 1 : at]);
        return static_cast<unsigned long>(hi << 8 | lo);
    };
    for (size_t at = 2; at + 1 < bytes.size(); at += 2) {
        unsigned long code = unit(at);
        if (code >= 0xD800 && code < 0xDC00 && at + 3 < bytes.size()) {
            const unsigned long low = unit(at + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        appendUtf8(out, code);
    }
    return out;
}

bool isNumberField(std::string_view field, char decimalMark) {
    double ignored = 0;
    return scanReal(field, decimalMark, ignored);
}

// With blanks as separator, units in brackets after a blank belong to the
// name before them ("gz [mGal]").
std::vector<std::string> headerNames(FieldSplitter& splitter, std::string_view line,
                                     char separator) {
    std::vector<std::string> names;
    for (std::string_view field : splitter.split(line, separator)) {
        const bool units = !field.empty() && (field[0] == '[' || field[0] == '(');
        if (separator == ' ' && units && !names.empty())
            names.back() += " " + std::string(field);
        else
            names.emplace_back(field);
    }
    if (names.size() > 1 && names.back().empty())
        names.pop_back();
    return names;
}

bool mostlyNames(const std::vector<std::string>& names) {
    const auto count = std::count_if(names.begin(), names.end(), [](const std::string& name) {
        return !name.empty() && !isNumberField(name, '.') && !isNumberField(name, ',');
    });
    return 2 * static_cast<size_t>(count) > names.size();
}

bool mostlyNumbers(const std::vector<std::string_view>& fields, char separator) {
    size_t numbers = 0, filled = 0;
    for (std::string_view field : fields) {
        if (isMissingField(field))
            continue;
        ++filled;
        if (isNumberField(field, '.') ||
            ((separator == ';' || separator == '\t') && isNumberField(field, ',')))
            ++numbers;
    }
    return numbers > 0 && 2 * numbers > filled;
}

bool isSkippedLine(std::string_view line) {
    return isBlankTableLine(line) || isTableCommentLine(line) || !surveyLineMarker(line).empty();
}

// The Excel "sep=X" line: its separator, or 0.
char excelSeparator(std::string_view line) {
    const std::string text = lowered(line);
    if (text.size() == 5 && text.compare(0, 4, "sep=") == 0)
        return text[4];
    return 0;
}

double numberAfter(const std::string& text, const char* word, bool& found) {
    const size_t at = text.find(word);
    if (at == std::string::npos) {
        found = false;
        return 0;
    }
    const char* start = text.c_str() + at + std::char_traits<char>::length(word);
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start)
        found = false;
    return value;
}

void readDeclaration(std::string_view line, TableLayout& layout) {
    std::string text = lowered(trimmed(line));
    if (text.empty() || text[0] != '!')
        return;
    text = std::string(trimmed(std::string_view(text).substr(1)));
    if (text.compare(0, 8, "magnetic") != 0)
        return;
    layout.declaredMagnetic = true;
    bool found = true;
    layout.declared[0] = numberAfter(text, "inclination", found);
    layout.declared[1] = numberAfter(text, "declination", found);
    layout.declared[2] = numberAfter(text, "field", found);
    layout.declaredField = found;
}

int nextContentLine(const std::vector<std::string_view>& lines, int after) {
    for (int i = after + 1; i < static_cast<int>(lines.size()); ++i)
        if (!isSkippedLine(lines[static_cast<size_t>(i)]))
            return i;
    return -1;
}

// The separator that splits header and row alike into the most fields; 0 when none does.
char bestSeparator(std::string_view header, std::string_view row, char forced) {
    FieldSplitter splitter;
    char best = 0;
    size_t bestCount = 1;
    for (char separator : {',', '\t', ';', ' '}) {
        if (forced && separator != forced)
            continue;
        const std::vector<std::string> names = headerNames(splitter, header, separator);
        if (names.size() <= bestCount || !mostlyNames(names))
            continue;
        std::vector<std::string_view>& fields = splitter.split(row, separator);
        if (fields.size() == names.size() + 1 && fields.back().empty())
            fields.pop_back();
        if (fields.size() == names.size() && mostlyNumbers(fields, separator)) {
            best = separator;
            bestCount = names.size();
        }
    }
    return best;
}

char fallbackSeparator(std::string_view header) {
    for (char candidate : {',', '\t', ';'})
        if (header.find(candidate) != std::string_view::npos)
            return candidate;
    return ' ';
}

char decimalMarkOf(const std::vector<std::string_view>& lines, const TableLayout& layout) {
    if (layout.separator != ';' && layout.separator != '\t')
        return '.';
    FieldSplitter splitter;
    int commas = 0, points = 0;
    int row = layout.headerLine;
    for (int checked = 0; checked < 20 && (row = nextContentLine(lines, row)) >= 0; ++checked) {
        for (std::string_view field :
             splitter.split(lines[static_cast<size_t>(row)], layout.separator)) {
            if (field.find(',') != std::string_view::npos && isNumberField(field, ','))
                ++commas;
            if (field.find('.') != std::string_view::npos && isNumberField(field, '.'))
                ++points;
        }
    }
    return commas > 0 && points == 0 ? ',' : '.';
}

constexpr int kHeaderSearchLines = 1000;

} // namespace

void decodeTableBytes(std::string& bytes) {
    const auto byte = [&bytes](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE)
        bytes = fromUtf16(bytes, false);
    else if (bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF)
        bytes = fromUtf16(bytes, true);
    else if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF)
        bytes.erase(0, 3);
}

bool isBlankTableLine(std::string_view line) {
    for (char c : line)
        if (!isBlank(c))
            return false;
    return true;
}

TableLineCursor::TableLineCursor(std::string_view text, size_t offset)
    : m_text(text), m_at(std::min(offset, text.size())),
      m_carriageReturns(text.find('\r') != std::string_view::npos) {}

bool TableLineCursor::next(std::string_view& line) {
    if (m_at >= m_text.size())
        return false;
    size_t end = m_carriageReturns ? m_text.find_first_of("\r\n", m_at) : m_text.find('\n', m_at);
    if (end == std::string_view::npos)
        end = m_text.size();
    line = m_text.substr(m_at, end - m_at);
    m_at = end + 1;
    if (end < m_text.size() && m_text[end] == '\r' && m_at < m_text.size() && m_text[m_at] == '\n')
        ++m_at;
    return true;
}

std::vector<std::string_view> splitTableLines(std::string_view text, size_t most) {
    std::vector<std::string_view> lines;
    TableLineCursor cursor(text);
    std::string_view line;
    while (lines.size() < most && cursor.next(line))
        lines.push_back(line);
    return lines;
}

// Fields without quotes: split at every separator, blanks around them trimmed.
void splitPlain(std::string_view line, char separator, std::vector<std::string_view>& fields) {
    const char* p = line.data();
    const char* const end = p + line.size();
    for (;;) {
        while (p < end && *p == ' ')
            ++p;
        const char* start = p;
        while (p < end && *p != separator)
            ++p;
        const char* last = p;
        while (last > start && (last[-1] == ' ' || last[-1] == '\t'))
            --last;
        fields.emplace_back(start, static_cast<size_t>(last - start));
        if (p >= end)
            return;
        ++p;
    }
}

std::vector<std::string_view>& FieldSplitter::split(std::string_view line, char separator) {
    m_fields.clear();
    m_unquotedAt.clear();
    const bool blanks = separator == ' ';
    if (!blanks && line.find('"') == std::string_view::npos) {
        splitPlain(line, separator, m_fields);
        return m_fields;
    }
    size_t at = 0;
    const size_t n = line.size();
    for (;;) {
        while (at < n && (line[at] == ' ' || (blanks && line[at] == '\t')))
            ++at;
        if (blanks && at >= n)
            break;
        if (at < n && line[at] == '"') {
            if (m_unquoted.size() <= m_unquotedAt.size())
                m_unquoted.emplace_back();
            std::string& text = m_unquoted[m_unquotedAt.size()];
            text.clear();
            for (++at; at < n; ++at) {
                if (line[at] != '"') {
                    text += line[at];
                } else if (at + 1 < n && line[at + 1] == '"') {
                    text += '"';
                    ++at;
                } else {
                    ++at;
                    break;
                }
            }
            while (at < n && !(blanks ? isBlank(line[at]) : line[at] == separator))
                text += line[at++];
            m_unquotedAt.push_back(static_cast<int>(m_fields.size()));
            m_fields.emplace_back();
        } else {
            size_t end = at;
            while (end < n && !(blanks ? isBlank(line[end]) : line[end] == separator))
                ++end;
            m_fields.push_back(trimmed(line.substr(at, end - at)));
            at = end;
        }
        if (at >= n)
            break;
        ++at; // past the separator
        if (!blanks && at >= n) {
            m_fields.emplace_back(); // the line ends in a separator: an empty last field
            break;
        }
    }
    for (size_t k = 0; k < m_unquotedAt.size(); ++k)
        m_fields[static_cast<size_t>(m_unquotedAt[k])] = m_unquoted[k];
    return m_fields;
}

namespace {

char firstNonBlank(std::string_view line) {
    for (char c : line)
        if (!isBlank(c))
            return c;
    return '\0';
}

} // namespace

bool isTableCommentLine(std::string_view line) {
    const char first = firstNonBlank(line);
    return first == '#' || first == '/' || first == '!';
}

std::string surveyLineMarker(std::string_view line) {
    const char first =
        static_cast<char>(std::tolower(static_cast<unsigned char>(firstNonBlank(line))));
    if (first != 'l' && first != 't')
        return {};
    const std::string_view text = trimmed(line);
    const size_t blank = text.find_first_of(" \t");
    if (blank == std::string_view::npos)
        return {};
    const std::string word = lowered(text.substr(0, blank));
    const std::string_view label = trimmed(text.substr(blank));
    if ((word != "line" && word != "tie") || label.empty() ||
        label.find_first_of(" \t,;\"") != std::string_view::npos)
        return {};
    return (word == "line" ? "Line " : "Tie ") + std::string(label);
}

bool isMissingField(std::string_view field) {
    if (field.size() > 3 ||
        (!field.empty() && (std::isdigit(static_cast<unsigned char>(field[0])) || field[0] == '-' ||
                            field[0] == '.')))
        return false;
    const std::string text = lowered(field);
    return text.empty() || text == "nan" || text == "na" || text == "n/a" || text == "*";
}

bool findTableLayout(const std::vector<std::string_view>& lines, TableLayout& layout,
                     int headerAt) {
    layout = TableLayout();
    char forced = 0;
    const int searched = std::min<int>(static_cast<int>(lines.size()), kHeaderSearchLines);
    for (int i = 0; i < searched; ++i) {
        const std::string_view line = lines[static_cast<size_t>(i)];
        if (trimmed(line).empty())
            continue;
        if (const char separator = excelSeparator(line); separator && !forced) {
            forced = separator;
            continue;
        }
        if (isTableCommentLine(line)) {
            readDeclaration(line, layout);
            continue;
        }
        if (!surveyLineMarker(line).empty() || (headerAt >= 0 && i != headerAt))
            continue;
        const int row = nextContentLine(lines, i);
        char separator =
            row >= 0 ? bestSeparator(line, lines[static_cast<size_t>(row)], forced) : 0;
        if (!separator && headerAt == i)
            separator = forced ? forced : fallbackSeparator(line);
        if (!separator)
            continue;
        FieldSplitter splitter;
        layout.separator = separator;
        layout.headerLine = i;
        layout.names = headerNames(splitter, line, separator);
        layout.decimalMark = decimalMarkOf(lines, layout);
        return true;
    }
    return false;
}

const std::vector<std::string_view>& splitTableRow(FieldSplitter& splitter, std::string_view line,
                                                   const TableLayout& layout) {
    std::vector<std::string_view>& fields = splitter.split(line, layout.separator);
    if (fields.size() == layout.names.size() + 1 && fields.back().empty())
        fields.pop_back();
    return fields;
}

} // namespace data
