#pragma once
// The values that the editing commands ask for: what each command remembers
// between runs of its dialog, the checks a dialog applies on OK (the same
// checks refuse the command-line options), and the parsing of typed numbers.

#include <string>

namespace data {

// Values last confirmed with OK, offered again by the next dialog of the
// same command; they live as long as the document (the run).
struct RememberedEditValues {
    double assignPercent = 0;
    double assignMinimum = 0;
    double noisePercent = 0;
    double noiseMinimum = 0;
    double constant = 0;
    int downsampleStep = 2;
};

// Which field of the error dialog a refusal is about (it takes the focus).
enum class ErrorField { None, Percent, Minimum };

struct ErrorValuesCheck {
    ErrorField field = ErrorField::None;
    const char* message = nullptr; // null: accepted
};

// Percent and minimum of the assign and noise commands: the minimum must be
// greater than 0, then the percent must not be negative. A percent of 0 is fine.
ErrorValuesCheck checkErrorValues(double percent, double minimum);

// The step of Downsample data: more than 1 and at most `maximum` (count / 2).
// Returns the refusal message, or null when the step is accepted.
const char* checkDownsampleStep(int step, int maximum);

// The framework-style refusals of text that is not a number.
inline constexpr const char* kEnterNumber = "Enter a number.";
inline constexpr const char* kEnterInteger = "Enter an integer.";

// A finite real in the classic form, blanks around it allowed. Infinities and
// NaN are refused: no command has a use for them and they would spread
// through every value they touch.
bool parseReal(const std::string& text, double& value);

// A decimal integer within the range of int, blanks around it allowed.
bool parseInteger(const std::string& text, int& value);

} // namespace data
