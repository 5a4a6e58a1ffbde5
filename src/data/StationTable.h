#pragma once
// The stations as a comma-separated table, for spreadsheets and scripts.

#include "data/ObservationSet.h"

#include <string>

namespace data {

// The table's text: the header "easting,northing,elevation,data,error" (with
// ",predicted,difference,normalized_difference" while predicted data are
// loaded), then one row per station in file order, numbers printed "%.10g"
// in the classic locale. A normalised difference without a positive error
// is an empty field.
std::string stationTableCsv(const ObservationSet& set);

// Writes the table to `path`, replacing the file only once it is complete;
// on failure says so in a message box ("Error: <path>\ncould not be saved:
// <cause>.") and returns false.
bool exportStationTable(const ObservationSet& set, const std::string& path);

} // namespace data
