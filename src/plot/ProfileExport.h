#pragma once
// Profile values out: the samples of the profile shown, as a CSV file.

#include "plot/ProfileTrace.h"

#include <string>
#include <vector>

class CTESKAdatView;

// The CSV text: the header "distance,easting,northing,observed,predicted",
// then one row per sample, numbers with "%.10g" (distance in metres from
// A), gaps as empty fields; the predicted column is empty throughout when
// `withPredicted` is false. Lines end in "\n".
std::string profileCsvText(const std::vector<ProfileSample>& samples, bool withPredicted);

// The samples of the view's profile line at the view's magnification, or
// with round ticks (or a profile step) those of the profile chart, with the
// document's predicted values when it has them.
std::vector<ProfileSample> viewProfileSamples(CTESKAdatView& view);

// Writes the view's profile to `path` through a temporary file that replaces
// it only when complete. A failure is reported in a message box and leaves
// no file behind (and an existing file unchanged); false then.
bool exportProfile(CTESKAdatView& view, const std::string& path);
