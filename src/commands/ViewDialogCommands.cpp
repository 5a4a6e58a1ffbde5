// The view's commands that run a display dialog: colour range, region,
// labels and colour map.

#include "commands/EditCommands.h"
#include "commands/ViewCommands.h"
#include "data/CTESKAdatDoc.h"
#include "dialogs/CDlgColourmap.h"
#include "dialogs/CDlgLabels.h"
#include "dialogs/CDlgRegion.h"
#include "dialogs/CMinMax.h"
#include "platform/CommandTable.h"
#include "platform/Resource.h"
#include "plot/CTESKAdatView.h"

namespace {

void runColourRange(CTESKAdatView& view) {
    CMinMax dialog(&view);
    dialog.setMainRange(view.mainMin, view.mainMax);
    const bool hasSecond = view.secondKind != PlotKind::None;
    if (hasSecond)
        dialog.setSecondRange(true, view.secondMin, view.secondMax);
    else
        dialog.setSecondRange(false);
    if (!dialogs::runModal(dialog))
        return;
    if (!dialog.requestsDataRanges()) {
        view.mainMin = dialog.mainMin();
        view.mainMax = dialog.mainMax();
        view.secondMin = dialog.secondMin();
        view.secondMax = dialog.secondMax();
    } else {
        view.mainMin = view.document().dataMin;
        view.mainMax = view.document().dataMax;
        if (hasSecond)
            view.rescanSecondRange();
    }
    view.invalidate();
}

void runRegion(CTESKAdatView& view) {
    CDlgRegion dialog(&view);
    dialog.setRegion(view.regionXMin, view.regionXMax, view.regionYMin, view.regionYMax);
    if (!dialogs::runModal(dialog))
        return;
    const CTESKAdatDoc& doc = view.document();
    // A region refused with its message (the stations' plot positions
    // overflow in so small a region) leaves the view with the one it had.
    if (dialog.requestsDataExtent())
        view.showRegion(doc.xMin, doc.xMax, doc.yMin, doc.yMax);
    else
        view.showRegion(dialog.x1(), dialog.x2(), dialog.y1(), dialog.y2());
}

void runLabels(CTESKAdatView& view) {
    CDlgLabels dialog(&view);
    dialog.setLabels(
        {view.mainLabel, view.secondLabel, view.unitsLabel, view.xAxisLabel, view.yAxisLabel});
    if (!dialogs::runModal(dialog))
        return;
    const PlotLabels& labels = dialog.labels();
    view.mainLabel = labels.main;
    view.secondLabel = labels.second;
    view.unitsLabel = labels.units;
    view.xAxisLabel = labels.xAxis;
    view.yAxisLabel = labels.yAxis;
    view.invalidate();
}

void runColourMap(CTESKAdatView& view) {
    CDlgColourmap dialog(&view);
    dialog.setColourMap(view.colourMapIndex, view.colourMapReversed);
    if (!dialogs::runModal(dialog))
        return;
    view.colourMapIndex = dialog.colourMapIndex();
    view.colourMapReversed = dialog.reversed();
    rebuildColourTable(view.colourMapIndex, view.colourMapReversed, view.colourTable);
    view.invalidate();
}

} // namespace

void registerViewDialogCommands(CommandTable& commands, CTESKAdatView& view) {
    commands.add(ID_OPTIONS_MIN_MAX, [&view] { runColourRange(view); });
    commands.add(
        ID_OPTIONS_REGION, [&view] { runRegion(view); },
        [&view](CCmdUI& ui) { ui.Enable(view.document().dataReady); });
    commands.add(ID_OPTIONS_LABELS, [&view] { runLabels(view); });
    commands.add(ID_VIEW_COLOURMAP, [&view] { runColourMap(view); });
}
