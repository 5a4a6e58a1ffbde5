#pragma once
// Reading a line of real numbers as fast as the files of large surveys need,
// with exactly the acceptance and the values of the C library's
// sscanf(text, "%lf %lf ...").

#include <string_view>

namespace data {

// Does what sscanf(text, f, targets[0], ..., targets[count-1]) does, where
// f is "%lf" repeated `count` times with single spaces between: returns the
// number of values converted (EOF when the text ends, or holds only white
// space, before the first) and stores each converted value, leaving the
// other targets untouched. Plain decimal numbers separated by white space
// are converted here (correctly rounded, as the C library does); a line
// with anything else, or any line in a locale whose decimal separator is
// not a point, is handed to sscanf itself. 1 <= count <= 8 (else 0).
int scanReals(const char* text, double* const* targets, int count);

// One finite real that fills the whole of `text` (no blanks around it),
// with `decimalMark` ('.' or ',') as its decimal separator; the same
// conversion as scanReals in the classic locale, so both readers agree on
// every value. False (value untouched) for anything else.
bool scanReal(std::string_view text, char decimalMark, double& value);

// The plain decimal number (sign, digits with at most one `decimalMark`,
// exponent) at the start of [text, end), converted as scanReal converts it:
// the position after it, or null (value untouched) when there is none.
const char* scanPlainReal(const char* text, const char* end, char decimalMark, double& value);

} // namespace data
