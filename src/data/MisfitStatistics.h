#pragma once
// How well predicted data fit the observations: the figures an inversion is
// judged by, and the histogram of the normalised residuals
// (data - predicted) / error.

#include <array>
#include <string>

struct ObservationSet;

// The histogram of normalised residuals: bins of kResidualBinWidth from
// -kResidualLimit to +kResidualLimit, plus one bin each for the values beyond.
constexpr double kResidualLimit = 5.0;
constexpr double kResidualBinWidth = 0.25;
constexpr int kResidualBins = 40; // inner bins: 2 * kResidualLimit / kResidualBinWidth

struct MisfitStatistics {
    // Stations counted: error > 0 and data, predicted and error all finite.
    int stations = 0;
    // The others: error zero, negative or NaN, or a non-finite value.
    int withoutPositiveError = 0;

    // Over the counted stations, in data units (nT or mGal); NaN when
    // `stations` is 0.
    double rms = 0;               // sqrt(mean((data - predicted)^2))
    double bias = 0;              // mean(data - predicted)
    double chi2PerStation = 0;    // mean(((data - predicted) / error)^2), no unit
    int beyond2 = 0, beyond3 = 0; // |data - predicted| / error > 2, > 3
    double percentBeyond2 = 0;    // 100 * beyond2 / stations; 0 when stations is 0
    double percentBeyond3 = 0;
    double largestDifference = 0; // max |data - predicted|; NaN when stations is 0
    int largestStation = 0;       // its station number, 1-based file order; 0 = none

    // Counted stations by normalised residual r: bins[k] holds
    // -5 + 0.25 k <= r < -5 + 0.25 (k + 1) (the last bin also r = 5);
    // below: r < -5, above: r > 5.
    std::array<int, kResidualBins> bins{};
    int below = 0, above = 0;
};

// The figures of the first `count` stations of the parallel arrays. Sums are
// kept in long double, so ten million stations lose no visible digit.
MisfitStatistics computeMisfit(const double* data, const double* predicted, const double* error,
                               int count);
// The figures of a loaded set; all zero (stations 0) without predicted data.
MisfitStatistics computeMisfit(const ObservationSet& set);

// The figures as text lines, each ending in "\n":
//   misfit: %d stations, rms %.6g, bias %.6g, chi2/N %.6g
//   beyond 2 sigma: %d (%.1f%%), beyond 3 sigma: %d (%.1f%%)
//   largest difference: %.6g at station %d
//   stations without a positive error: %d   (only when there are any)
std::string misfitSummaryText(const MisfitStatistics& misfit);
