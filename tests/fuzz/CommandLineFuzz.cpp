// The argument parser on arbitrary argument lists (the input split at NUL
// bytes), then the parsed edits applied to a small data set in memory as a
// batch run applies them, without the save or the table export.

#include "FuzzSupport.h"
#include "app/BatchEdit.h"
#include "app/CommandLine.h"
#include "data/CTESKAdatDoc.h"

#include <cmath>

namespace {

using fuzz::require;

std::vector<std::string> splitArguments(const uint8_t* data, size_t size) {
    std::vector<std::string> arguments(1);
    for (size_t i = 0; i < size && arguments.size() <= 64; ++i) {
        if (data[i] == 0)
            arguments.emplace_back();
        else
            arguments.back() += static_cast<char>(data[i]);
    }
    return arguments;
}

void checkParsed(const CommandLine& line) {
    if (!line.error.empty())
        return;
    require(line.predictedPath.empty() || !line.observationPath.empty(),
            "a predicted file comes after an observation file");
    if (line.mode == CommandLine::Mode::Info || line.isBatchEdit())
        require(!line.observationPath.empty(), "--info and edits need an observation file");
    for (const EditOption& edit : line.edits)
        require(!edit.text.empty(), "every edit keeps its text for messages");
}

// Twelve stations on a 4 by 3 grid, with a zero and a negative value so that
// the log scale and the noise see awkward data.
void loadSet(CTESKAdatDoc& doc) {
    const int n = 12;
    doc.count = n;
    for (std::vector<double>* array : {&doc.x, &doc.y, &doc.elevation, &doc.data, &doc.error})
        array->assign(n, 0.0);
    for (int i = 0; i < n; ++i) {
        doc.x[i] = 100.0 * (i % 4);
        doc.y[i] = 50.0 * (i / 4);
        doc.data[i] = i - 1.0;
        doc.error[i] = 0.5;
    }
    doc.recomputeExtents();
    doc.dataReady = true;
}

void checkEditedSet(const CTESKAdatDoc& doc) {
    require(doc.count >= 0 && doc.count <= 12, "edits only remove stations");
    for (const std::vector<double>* array : {&doc.x, &doc.y, &doc.elevation, &doc.data, &doc.error})
        require(array->size() >= static_cast<size_t>(doc.count), "arrays hold count entries");
    for (int i = 0; i < doc.count; ++i)
        require(!(doc.x[i] < doc.xMin) && !(doc.x[i] > doc.xMax), "extents follow the edits");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::silenceMessages();
    const CommandLine parsed = parseCommandLine(splitArguments(data, size));
    checkParsed(parsed);
    if (!parsed.error.empty() || parsed.edits.empty())
        return 0;

    // Applied as a batch run applies them, without writing a file (a fuzzed
    // --save or --export-csv would write wherever the input names) and with
    // a fixed seed so that every run of an input is the same.
    CommandLine line = parsed;
    line.savePath.clear();
    line.exportCsvPath.clear();
    line.hasSeed = true;
    CTESKAdatDoc doc;
    loadSet(doc);
    const int status = applyBatchEdits(doc, line);
    require(status == kBatchOk || status == kBatchRefused, "edits without a save cannot fail");
    checkEditedSet(doc);
    return 0;
}
