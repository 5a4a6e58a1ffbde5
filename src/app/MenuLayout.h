#pragma once
// The menu bar, toolbar and accelerator tables of the main window, as data.

#include <QKeySequence>
#include <vector>

struct MenuEntry {
    const char* menu;    // top-level menu title
    const char* submenu; // nullptr, or the submenu the item sits in
    const char* text;    // nullptr for a separator
    int id;
    const char* prompt; // status-bar text while highlighted; nullptr for none
};

struct ToolbarEntry {
    int id; // 0 for a separator
    const char* tooltip;
};

struct Accelerator {
    QKeySequence keys;
    int id;
};

const std::vector<MenuEntry>& menuLayout();
const std::vector<ToolbarEntry>& toolbarLayout();
const std::vector<Accelerator>& acceleratorTable();
// Keys that desktop programs share (save, quit, help), on actions of their
// own so that the menu items keep showing their own keys.
const std::vector<Accelerator>& desktopKeyTable();
