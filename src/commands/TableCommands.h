#pragma once
// The Tools menu's table commands: the stations out as a comma-separated table.

class CommandTable;
class CTESKAdatDoc;
class QWidget;

// Tools > Export stations as CSV ...; enabled while there are stations.
// Tables opened in the window are read as the "Table columns" dialog says.
void registerTableCommands(CommandTable& commands, CTESKAdatDoc& doc, QWidget* window);
