#include "commands/DocumentCommands.h"

#include "commands/EditCommands.h"
#include "commands/OpenCommand.h"
#include "data/CTESKAdatDoc.h"
#include "platform/CommandTable.h"
#include "platform/Resource.h"

bool saveDocument(CTESKAdatDoc& doc, QWidget* window) {
    if (doc.GetPathName().empty())
        return dialogs::OnFileSave(doc, window);
    return doc.DoSave(doc.GetPathName());
}

void registerDocumentCommands(CommandTable& commands, CTESKAdatDoc& doc, QWidget* window) {
    commands.add(ID_FILE_OPEN, [&doc, window] {
        dialogs::runOpenCommand(doc, window, [&doc, window] { return saveDocument(doc, window); });
    });
    commands.add(
        ID_FILE_SAVE_AS, [&doc, window] { dialogs::OnFileSave(doc, window); },
        [&doc](CCmdUI& ui) { ui.Enable(doc.canSave()); });
    commands.add(
        ID_FILE_TEXT_EDITOR, [&doc] { dialogs::OnTextEditor(doc); },
        [&doc](CCmdUI& ui) { ui.Enable(doc.canOpenTextEditor()); });

    const auto valuesEditable = [&doc](CCmdUI& ui) { ui.Enable(doc.canEditValues()); };
    commands.add(
        ID_EDIT_ASSIGN_ERROR, [&doc, window] { dialogs::OnAssignStandardDeviation(doc, window); },
        valuesEditable);
    commands.add(
        ID_EDIT_ADD_NOISE, [&doc, window] { dialogs::OnAddGaussianNoise(doc, window); },
        valuesEditable);
    commands.add(
        ID_EDIT_ADD_CONSTANT, [&doc, window] { dialogs::OnAddConstant(doc, window); },
        valuesEditable);
    commands.add(
        ID_EDIT_DOWNSAMPLE, [&doc, window] { dialogs::OnDownsample(doc, window); },
        [&doc](CCmdUI& ui) { ui.Enable(doc.canDownsample()); });
    commands.add(
        ID_OPTIONS_LOG_SCALE, [&doc] { dialogs::OnLogScale(doc); },
        [&doc](CCmdUI& ui) {
            ui.Enable(doc.canToggleLogScale());
            ui.SetCheck(doc.logScale);
        });
}
