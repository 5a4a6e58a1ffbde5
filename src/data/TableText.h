#pragma once
// The text of a table file as spreadsheets, GIS and survey software write
// it: its encoding and line ends, its fields, and where its header and rows
// are among comment, title, blank and survey-line marker lines.

#include <string>
#include <string_view>
#include <vector>

namespace data {

// Makes the bytes of a file UTF-8 text in place: a UTF-8 byte-order mark
// dropped, UTF-16 (little or big endian) with its byte-order mark
// converted; other bytes as they are.
void decodeTableBytes(std::string& bytes);

// Whether a table's line holds nothing but blanks.
bool isBlankTableLine(std::string_view line);

// Walks the lines of a text, each ending at CR, LF or CRLF (line ends not
// included), from a line's start.
class TableLineCursor {
public:
    explicit TableLineCursor(std::string_view text, size_t offset = 0);
    // The next line; false at the end of the text.
    bool next(std::string_view& line);

private:
    std::string_view m_text;
    size_t m_at;
    bool m_carriageReturns;
};

// The first `most` lines of `text`, as TableLineCursor gives them.
std::vector<std::string_view> splitTableLines(std::string_view text, size_t most);

// Splits lines into fields at `separator` (',', '\t', ';', or ' ' for runs
// of blanks and tabs), as RFC 4180 quotes them: a quoted field may hold the
// separator, line-end-free text and doubled quotes. Blanks around an
// unquoted field go. The views stay valid until the next split.
class FieldSplitter {
public:
    std::vector<std::string_view>& split(std::string_view line, char separator);

private:
    std::vector<std::string_view> m_fields;
    std::vector<std::string> m_unquoted; // the quoted fields' text, quotes resolved
    std::vector<int> m_unquotedAt;       // which field each of them is
};

// A comment line: its first non-blank character is '#', '/' or '!'.
bool isTableCommentLine(std::string_view line);

// A survey-line marker ("Line 10", "Tie 5", "LINE 3A"): the label it gives
// the rows after it ("Line 10"); empty for any other line.
std::string surveyLineMarker(std::string_view line);

// A field that stands for a missing value: empty, NaN, NA, N/A or *.
bool isMissingField(std::string_view field);

// Where the table is in its lines and how its rows are written.
struct TableLayout {
    char separator = ',';
    char decimalMark = '.';
    int headerLine = -1; // index into the lines; -1: none found
    std::vector<std::string> names;
    // From the first line "! magnetic, inclination I, declination D, field F nT"
    // that the CSV export writes.
    bool declaredMagnetic = false;
    bool declaredField = false;
    double declared[3] = {0, 0, 0}; // inclination, declination, field
};

// Finds the header: the first line, after an Excel "sep=X" line, comment,
// blank and marker lines, whose fields are mostly not numbers and after
// which the next row's fields mostly are; the separator that splits header
// and row alike into the most fields; a decimal comma when the separator
// is ';' or a tab and the rows write numbers so. With `headerAt` >= 0 that
// line is the header whatever follows it. False when there is no header.
bool findTableLayout(const std::vector<std::string_view>& lines, TableLayout& layout,
                     int headerAt = -1);

// The fields of a row as the layout splits them, a trailing empty field
// beyond the header's count (a separator at the end of every line) dropped.
const std::vector<std::string_view>& splitTableRow(FieldSplitter& splitter, std::string_view line,
                                                   const TableLayout& layout);

} // namespace data
