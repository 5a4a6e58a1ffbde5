// The view's commands that run a display dialog: colour range, region,
// labels and colour map.

#include "CDlgColourmap.h"
#include "CDlgLabels.h"
#include "CDlgRegion.h"
#include "CMinMax.h"
#include "CTESKAdatDoc.h"
#include "CTESKAdatView.h"
#include "CommandTable.h"
#include "EditCommands.h"
#include "Resource.h"
#include "ViewCommands.h"

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
    const double previous[4] = {view.regionXMin, view.regionXMax, view.regionYMin, view.regionYMax};
    if (!dialog.requestsDataExtent()) {
        view.regionXMin = dialog.x1();
        view.regionXMax = dialog.x2();
        view.regionYMin = dialog.y1();
        view.regionYMax = dialog.y2();
    } else {
        view.regionXMin = doc.xMin;
        view.regionXMax = doc.xMax;
        view.regionYMin = doc.yMin;
        view.regionYMax = doc.yMax;
    }
    view.recomputeScale();
    if (!view.triangulate()) {
        // Refused with its message (the stations' plot positions overflow in
        // so small a region): the view goes on with the region it had.
        view.regionXMin = previous[0];
        view.regionXMax = previous[1];
        view.regionYMin = previous[2];
        view.regionYMax = previous[3];
        view.recomputeScale();
        view.triangulate();
    }
    view.secondKind = PlotKind::None;
    view.relayout();
    view.invalidate();
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
