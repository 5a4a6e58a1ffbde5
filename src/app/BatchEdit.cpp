#include "app/BatchEdit.h"

#include "app/BatchInfo.h"
#include "app/CommandLine.h"
#include "data/CTESKAdatDoc.h"
#include "data/EditChecks.h"
#include "data/Random.h"
#include "data/StationTable.h"
#include "platform/MessageBox.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

using Kind = EditOption::Kind;

struct EditRule {
    const char* name;
    Kind kind;
    int reals;        // comma-separated reals in the value
    bool integer;     // the value is one integer
    const char* form; // what the value must look like, for messages
};

constexpr EditRule kEditRules[] = {
    {"--assign-errors", Kind::AssignErrors, 2, false, "PERCENT,MINIMUM"},
    {"--add-noise", Kind::AddNoise, 2, false, "PERCENT,MINIMUM"},
    {"--add-constant", Kind::AddConstant, 1, false, "a number"},
    {"--downsample", Kind::Downsample, 0, true, "an integer STEP"},
    {"--crop", Kind::Crop, 4, false, "X1,X2,Y1,Y2"},
    {"--log-scale", Kind::LogScale, 0, false, nullptr},
    {"--delete-station", Kind::Delete, 0, true, "a station number"},
};

// Splits "a,b,c" into exactly `expected` reals.
bool parseReals(const std::string& text, int expected, double* values) {
    size_t start = 0;
    for (int i = 0; i < expected; ++i) {
        const size_t comma = text.find(',', start);
        const bool last = i + 1 == expected;
        if (last != (comma == std::string::npos))
            return false;
        if (!data::parseReal(text.substr(start, comma - start), values[i]))
            return false;
        start = comma + 1;
    }
    return true;
}

bool parseSeed(const std::string& text, unsigned long& seed) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    const unsigned long long value = std::strtoull(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value > 0xFFFFFFFFull)
        return false;
    seed = static_cast<unsigned long>(value);
    return true;
}

// The value of the option at arguments[index], advancing past it; null
// (and line.error set) when the arguments end first or the value is empty.
const std::string* takeValue(CommandLine& line, const std::vector<std::string>& arguments,
                             size_t& index, const char* form) {
    if (index + 1 >= arguments.size() || arguments[index + 1].empty()) {
        if (line.error.empty())
            line.error = arguments[index] + " needs " + form + ".";
        return nullptr;
    }
    return &arguments[++index];
}

void refuseValue(CommandLine& line, const std::string& option, const std::string& value,
                 const char* form) {
    if (line.error.empty())
        line.error = option + " needs " + form + ", not \"" + value + "\".";
}

bool takeEdit(CommandLine& line, const EditRule& rule, const std::vector<std::string>& arguments,
              size_t& index) {
    EditOption edit{rule.kind, rule.name};
    if (rule.form) {
        const std::string* value = takeValue(line, arguments, index, rule.form);
        if (!value)
            return true;
        edit.text += " " + *value;
        const bool parsed = rule.integer ? data::parseInteger(*value, edit.number)
                                         : parseReals(*value, rule.reals, edit.values);
        if (!parsed) {
            refuseValue(line, rule.name, *value, rule.form);
            return true;
        }
    }
    line.edits.push_back(edit);
    return true;
}

// --- applying ---

int refuse(const EditOption& edit, const std::string& message) {
    AfxMessageBox(edit.text + ": " + message, MB_OK);
    return kBatchRefused;
}

int applyErrorEdit(CTESKAdatDoc& doc, const EditOption& edit, const CommandLine& line) {
    const double percent = edit.values[0], minimum = edit.values[1];
    if (const char* refusal = data::checkErrorValues(percent, minimum).message)
        return refuse(edit, refusal);
    if (edit.kind == Kind::AssignErrors)
        doc.assignStandardDeviation(percent, minimum);
    else
        doc.addGaussianNoise(percent, minimum, line.hasSeed ? line.seed : data::clockSeed());
    return kBatchOk;
}

int applyDownsample(CTESKAdatDoc& doc, const EditOption& edit) {
    if (!doc.canDownsample())
        return refuse(edit, "Downsample data needs more than 2 data.");
    if (const char* refusal = data::checkDownsampleStep(edit.number, doc.downsampleMaximum()))
        return refuse(edit, refusal);
    doc.downsample(edit.number);
    return kBatchOk;
}

int applyCrop(CTESKAdatDoc& doc, const EditOption& edit) {
    const double* v = edit.values;
    if (v[0] > v[1] || v[2] > v[3])
        return refuse(edit, "The region needs X1 <= X2 and Y1 <= Y2.");
    doc.cropToRegion(v[0], v[1], v[2], v[3]);
    return kBatchOk;
}

int applyDelete(CTESKAdatDoc& doc, const EditOption& edit) {
    if (edit.number < 1 || edit.number > doc.count)
        return refuse(edit,
                      "Station number must be between 1 and " + std::to_string(doc.count) + ".");
    doc.deleteStation(edit.number - 1);
    return kBatchOk;
}

int applyEdit(CTESKAdatDoc& doc, const EditOption& edit, const CommandLine& line) {
    const bool needsData = edit.kind != Kind::Downsample && edit.kind != Kind::Crop;
    if (needsData && doc.count <= 0)
        return refuse(edit, "No data left to edit.");
    switch (edit.kind) {
    case Kind::AssignErrors:
    case Kind::AddNoise:
        return applyErrorEdit(doc, edit, line);
    case Kind::AddConstant:
        doc.addConstant(edit.values[0]);
        return kBatchOk;
    case Kind::Downsample:
        return applyDownsample(doc, edit);
    case Kind::Crop:
        return applyCrop(doc, edit);
    case Kind::LogScale:
        if (!doc.toggleLogScale())
            return refuse(edit, "The log scale needs data greater than 0.");
        return kBatchOk;
    case Kind::Delete:
        return applyDelete(doc, edit);
    }
    return kBatchOk;
}

} // namespace

bool takeEditOption(CommandLine& line, const std::vector<std::string>& arguments, size_t& index) {
    const std::string& option = arguments[index];
    for (const EditRule& rule : kEditRules)
        if (option == rule.name)
            return takeEdit(line, rule, arguments, index);
    if (option == "--seed") {
        if (const std::string* value = takeValue(line, arguments, index, "a seed")) {
            unsigned long seed = 0;
            if (parseSeed(*value, seed)) {
                line.hasSeed = true;
                line.seed = static_cast<std::uint32_t>(seed);
            } else {
                refuseValue(line, option, *value, "a seed from 0 to 4294967295");
            }
        }
        return true;
    }
    if (option == "--export-csv") {
        if (const std::string* value = takeValue(line, arguments, index, "a file name"))
            line.exportCsvPath = *value;
        return true;
    }
    if (option == "--save") {
        if (const std::string* value = takeValue(line, arguments, index, "a file name")) {
            if (!line.savePath.empty() && line.error.empty())
                line.error = "--save may be given once.";
            line.savePath = *value;
        }
        return true;
    }
    return false;
}

int applyBatchEdits(CTESKAdatDoc& doc, const CommandLine& line) {
    if (!line.savePath.empty() && doc.inducingFieldMissing) {
        AfxMessageBox("a magnetic table needs --field I,D,F before it can be saved", MB_OK);
        return kBatchRefused;
    }
    for (const EditOption& edit : line.edits)
        if (const int status = applyEdit(doc, edit, line); status != kBatchOk)
            return status;
    if (!line.exportCsvPath.empty() && !data::exportStationTable(doc, line.exportCsvPath))
        return kBatchFailed;
    if (line.savePath.empty())
        return kBatchOk;
    if (!doc.canSave()) {
        AfxMessageBox("--save " + line.savePath + ": No data left to save.", MB_OK);
        return kBatchRefused;
    }
    return doc.OnSaveDocument(line.savePath) ? kBatchOk : kBatchFailed;
}

int runBatchEdit(const CommandLine& line) {
    CTESKAdatDoc doc;
    if (!openForBatch(doc, line))
        return kBatchFailed;
    if (const int status = applyBatchEdits(doc, line); status != kBatchOk)
        return status;
    if (line.mode == CommandLine::Mode::Info)
        std::fputs(describeDataSet(doc).c_str(), stdout);
    return kBatchOk;
}
