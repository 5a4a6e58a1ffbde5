#include "commands/OpenCommand.h"

#include "data/CTESKAdatDoc.h"
#include "dialogs/CDlgLoadData.h"
#include "platform/MessageBox.h"
#include "platform/WaitCursor.h"

#include <filesystem>

namespace dialogs {
namespace {

// The document's file name without its folder, as the close question names it.
std::string documentFileName(const CTESKAdatDoc& doc) {
    const std::string name = std::filesystem::path(doc.GetPathName()).filename().string();
    return name.empty() ? std::string("Untitled") : name;
}

int runModally(CDlgLoadData& dialog) {
    return dialog.exec();
}

} // namespace

bool settleUnsavedChanges(CTESKAdatDoc& doc, const std::function<bool()>& save) {
    if (!doc.IsModified())
        return true;
    const int answer = AfxMessageBox("Save changes to " + documentFileName(doc) + "?",
                                     MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDNO)
        return true;
    if (answer == IDYES)
        return save && save();
    return false;
}

bool loadDataFiles(CTESKAdatDoc& doc, const std::string& observationPath,
                   const std::string& predictedPath) {
    const std::string previousData = doc.dataPath, previousPredicted = doc.predictedPath;
    const bool previousReady = doc.dataReady;
    doc.dataPath = observationPath;
    doc.predictedPath = predictedPath;
    doc.dataReady = false;

    platform::WaitCursor wait;
    if (!doc.readObservationFile(doc.dataPath)) {
        if (doc.readCancelled()) { // the table's dialog was cancelled: the open set stays
            doc.dataPath = previousData;
            doc.predictedPath = previousPredicted;
            doc.dataReady = previousReady;
        }
        return false;
    }
    if (!doc.predictedPath.empty())
        doc.readPredictedFile(doc.predictedPath);
    doc.dataReady = true;
    doc.UpdateAllViews(nullptr, HintNewData);
    doc.SetModifiedFlag(false);
    doc.reportLoadWarnings();
    return true;
}

bool runOpenCommand(CTESKAdatDoc& doc, QWidget* parent, const std::function<bool()>& save,
                    const LoadDialogRunner& runDialog) {
    if (!settleUnsavedChanges(doc, save))
        return false;

    CDlgLoadData dialog(parent);
    dialog.setPaths(doc.dataPath, doc.predictedPath);
    const int result = runDialog ? runDialog(dialog) : runModally(dialog);
    if (result != QDialog::Accepted)
        return false;
    return loadDataFiles(doc, dialog.observationPath(), dialog.predictedPath());
}

bool openDroppedFiles(CTESKAdatDoc& doc, QWidget* parent, const std::function<bool()>& save,
                      const std::string& observationPath, const std::string& predictedPath) {
    if (!settleUnsavedChanges(doc, save))
        return false;
    CDlgLoadData dialog(parent);
    dialog.setPaths(observationPath, predictedPath);
    if (!dialog.validateAndStore())
        return false;
    return loadDataFiles(doc, dialog.observationPath(), dialog.predictedPath());
}

} // namespace dialogs
