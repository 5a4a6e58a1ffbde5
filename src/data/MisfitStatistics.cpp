#include "data/MisfitStatistics.h"

#include "data/ObservationSet.h"
#include "data/TextFile.h"
#include "platform/Format.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool counted(double data, double predicted, double error) {
    return std::isfinite(data) && std::isfinite(predicted) && std::isfinite(error) && error > 0;
}

// A long double as a double, infinite beyond the double range.
double toDouble(long double value) {
    constexpr long double kLargest = std::numeric_limits<double>::max();
    if (value > kLargest)
        return std::numeric_limits<double>::infinity();
    if (value < -kLargest)
        return -std::numeric_limits<double>::infinity();
    return static_cast<double>(value);
}

// The bin of a finite normalised residual: -1 below the range, kResidualBins above it.
int binOf(long double normalised) {
    if (normalised < -kResidualLimit)
        return -1;
    if (normalised > kResidualLimit)
        return kResidualBins;
    const int bin = static_cast<int>((normalised + kResidualLimit) / kResidualBinWidth);
    return bin < kResidualBins ? bin : kResidualBins - 1;
}

void addToHistogram(MisfitStatistics& misfit, long double normalised) {
    const int bin = binOf(normalised);
    if (bin < 0)
        ++misfit.below;
    else if (bin >= kResidualBins)
        ++misfit.above;
    else
        ++misfit.bins[bin];
}

} // namespace

MisfitStatistics computeMisfit(const double* data, const double* predicted, const double* error,
                               int count) {
    MisfitStatistics misfit;
    long double sum = 0, sumOfSquares = 0, sumOfNormalisedSquares = 0;
    long double largest = -1;
    for (int i = 0; i < count; ++i) {
        if (!counted(data[i], predicted[i], error[i])) {
            ++misfit.withoutPositiveError;
            continue;
        }
        // In long double the difference of two finite doubles is finite.
        const long double difference = static_cast<long double>(data[i]) - predicted[i];
        const long double normalised = difference / error[i];
        ++misfit.stations;
        sum += difference;
        sumOfSquares += difference * difference;
        sumOfNormalisedSquares += normalised * normalised;
        const long double size = std::fabs(normalised);
        misfit.beyond2 += size > 2;
        misfit.beyond3 += size > 3;
        if (std::fabs(difference) > largest) {
            largest = std::fabs(difference);
            misfit.largestStation = i + 1;
        }
        addToHistogram(misfit, normalised);
    }
    if (misfit.stations == 0) {
        misfit.rms = misfit.bias = misfit.chi2PerStation = misfit.largestDifference = kNaN;
        return misfit;
    }
    const long double n = misfit.stations;
    misfit.rms = toDouble(std::sqrt(sumOfSquares / n));
    misfit.bias = toDouble(sum / n);
    misfit.chi2PerStation = toDouble(sumOfNormalisedSquares / n);
    misfit.percentBeyond2 = toDouble(100.0L * misfit.beyond2 / n);
    misfit.percentBeyond3 = toDouble(100.0L * misfit.beyond3 / n);
    misfit.largestDifference = toDouble(largest);
    return misfit;
}

MisfitStatistics computeMisfit(const ObservationSet& set) {
    const size_t n = static_cast<size_t>(set.count > 0 ? set.count : 0);
    if (!set.hasPredicted || set.data.size() < n || set.predicted.size() < n ||
        set.error.size() < n)
        return {};
    return computeMisfit(set.data.data(), set.predicted.data(), set.error.data(), set.count);
}

std::string misfitSummaryText(const MisfitStatistics& misfit) {
    // The window's Copy runs in the user's locale; the figures keep their points.
    data::ClassicNumericLocale classic;
    std::string text =
        formatString("misfit: %d stations, rms %.6g, bias %.6g, chi2/N %.6g\n", misfit.stations,
                     misfit.rms, misfit.bias, misfit.chi2PerStation);
    text +=
        formatString("beyond 2 sigma: %d (%.1f%%), beyond 3 sigma: %d (%.1f%%)\n", misfit.beyond2,
                     misfit.percentBeyond2, misfit.beyond3, misfit.percentBeyond3);
    text += formatString("largest difference: %.6g at station %d\n", misfit.largestDifference,
                         misfit.largestStation);
    if (misfit.withoutPositiveError > 0)
        text +=
            formatString("stations without a positive error: %d\n", misfit.withoutPositiveError);
    return text;
}
