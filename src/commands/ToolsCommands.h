#pragma once
// The Tools menu: misfit statistics, diverging colours for the difference
// plots, the predicted data on the profile, and the profile's values out.

#include <functional>
#include <string>

class CommandTable;
class CTESKAdatView;
class QWidget;

// `misfitWindow` gives the frame's one misfit window (made on first use).
void registerToolsCommands(CommandTable& commands, CTESKAdatView& view, QWidget* window,
                           std::function<QWidget&()> misfitWindow);

namespace tools_commands {

// The file name offered for a profile of the data in `dataPath`.
std::string offeredProfileName(const std::string& dataPath);

} // namespace tools_commands
