#include "commands/FigureCommands.h"

#include "commands/EditCommands.h"
#include "data/CTESKAdatDoc.h"
#include "dialogs/CDlgExportPicture.h"
#include "dialogs/CDlgMaskLength.h"
#include "platform/CommandTable.h"
#include "platform/MessageBox.h"
#include "platform/Resource.h"
#include "platform/WaitCursor.h"
#include "plot/CTESKAdatView.h"
#include "plot/CanvasLimits.h"
#include "plot/PictureExport.h"
#include "plot/TriangleMask.h"

#include <memory>

namespace figure_commands {

bool exportPicture(CTESKAdatView& view, const std::string& path, double magnification,
                   double widthCm, double fontPoints) {
    const std::optional<PictureFormat> format = pictureFormatForName(path);
    if (!format)
        return false;
    platform::WaitCursor wait;
    Picture picture;
    if (widthCm > 0 || fontPoints > 0) {
        const PrintSize size =
            printSizeFor(roundHalfAway(view.canvasWidth / view.magnification * magnification),
                         widthCm / 2.54, 0, fontPoints, *format);
        picture = renderPrintPicture(view, *format, size);
    } else {
        picture = renderPicture(view, *format, magnification);
    }
    if (picture.pixels.isNull()) {
        AfxMessageBox(
            canvasTooLargeText(picture.canvasSize.width(), picture.canvasSize.height(), "export") +
                " Choose a smaller magnification.",
            MB_ICONHAND);
        return false;
    }
    if (const std::string cause = writePictureFile(picture, path); !cause.empty()) {
        AfxMessageBox("Cannot write the picture to " + path + ": " + cause + ".", MB_ICONHAND);
        return false;
    }
    return true;
}

} // namespace figure_commands

namespace {

void registerExport(CommandTable& commands, CTESKAdatView& view) {
    // The file name is offered again for the rest of the run.
    auto lastPath = std::make_shared<std::string>();
    struct PrintFields {
        double widthCm = 0, fontPoints = 0;
    };
    auto last = std::make_shared<PrintFields>();
    commands.add(
        ID_TOOLS_EXPORT_PICTURE,
        [&view, lastPath, last] {
            CDlgExportPicture dialog(&view);
            dialog.m_path = *lastPath;
            dialog.m_magnification = view.magnification;
            dialog.m_widthCm = last->widthCm;
            dialog.m_fontPoints = last->fontPoints;
            if (!dialogs::runModal(dialog))
                return;
            *lastPath = dialog.m_path;
            *last = {dialog.m_widthCm, dialog.m_fontPoints};
            figure_commands::exportPicture(view, dialog.m_path, dialog.m_magnification,
                                           dialog.m_widthCm, dialog.m_fontPoints);
        },
        [&view](CCmdUI& ui) { ui.Enable(view.document().dataReady); });
}

void registerRoundTicks(CommandTable& commands, CTESKAdatView& view) {
    commands.add(
        ID_TOOLS_ROUND_TICKS,
        [&view] {
            view.roundTicks = !view.roundTicks;
            view.invalidate();
        },
        [&view](CCmdUI& ui) { ui.SetCheck(view.roundTicks); });
}

void registerMaskTriangles(CommandTable& commands, CTESKAdatView& view) {
    commands.add(
        ID_TOOLS_MASK_TRIANGLES,
        [&view] {
            CDlgMaskLength dialog(&view);
            dialog.m_length = view.maskLength;
            dialog.setLongestEdges(sortedLongestEdges(view, view.plotScale));
            if (!dialogs::runModal(dialog))
                return;
            view.maskLength = dialog.m_length;
            view.invalidate();
        },
        [&view](CCmdUI& ui) { ui.SetCheck(view.maskLength > 0); });
}

} // namespace

void registerFigureCommands(CommandTable& commands, CTESKAdatView& view) {
    registerExport(commands, view);
    registerRoundTicks(commands, view);
    registerMaskTriangles(commands, view);
}
