#include "commands/EditCommands.h"

#include "data/CTESKAdatDoc.h"
#include "data/Random.h"
#include "dialogs/CBaseConstDlg.h"
#include "dialogs/CDlgDownsample.h"
#include "dialogs/CDlgErr.h"
#include "platform/WaitCursor.h"

#include <QFileDialog>

namespace dialogs {
namespace {

SaveNameAsker& saveNameAsker() {
    static SaveNameAsker asker;
    return asker;
}

std::string askSaveName(QWidget* parent, const std::string& offered) {
    if (const SaveNameAsker& asker = saveNameAsker())
        return asker(parent, offered);
    const QString chosen =
        QFileDialog::getSaveFileName(parent, "Save As", QString::fromLocal8Bit(offered.c_str()));
    return chosen.toLocal8Bit().toStdString();
}

// Runs the error dialog preset with `percent` and `minimum`; on OK stores
// the confirmed values back and returns true.
bool askErrorValues(QWidget* parent, bool noiseMode, double& percent, double& minimum) {
    CDlgErr dialog(parent);
    dialog.m_noiseMode = noiseMode;
    dialog.m_percent = percent;
    dialog.m_minimum = minimum;
    if (!runModal(dialog))
        return false;
    percent = dialog.m_percent;
    minimum = dialog.m_minimum;
    return true;
}

} // namespace

SaveNameAsker setSaveNameAsker(SaveNameAsker asker) {
    SaveNameAsker previous = saveNameAsker();
    saveNameAsker() = std::move(asker);
    return previous;
}

void OnAssignStandardDeviation(CTESKAdatDoc& doc, QWidget* parent) {
    data::RememberedEditValues& remembered = doc.editValues;
    if (askErrorValues(parent, false, remembered.assignPercent, remembered.assignMinimum))
        doc.assignStandardDeviation(remembered.assignPercent, remembered.assignMinimum);
}

void OnAddGaussianNoise(CTESKAdatDoc& doc, QWidget* parent) {
    data::RememberedEditValues& remembered = doc.editValues;
    if (askErrorValues(parent, true, remembered.noisePercent, remembered.noiseMinimum))
        doc.addGaussianNoise(remembered.noisePercent, remembered.noiseMinimum, data::clockSeed());
}

void OnAddConstant(CTESKAdatDoc& doc, QWidget* parent) {
    CBaseConstDlg dialog(parent);
    dialog.m_constant = doc.editValues.constant;
    if (!runModal(dialog))
        return;
    doc.editValues.constant = dialog.m_constant;
    doc.addConstant(dialog.m_constant);
}

void OnDownsample(CTESKAdatDoc& doc, QWidget* parent) {
    CDlgDownsample dialog(parent);
    dialog.m_step = doc.editValues.downsampleStep;
    dialog.m_maximum = doc.downsampleMaximum();
    if (!runModal(dialog))
        return;
    doc.editValues.downsampleStep = dialog.m_step;
    doc.downsample(dialog.m_step);
}

void OnLogScale(CTESKAdatDoc& doc) {
    doc.toggleLogScale();
}

bool OnFileSave(CTESKAdatDoc& doc, QWidget* parent) {
    const std::string path = askSaveName(parent, doc.GetPathName());
    if (path.empty())
        return false;
    platform::WaitCursor busy;
    return doc.DoSave(path);
}

void OnTextEditor(CTESKAdatDoc& doc) {
    doc.OnTextEditor();
}

} // namespace dialogs
