#pragma once
// The stations as a comma-separated table, for spreadsheets and scripts.

#include "data/ObservationSet.h"

#include <string>

namespace data {

// The table's text: for magnetic data a first line "! magnetic, inclination
// I, declination D, field F nT" ("! magnetic" when the field is not known); the header
// "easting,northing,elevation, data,error" (with ",line" when the stations have survey lines, then
// ",predicted,difference,normalized_difference" while predicted data are
// loaded); then one row per station in file order, each number with the
// fewest digits that read back as the same double. A normalised difference
// without a positive error is an empty field.
std::string stationTableCsv(const ObservationSet& set);

// Writes the table to `path`, replacing the file only once it is complete;
// on failure says so in a message box ("Error: <path>\ncould not be saved:
// <cause>.") and returns false.
// Appends `value` with the fewest significant digits that read back as the
// same double (classic locale).
void appendShortestNumber(std::string& row, double value);

bool exportStationTable(const ObservationSet& set, const std::string& path);

} // namespace data
