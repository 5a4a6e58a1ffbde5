#include "commands/TableCommands.h"

#include "data/CTESKAdatDoc.h"
#include "data/StationTable.h"
#include "dialogs/CDlgTableColumns.h"
#include "dialogs/FileDialogs.h"
#include "platform/CommandTable.h"
#include "platform/Resource.h"

#include <QFileInfo>

namespace {

// The data file's name with the table's extension, in the data file's folder.
QString offeredTableName(const CTESKAdatDoc& doc) {
    const QFileInfo data(QString::fromLocal8Bit(doc.dataPath.c_str()));
    if (data.fileName().isEmpty())
        return QStringLiteral("stations.csv");
    return data.absolutePath() + '/' + data.completeBaseName() + ".csv";
}

void exportStations(CTESKAdatDoc& doc, QWidget* window) {
    const QString path = dialogs::getSaveFileName(
        window, QStringLiteral("Export stations as CSV"), offeredTableName(doc),
        QStringLiteral("CSV files (*.csv);;All files (*)"));
    if (!path.isEmpty())
        data::exportStationTable(doc, path.toLocal8Bit().toStdString());
}

} // namespace

void registerTableCommands(CommandTable& commands, CTESKAdatDoc& doc, QWidget* window) {
    doc.tableChooser = [window](const data::TablePreview& preview, data::TableChoice& choice) {
        return dialogs::chooseTableColumnsInDialog(window, preview, choice);
    };
    commands.add(
        ID_TOOLS_EXPORT_STATIONS, [&doc, window] { exportStations(doc, window); },
        [&doc](CCmdUI& ui) { ui.Enable(doc.count > 0); });
}
