#pragma once
// The Tools commands for figures: Export picture ... (PNG, SVG or PDF at a
// chosen magnification), Round tick values and Mask long triangles ...

#include <string>

class CommandTable;
class CTESKAdatView;

void registerFigureCommands(CommandTable& commands, CTESKAdatView& view);

namespace figure_commands {

// Renders and writes the picture; every failure is reported in a message
// box. True when the file was written.
bool exportPicture(CTESKAdatView& view, const std::string& path, double magnification);

} // namespace figure_commands
