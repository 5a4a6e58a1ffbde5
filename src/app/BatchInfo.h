#pragma once

#include <string>

class CTESKAdatDoc;

// A short, human-readable summary of a loaded data set.
std::string describeDataSet(const CTESKAdatDoc& doc);
