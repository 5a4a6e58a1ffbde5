#pragma once
// The Tools menu's table commands: the stations out as a comma-separated table.

class CommandTable;
class CTESKAdatDoc;
class QWidget;

// Tools > Export stations as CSV ...; enabled while there are stations.
void registerTableCommands(CommandTable& commands, CTESKAdatDoc& doc, QWidget* window);
