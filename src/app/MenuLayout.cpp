#include "app/MenuLayout.h"

#include "platform/Resource.h"

const std::vector<MenuEntry>& menuLayout() {
    static const std::vector<MenuEntry> entries = {
        {"&File", nullptr, "&Open...\tCtrl+O", ID_FILE_OPEN, "Open a mag/grav data file"},
        {"&File", nullptr, "&Save...", ID_FILE_SAVE_AS, "Save the mag / grav data file"},
        {"&File", nullptr, "Text editor ...", ID_FILE_TEXT_EDITOR,
         "Open the current data file in a text editor."},
        {"&File", nullptr, nullptr, 0, nullptr},
        {"&File", nullptr, "E&xit", ID_APP_EXIT, "Quit the viewer"},

        {"&Edit", nullptr, "Assign standard deviation ...", ID_EDIT_ASSIGN_ERROR,
         "Assign standard deviation (errors) to the data."},
        {"&Edit", nullptr, "Add Gaussian noise ...", ID_EDIT_ADD_NOISE,
         "Contaminate the data by adding Gaussian noise."},
        {"&Edit", nullptr, "Add constant ...", ID_EDIT_ADD_CONSTANT, "Add a constant to the data."},
        {"&Edit", nullptr, nullptr, 0, nullptr},
        {"&Edit", nullptr, "Downsample data ...", ID_EDIT_DOWNSAMPLE, "Downsample data"},
        {"&Edit", nullptr, "Crop data", ID_EDIT_CROP, "Remove data outside current region."},
        {"&Edit", nullptr, nullptr, 0, nullptr},
        {"&Edit", nullptr, "&Copy", ID_EDIT_COPY, "Copy the image and put it on the Clipboard"},
        {"&Edit", nullptr, nullptr, 0, nullptr},
        {"&Edit", nullptr, "Undo\tCtrl+Z", ID_EDIT_UNDO, "Undo the last change"},
        {"&Edit", nullptr, "Redo\tCtrl+Y", ID_EDIT_REDO, "Redo the change last undone"},

        {"&View", nullptr, "Locations", ID_VIEW_LOCATIONS, "Display measurement locations."},
        {"&View", nullptr, "Errors", ID_VIEW_ERRORS, "Display errors"},
        {"&View", nullptr, "Predicted data", ID_VIEW_PREDICTED, "Display predicted data"},
        {"&View", nullptr, "Difference (normalized)", ID_VIEW_DIFFERENCE_NORMALIZED,
         "Display the difference between observed and predicted data"},
        {"&View", nullptr, "Difference (not normalized)", ID_VIEW_DIFFERENCE,
         "Display the difference between observed and predicted data (not normalized)"},
        {"&View", nullptr, "elevation", ID_VIEW_ELEVATION, "Plot the elevation."},
        {"&View", nullptr, nullptr, 0, nullptr},
        {"&View", nullptr, "Colormap ...", ID_VIEW_COLOURMAP, "Choose a new colourmap."},
        {"&View", "plotting method", "original", ID_METHOD_ORIGINAL, nullptr},
        {"&View", "plotting method", "gradient fill", ID_METHOD_GRADIENT_FILL, nullptr},
        {"&View", "plotting method", "circles", ID_METHOD_CIRCLES, "Plot coloured circles."},
        {"&View", "plotting method", "   inc. radius", ID_METHOD_INC_RADIUS, "Increase radius."},
        {"&View", "plotting method", "   dec. radius", ID_METHOD_DEC_RADIUS, "Decrease radius."},
        {"&View", "font", "decrease\t[Alt]-1", ID_FONT_DECREASE, nullptr},
        {"&View", "font", "increase\t[Alt]-2", ID_FONT_INCREASE, nullptr},
        {"&View", "arrangement", "vertical", ID_ARRANGE_VERTICAL,
         "2 plots are arranged vertically."},
        {"&View", "arrangement", "horizontal", ID_ARRANGE_HORIZONTAL,
         "2 plots are arranged horizontally."},
        {"&View", nullptr, nullptr, 0, nullptr},
        {"&View", nullptr, "magnify\t+", ID_VIEW_MAGNIFY, "Magnify the data plot"},
        {"&View", nullptr, "shrink\t-", ID_VIEW_SHRINK, "Shrink the data plot"},
        {"&View", nullptr, nullptr, 0, nullptr},
        {"&View", nullptr, "&Toolbar", ID_VIEW_TOOLBAR, "Show or hide the toolbar"},
        {"&View", nullptr, "&Status Bar", ID_VIEW_STATUS_BAR, "Show or hide the status bar"},

        {"&Options", nullptr, "Min / Max ...", ID_OPTIONS_MIN_MAX,
         "Set minimum and maximum values on the colourbar."},
        {"&Options", nullptr, "Region ...", ID_OPTIONS_REGION, "Select the region to view."},
        {"&Options", nullptr, "Labels ...", ID_OPTIONS_LABELS, "Change the default labels."},
        {"&Options", nullptr, "log scale", ID_OPTIONS_LOG_SCALE, "Display data on a log scale."},

        {"&Tools", nullptr, "Misfit statistics ...", ID_TOOLS_MISFIT,
         "Show the misfit figures and the histogram of normalised residuals."},
        {"&Tools", nullptr, "Diverging colours for differences", ID_TOOLS_DIVERGING,
         "Show the differences in blue, white and red, white at zero."},
        {"&Tools", nullptr, "Profile with predicted data", ID_TOOLS_PROFILE_PREDICTED,
         "Draw the predicted data along the profile too."},
        {"&Tools", nullptr, nullptr, 0, nullptr},
        {"&Tools", nullptr, "Round tick values", ID_TOOLS_ROUND_TICKS,
         "Label the axes and the colour bars at round values."},
        {"&Tools", nullptr, "Mask long triangles ...", ID_TOOLS_MASK_TRIANGLES,
         "Leave triangles with long edges unpainted, as between separate survey blocks."},
        {"&Tools", nullptr, nullptr, 0, nullptr},
        {"&Tools", nullptr, "Export picture ...", ID_TOOLS_EXPORT_PICTURE,
         "Write the picture of the plots to a PNG, SVG or PDF file."},
        {"&Tools", nullptr, "Export profile ...", ID_TOOLS_EXPORT_PROFILE,
         "Write the profile's samples to a CSV file."},
        {"&Tools", nullptr, "Export stations as CSV ...", ID_TOOLS_EXPORT_STATIONS,
         "Write the stations as a comma-separated table."},

        {"&Help", nullptr, "&About TESKA/PORLIN data viewer ...", ID_APP_ABOUT,
         "Display  TESKA/PORLIN data viewer information."},
    };
    return entries;
}

const std::vector<ToolbarEntry>& toolbarLayout() {
    static const std::vector<ToolbarEntry> entries = {
        {ID_EDIT_COPY, "Copy"},
        {0, nullptr},
        {ID_APP_ABOUT, "About"},
        {0, nullptr},
        {ID_VIEW_MAGNIFY, "magnify"},
        {ID_VIEW_SHRINK, "shrink"},
        {0, nullptr},
        {ID_VIEW_LOCATIONS, "locations"},
        {0, nullptr},
        {ID_VIEW_ERRORS, "errors"},
        {ID_VIEW_PREDICTED, "predicted data"},
        {ID_VIEW_DIFFERENCE_NORMALIZED, "normalized difference"},
        {ID_VIEW_DIFFERENCE, "difference"},
        {ID_VIEW_ELEVATION, "elevation"},
    };
    return entries;
}

const std::vector<Accelerator>& acceleratorTable() {
    static const std::vector<Accelerator> entries = {
        {QKeySequence(Qt::CTRL | Qt::Key_C), ID_EDIT_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_Insert), ID_EDIT_COPY},
        {QKeySequence(Qt::CTRL | Qt::Key_O), ID_FILE_OPEN},
        {QKeySequence(Qt::ALT | Qt::Key_1), ID_FONT_DECREASE},
        {QKeySequence(Qt::ALT | Qt::Key_2), ID_FONT_INCREASE},
        {QKeySequence(Qt::Key_Q), ID_METHOD_DEC_RADIUS},
        {QKeySequence(Qt::Key_W), ID_METHOD_INC_RADIUS},
        {QKeySequence(Qt::Key_Escape), ID_VIEW_RESET},
        {QKeySequence(Qt::Key_Plus), ID_VIEW_MAGNIFY},
        {QKeySequence(Qt::KeypadModifier | Qt::Key_Plus), ID_VIEW_MAGNIFY},
        {QKeySequence(Qt::Key_Minus), ID_VIEW_SHRINK},
        {QKeySequence(Qt::KeypadModifier | Qt::Key_Minus), ID_VIEW_SHRINK},
        {QKeySequence(Qt::CTRL | Qt::Key_Z), ID_EDIT_UNDO},
        {QKeySequence(Qt::CTRL | Qt::Key_Y), ID_EDIT_REDO},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), ID_EDIT_REDO},
    };
    return entries;
}

const std::vector<Accelerator>& desktopKeyTable() {
    static const std::vector<Accelerator> entries = {
        {QKeySequence(Qt::CTRL | Qt::Key_S), ID_FILE_SAVE_AS},
        {QKeySequence(Qt::CTRL | Qt::Key_Q), ID_APP_EXIT},
        {QKeySequence(Qt::Key_F1), ID_APP_ABOUT},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), ID_EDIT_COPY},
    };
    return entries;
}
