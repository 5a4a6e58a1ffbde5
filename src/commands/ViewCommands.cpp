#include "commands/ViewCommands.h"

#include "data/CTESKAdatDoc.h"
#include "platform/CommandTable.h"
#include "platform/Resource.h"
#include "plot/CTESKAdatView.h"

namespace view_commands {

void toggleSecondKind(CTESKAdatView& view, int kind) {
    const PlotKind chosen = static_cast<PlotKind>(kind);
    if (view.secondKind == chosen) {
        view.secondKind = PlotKind::None;
        view.relayout();
        view.invalidate();
    } else {
        view.showSecondKind(chosen);
    }
}

} // namespace view_commands

namespace {

using namespace view_commands;

void registerZoom(CommandTable& commands, CTESKAdatView& view) {
    const CTESKAdatDoc& doc = view.document();
    commands.add(
        ID_VIEW_MAGNIFY,
        [&view] {
            view.magnification *= kMagnifyFactor;
            view.relayout();
            view.invalidate();
        },
        [&view, &doc](CCmdUI& ui) { ui.Enable(view.canvasWidth < 8000 && doc.dataReady); });
    commands.add(
        ID_VIEW_SHRINK,
        [&view] {
            view.magnification *= kShrinkFactor;
            view.relayout();
            view.invalidate();
        },
        [&view](CCmdUI& ui) { ui.Enable(view.canvasHeight > 50); });
    commands.add(ID_VIEW_RESET, [&view] {
        if (view.cancelGesture && view.cancelGesture())
            return; // Esc during a drag abandons the line and keeps the view
        view.magnification = kDefaultMagnification;
        view.secondKind = PlotKind::None;
        view.mouseMode = 0;
        view.relayout();
        view.invalidate();
    });
}

void registerSecondPlots(CommandTable& commands, CTESKAdatView& view) {
    const CTESKAdatDoc& doc = view.document();
    struct Toggle {
        int id;
        PlotKind kind;
        bool needsPredicted;
    };
    const Toggle toggles[] = {
        {ID_VIEW_ERRORS, PlotKind::Errors, false},
        {ID_VIEW_PREDICTED, PlotKind::Predicted, true},
        {ID_VIEW_DIFFERENCE_NORMALIZED, PlotKind::NormalizedDifference, true},
        {ID_VIEW_DIFFERENCE, PlotKind::Difference, true},
        {ID_VIEW_ELEVATION, PlotKind::Elevation, false},
    };
    for (const Toggle& toggle : toggles) {
        commands.add(
            toggle.id, [&view, toggle] { toggleSecondKind(view, static_cast<int>(toggle.kind)); },
            [&view, &doc, toggle](CCmdUI& ui) {
                ui.Enable(toggle.needsPredicted ? doc.hasPredicted : doc.dataReady);
                ui.SetCheck(view.secondKind == toggle.kind);
            });
    }
}

void registerPlotMethods(CommandTable& commands, CTESKAdatView& view) {
    const std::pair<int, PlotMethod> methods[] = {
        {ID_METHOD_ORIGINAL, PlotMethod::Original},
        {ID_METHOD_GRADIENT_FILL, PlotMethod::GradientFill},
        {ID_METHOD_CIRCLES, PlotMethod::Circles},
    };
    for (const auto& [id, method] : methods) {
        commands.add(
            id,
            [&view, method = method] {
                if (view.plotMethod != method) {
                    view.plotMethod = method;
                    view.invalidate();
                }
            },
            [&view, method = method](CCmdUI& ui) { ui.SetCheck(view.plotMethod == method); });
    }
    commands.add(
        ID_METHOD_INC_RADIUS,
        [&view] {
            ++view.circleRadius;
            view.invalidate();
        },
        [&view](CCmdUI& ui) {
            ui.Enable(view.plotMethod == PlotMethod::Circles && view.circleRadius < 200);
        });
    commands.add(
        ID_METHOD_DEC_RADIUS,
        [&view] {
            --view.circleRadius;
            view.invalidate();
        },
        [&view](CCmdUI& ui) {
            ui.Enable(view.plotMethod == PlotMethod::Circles && view.circleRadius > 1);
        });
    commands.add(
        ID_VIEW_LOCATIONS,
        [&view] {
            view.showLocations = !view.showLocations;
            view.invalidate();
        },
        [&view](CCmdUI& ui) {
            ui.Enable(view.plotMethod != PlotMethod::Circles);
            ui.SetCheck(view.showLocations);
        });
}

void registerFontAndArrangement(CommandTable& commands, CTESKAdatView& view) {
    commands.add(
        ID_FONT_DECREASE,
        [&view] {
            view.fontHeight -= 5;
            view.invalidate();
        },
        [&view](CCmdUI& ui) { ui.Enable(view.fontHeight > 5); });
    commands.add(
        ID_FONT_INCREASE,
        [&view] {
            view.fontHeight += 5;
            view.invalidate();
        },
        [&view](CCmdUI& ui) { ui.Enable(view.fontHeight < 200); });
    for (const bool vertical : {true, false}) {
        commands.add(
            vertical ? ID_ARRANGE_VERTICAL : ID_ARRANGE_HORIZONTAL,
            [&view, vertical] {
                if (view.arrangeVertical != vertical) {
                    view.arrangeVertical = vertical;
                    view.relayout();
                    view.invalidate();
                }
            },
            [&view, vertical](CCmdUI& ui) {
                ui.Enable(view.secondKind != PlotKind::None);
                ui.SetCheck(view.arrangeVertical == vertical);
            });
    }
}

void registerCopyAndCrop(CommandTable& commands, CTESKAdatView& view) {
    commands.add(ID_EDIT_COPY, [&view] { view.copyToClipboard(); });
    commands.add(
        ID_EDIT_CROP,
        [&view] {
            view.document().cropToRegion(view.regionXMin, view.regionXMax, view.regionYMin,
                                         view.regionYMax);
        },
        [&view](CCmdUI& ui) {
            ui.Enable(view.document().extendsBeyondRegion(view.regionXMin, view.regionXMax,
                                                          view.regionYMin, view.regionYMax));
        });
}

} // namespace

void registerViewCommands(CommandTable& commands, CTESKAdatView& view) {
    registerZoom(commands, view);
    registerSecondPlots(commands, view);
    registerPlotMethods(commands, view);
    registerFontAndArrangement(commands, view);
    registerCopyAndCrop(commands, view);
    registerViewDialogCommands(commands, view);
}
