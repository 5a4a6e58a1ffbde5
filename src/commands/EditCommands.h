#pragma once
// The document's File, Edit and Options commands with their dialogs, ready
// for the main frame's command table. Each handler takes the document and
// the window that parents its dialogs; the enable rules are the document's
// can...() functions, listed with each handler.

#include "dialogs/ModalDialog.h"

#include <QString>
#include <functional>
#include <string>

class CTESKAdatDoc;
class QDialog;
class QWidget;

namespace dialogs {

// Edit > Assign standard deviation ... (32776); enabled: doc.canEditValues().
void OnAssignStandardDeviation(CTESKAdatDoc& doc, QWidget* parent);
// Edit > Add Gaussian noise ... (32778); enabled: doc.canEditValues().
void OnAddGaussianNoise(CTESKAdatDoc& doc, QWidget* parent);
// Edit > Add constant ... (32779); enabled: doc.canEditValues().
void OnAddConstant(CTESKAdatDoc& doc, QWidget* parent);
// Edit > Downsample data ... (32804); enabled: doc.canDownsample().
void OnDownsample(CTESKAdatDoc& doc, QWidget* parent);
// Options > log scale (32795); enabled: doc.canToggleLogScale(); checked: doc.logScale.
void OnLogScale(CTESKAdatDoc& doc);
// File > Save... (57604); enabled: doc.canSave(). Asks for the file name,
// offering the document's absolute path name, and saves with DoSave.
// True when the file was written.
bool OnFileSave(CTESKAdatDoc& doc, QWidget* parent);
// File > Text editor ... (32808); enabled: doc.canOpenTextEditor().
void OnTextEditor(CTESKAdatDoc& doc);

// How the Save command asks for a file name: by default the platform's save
// dialog. Returns the chosen path, or an empty string on Cancel.
using SaveNameAsker = std::function<std::string(QWidget* parent, const std::string& offered)>;
SaveNameAsker setSaveNameAsker(SaveNameAsker asker);

} // namespace dialogs
