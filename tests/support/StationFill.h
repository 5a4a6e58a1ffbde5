#pragma once
// Fills a document in memory as a successful read leaves it (elevation 100,
// error 0.05 unless set later), then announces the new data to its views.

#include "data/CTESKAdatDoc.h"

#include <utility>
#include <vector>

inline void fillStations(CTESKAdatDoc& doc, std::vector<double> x, std::vector<double> y,
                         std::vector<double> data) {
    const size_t n = x.size();
    doc.count = static_cast<int>(n);
    doc.x = std::move(x);
    doc.y = std::move(y);
    doc.data = std::move(data);
    doc.elevation.assign(n, 100.0);
    doc.error.assign(n, 0.05);
    doc.recomputeExtents();
    doc.dataReady = true;
}

inline void loadStations(CTESKAdatDoc& doc, std::vector<double> x, std::vector<double> y,
                         std::vector<double> data) {
    fillStations(doc, std::move(x), std::move(y), std::move(data));
    doc.UpdateAllViews(nullptr, HintNewData);
}
