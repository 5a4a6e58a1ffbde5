#pragma once
// The Tools commands for figures: Export picture ... (PNG, SVG or PDF at a
// chosen magnification), Round tick values and Mask long triangles ...

#include <string>

class CommandTable;
class CTESKAdatView;

void registerFigureCommands(CommandTable& commands, CTESKAdatView& view);

namespace figure_commands {

// Renders and writes the picture; every failure is reported in a message
// box. True when the file was written. A width (cm) or a text size (pt)
// above 0 sizes the picture for print (see renderPrintPicture).
bool exportPicture(CTESKAdatView& view, const std::string& path, double magnification,
                   double widthCm = 0, double fontPoints = 0);

} // namespace figure_commands
