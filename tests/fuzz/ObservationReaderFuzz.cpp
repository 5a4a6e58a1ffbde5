// The observation file reader on arbitrary bytes: every read either succeeds
// with a consistent data set or fails leaving an empty one, a second read of
// the same file gives the same result, and a set that was read survives a
// save and a new read.

#include "FuzzSupport.h"
#include "data/CTESKAdatDoc.h"

#include <cmath>

namespace {

using fuzz::require;

// What two reads of the same bytes must agree on, NaN values included.
bool sameValue(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

void checkReadSet(const CTESKAdatDoc& doc, bool read) {
    require(!doc.hasPredicted, "a new read has no predicted data");
    if (!read) {
        require(doc.count == 0, "a failed read leaves no stations");
        require(!doc.IsModified(), "a failed read leaves nothing to save");
        return;
    }
    require(doc.count > 2, "a read set has more than 2 stations");
    for (const std::vector<double>* array : {&doc.x, &doc.y, &doc.elevation, &doc.data, &doc.error})
        require(array->size() >= static_cast<size_t>(doc.count), "arrays hold count entries");
    for (int i = 0; i < doc.count; ++i) {
        require(!(doc.x[i] < doc.xMin) && !(doc.x[i] > doc.xMax), "easting extents");
        require(!(doc.y[i] < doc.yMin) && !(doc.y[i] > doc.yMax), "northing extents");
        require(!(doc.data[i] < doc.dataMin) && !(doc.data[i] > doc.dataMax), "data extents");
    }
}

// Saves the set and reads the file back: the same stations, the same kind.
void checkSaveAndReread(CTESKAdatDoc& doc) {
    const std::string saved = fuzz::scratchDirectory() + "/saved.obs";
    require(doc.OnSaveDocument(saved), "a read set can be saved");
    CTESKAdatDoc again;
    require(again.readObservationFile(saved), "a saved set reads back");
    require(again.count == doc.count, "the saved count reads back");
    require(again.isMagnetic == doc.isMagnetic, "the saved kind reads back");
    for (int i = 0; i < doc.count; ++i)
        require(std::isnan(again.data[i]) == std::isnan(doc.data[i]), "NaN values read back");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceMessages();
    static fuzz::MemoryFile file;
    const std::string& path = file.write(data, size);

    CTESKAdatDoc doc;
    doc.dataPath = path;
    const bool first = doc.readObservationFile(path);
    checkReadSet(doc, first);
    const int firstCount = doc.count;
    const double firstValue = first ? doc.data[0] : 0;

    // The Open command reading another file into the same document.
    const bool second = doc.readObservationFile(path);
    checkReadSet(doc, second);
    require(first == second && doc.count == firstCount, "a second read gives the same result");
    if (first) {
        require(sameValue(doc.data[0], firstValue), "a second read gives the same values");
        checkSaveAndReread(doc);
    }
    return 0;
}
