#pragma once

class CommandTable;
class CTESKAdatDoc;
class QWidget;

// The File, Edit and Options commands that act on the document: open, save,
// text editor, the value edits, downsampling and the log scale. Dialogs are
// parented to `window`.
void registerDocumentCommands(CommandTable& commands, CTESKAdatDoc& doc, QWidget* window);

// Saves the document where it was last read or saved, or asks for a name
// when it has none yet. True when the file was written.
bool saveDocument(CTESKAdatDoc& doc, QWidget* window);
