#pragma once
// File > Open: asks which files to load in the Load Data dialog and loads them
// into the document.

#include <functional>
#include <string>

class CDlgLoadData;
class CTESKAdatDoc;
class QWidget;

namespace dialogs {

// Runs the Load Data dialog modally and returns its result code
// (QDialog::Accepted or Rejected). Replaceable so that tests can answer it.
using LoadDialogRunner = std::function<int(CDlgLoadData& dialog)>;

// The whole command. With unsaved edits it first asks "Save changes to %1?"
// (Yes runs `save`, and a failed save stops the command; No goes on; Cancel
// stops). Then the Load Data dialog, offering the paths of the previous load,
// and on OK loadDataFiles with the chosen paths. An empty `runDialog` runs the
// dialog with exec(). True when a new observation file was read.
bool runOpenCommand(CTESKAdatDoc& doc, QWidget* parent, const std::function<bool()>& save,
                    const LoadDialogRunner& runDialog = {});

// Files dropped onto the window: as the command with the Load Data dialog
// answered by these paths, its checks and messages included.
bool openDroppedFiles(CTESKAdatDoc& doc, QWidget* parent, const std::function<bool()>& save,
                      const std::string& observationPath, const std::string& predictedPath);

// False when the command must stop: the user cancelled the question or the
// save failed. True at once when the document holds no unsaved edits.
bool settleUnsavedChanges(CTESKAdatDoc& doc, const std::function<bool()>& save);

// Stores both paths in the document (they stay even if the load fails), clears
// dataReady and, under the wait cursor, reads the observation file and, when
// named, the predicted file (whose failure it reports itself without stopping
// the load); then dataReady, HintNewData to the views and the modified flag
// cleared. False (dataReady false, views not told) when the observation file
// could not be read; when the user cancelled a table's dialog, the paths
// and dataReady are back as they were and the open set stays shown.
bool loadDataFiles(CTESKAdatDoc& doc, const std::string& observationPath,
                   const std::string& predictedPath);

} // namespace dialogs
