#include "commands/ToolsCommands.h"

#include "data/CTESKAdatDoc.h"
#include "dialogs/FileDialogs.h"
#include "platform/CommandTable.h"
#include "platform/Resource.h"
#include "plot/CTESKAdatView.h"
#include "plot/ProfileExport.h"

#include <QWidget>
#include <filesystem>

namespace {

std::string askExportName(QWidget* parent, const std::string& offered) {
    const QString chosen =
        dialogs::getSaveFileName(parent, "Export profile", QString::fromLocal8Bit(offered.c_str()),
                                 "CSV files (*.csv);;All files (*)");
    return chosen.toLocal8Bit().toStdString();
}

bool isDifferenceKind(PlotKind kind) {
    return kind == PlotKind::Difference || kind == PlotKind::NormalizedDifference;
}

void toggleDivergingColours(CTESKAdatView& view) {
    view.divergingDifferences = !view.divergingDifferences;
    // A difference plot on show takes its new colours and range at once.
    if (isDifferenceKind(view.secondKind))
        view.showSecondKind(view.secondKind);
}

void toggleProfileWithPredicted(CTESKAdatView& view) {
    view.profileWithPredicted = !view.profileWithPredicted;
    if (view.secondKind == PlotKind::Profile)
        view.invalidate();
}

void exportShownProfile(CTESKAdatView& view, QWidget* window) {
    const std::string path =
        askExportName(window, tools_commands::offeredProfileName(view.document().dataPath));
    if (!path.empty())
        exportProfile(view, path);
}

} // namespace

namespace tools_commands {

std::string offeredProfileName(const std::string& dataPath) {
    if (dataPath.empty())
        return "profile.csv";
    std::filesystem::path offered(dataPath);
    offered.replace_filename(offered.stem().string() + "-profile.csv");
    return offered.string();
}

} // namespace tools_commands

void registerToolsCommands(CommandTable& commands, CTESKAdatView& view, QWidget* window,
                           std::function<QWidget&()> misfitWindow) {
    const CTESKAdatDoc& doc = view.document();
    const auto withPredicted = [&doc](CCmdUI& ui) { ui.Enable(doc.hasPredicted && doc.count > 0); };
    commands.add(
        ID_TOOLS_MISFIT,
        [misfitWindow] {
            QWidget& shown = misfitWindow();
            shown.show();
            shown.raise();
            shown.activateWindow();
        },
        withPredicted);
    commands.add(
        ID_TOOLS_DIVERGING, [&view] { toggleDivergingColours(view); },
        [&view](CCmdUI& ui) { ui.SetCheck(view.divergingDifferences); });
    commands.add(
        ID_TOOLS_PROFILE_PREDICTED, [&view] { toggleProfileWithPredicted(view); },
        [&view, withPredicted](CCmdUI& ui) {
            withPredicted(ui);
            ui.SetCheck(view.profileWithPredicted);
        });
    commands.add(
        ID_TOOLS_EXPORT_PROFILE, [&view, window] { exportShownProfile(view, window); },
        [&view, &doc](CCmdUI& ui) {
            ui.Enable(doc.dataReady && view.secondKind == PlotKind::Profile);
        });
}
