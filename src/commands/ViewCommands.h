#pragma once
// The view's menu commands, keys and toolbar buttons: magnification, second
// plots, plotting method, font, arrangement, reset and crop. Each changes the
// view state and repaints; each has its enable and check rule.

class CommandTable;
class CTESKAdatView;

void registerViewCommands(CommandTable& commands, CTESKAdatView& view);
// The commands that run the colour range, region, labels and colour map dialogs.
void registerViewDialogCommands(CommandTable& commands, CTESKAdatView& view);

namespace view_commands {

// The magnification steps of magnify and shrink.
constexpr double kMagnifyFactor = 1.1;
constexpr double kShrinkFactor = 0.9090909090909091;
constexpr double kDefaultMagnification = 0.3;

// Second-plot toggle: the kind shown is switched off, another kind replaces it.
void toggleSecondKind(CTESKAdatView& view, int kind);

} // namespace view_commands
