// The predicted-data reader on arbitrary bytes against a loaded set: the
// first input byte chooses the set (magnetic or gravity, 3 to 32 stations),
// the rest is the predicted file. Whatever the file holds, the observed
// stations stay as they were and predicted data exist only after a complete read.

#include "FuzzSupport.h"
#include "data/CTESKAdatDoc.h"

namespace {

using fuzz::require;

void loadSet(CTESKAdatDoc& doc, bool magnetic, int count) {
    doc.count = count;
    doc.isMagnetic = magnetic;
    doc.dataPath = "loaded.obs";
    for (std::vector<double>* array : {&doc.x, &doc.y, &doc.elevation, &doc.data, &doc.error})
        array->assign(static_cast<size_t>(count), 0.0);
    for (int i = 0; i < count; ++i) {
        doc.x[i] = i % 7;
        doc.y[i] = i / 7;
        doc.data[i] = 10.0 + i;
    }
    doc.recomputeExtents();
    doc.dataReady = true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceMessages();
    static fuzz::MemoryFile file;
    fuzz::ByteReader input(data, size);
    const uint8_t choice = input.byte();
    const bool magnetic = (choice & 1) != 0;
    const int count = 3 + (choice >> 1) % 30;
    const std::string& path = file.write(input.rest(), input.remaining());

    CTESKAdatDoc doc;
    loadSet(doc, magnetic, count);
    const bool read = doc.readPredictedFile(path);
    require(read == doc.hasPredicted, "predicted data exist exactly after a complete read");
    require(doc.count == count && doc.isMagnetic == magnetic, "the observed set is unchanged");
    require(doc.data[count - 1] == 10.0 + (count - 1), "observed values are unchanged");
    if (read) {
        require(doc.predicted.size() >= static_cast<size_t>(count), "one value per station");
        // The edits that carry predicted values along must keep them paired.
        const double last = doc.predicted[count - 1];
        doc.deleteStation(0);
        require(doc.count == count - 1, "one station deleted");
        require(doc.predicted[count - 2] == last || last != last, "predicted values move along");
    }
    return 0;
}
