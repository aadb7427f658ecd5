#include "platform/command_table.h"

#include "platform/command_ids.h"

#include <unordered_map>

namespace {

const std::vector<CommandResource> kCommands = {
    // File
    {ID_FILE_NEW, "Create a new drawing", "New", "file_new"},
    {ID_FILE_OPEN, "Open an existing drawing", "Open", "file_open"},
    {ID_FILE_SAVE, "Save the active drawing", "Save", "file_save"},
    {ID_FILE_SAVE_AS, "Save the active drawing with a new name", "Save As", ""},
    {ID_FILE_SAVE_TO_GALLERY, "Save the selected figures to a gallery", "Save To Gallery", ""},
    {ID_FILE_PRINT, "Print the active drawing", "Print", "file_print"},
    {ID_FILE_PRINT_PREVIEW, "Display full pages", "Print Preview", ""},
    {ID_FILE_PRINT_SETUP, "Change the printer and printing options", "Print Setup", ""},
    {ID_FILE_MRU_FILE1, "Open this drawing", "", ""},
    {ID_FILE_MRU_FILE1 + 1, "Open this drawing", "", ""},
    {ID_FILE_MRU_FILE1 + 2, "Open this drawing", "", ""},
    {ID_FILE_MRU_FILE4, "Open this drawing", "", ""},
    {ID_FILE_CLOSE_AND_UPDATE, "Close & update document", "Close & update document", ""},
    {ID_FILE_CLOSE_WITHOUT_UPDATE, "Close without updating document",
     "Close without updating document", ""},
    {ID_APP_EXIT, "Quit the program", "Exit", ""},

    // Edit
    {ID_EDIT_UNDO, "Undo the last action", "Undo", "edit_undo"},
    {ID_EDIT_REDO, "Redo the previously undone action", "Redo", "edit_redo"},
    {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard", "Cut", "edit_cut"},
    {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard", "Copy", "edit_copy"},
    {ID_EDIT_PASTE, "Insert Clipboard contents", "Paste", "edit_paste"},
    {ID_EDIT_DELETE, "Delete the selection", "Delete", ""},
    {ID_EDIT_DUPLICATE, "Duplicate the selection", "Duplicate", ""},
    {ID_EDIT_SELECT_ALL, "Select every figure of the drawing", "Select All", ""},
    {ID_EDIT_GROUP, "Group the selected figures", "Group", "group"},
    {ID_EDIT_UNGROUP, "Split the selected group into its figures", "Ungroup", "ungroup"},
    {ID_EDIT_REFLECT_HORIZONTAL, "Reflect over horizontal", "Reflect over horizontal",
     "reflect_horizontal"},
    {ID_EDIT_REFLECT_VERTICAL, "Reflect over vertical", "Reflect over vertical",
     "reflect_vertical"},
    {ID_EDIT_REFLECT_Y_EQUALS_X, "Reflect over y = x", "Reflect over y = x", "reflect_y_x"},
    {ID_EDIT_REFLECT_Y_EQUALS_MINUS_X, "Reflect over y = -x", "Reflect over y = -x",
     "reflect_y_minus_x"},
    {ID_ROTATE_15_CLOCKWISE, "Rotate 15° Clockwise", "Rotate 15° Clockwise", "rotate_15_cw"},
    {ID_ROTATE_15_COUNTERCLOCKWISE, "Rotate 15° Counter-clockwise", "Rotate 15° Counter-clockwise",
     "rotate_15_ccw"},
    {ID_ROTATE_1_CLOCKWISE, "Rotate 1° Clockwise", "Rotate 1° Clockwise", "rotate_1_cw"},
    {ID_ROTATE_1_COUNTERCLOCKWISE, "Rotate 1° Counter-clockwise", "Rotate 1° Counter-clockwise",
     "rotate_1_ccw"},
    {ID_NUDGE_UP, "Move the selection up", "", ""},
    {ID_NUDGE_DOWN, "Move the selection down", "", ""},
    {ID_NUDGE_LEFT, "Move the selection left", "", ""},
    {ID_NUDGE_RIGHT, "Move the selection right", "", ""},
    {ID_NUDGE_UP_LARGE, "Move the selection up", "", ""},
    {ID_NUDGE_DOWN_LARGE, "Move the selection down", "", ""},
    {ID_NUDGE_LEFT_LARGE, "Move the selection left", "", ""},
    {ID_NUDGE_RIGHT_LARGE, "Move the selection right", "", ""},
    {ID_NUDGE_UP_SMALL, "Move the selection up", "", ""},
    {ID_NUDGE_DOWN_SMALL, "Move the selection down", "", ""},
    {ID_NUDGE_LEFT_SMALL, "Move the selection left", "", ""},
    {ID_NUDGE_RIGHT_SMALL, "Move the selection right", "", ""},
    {ID_VIEW_RECALC_LAYOUT, "Lay out the window again", "", ""},

    // Drawing tools
    {ID_DRAW_SELECT, "Select", "Select", "select"},
    {ID_DRAW_LINE, "Draw a line", "Draw a line", "line"},
    {ID_DRAW_ARROW_LINE, "Draw a default arrowline", "Draw a default arrowline", "arrow_line"},
    {ID_DRAW_CIRCLE_4C, "Draw a circle using four corners", "Draw a circle using four corners",
     "circle_4c"},
    {ID_DRAW_CIRCLE_CR, "Draws a circle from centre and point on the circumference",
     "Draws a circle from centre and point on the circumference", "circle_cr"},
    {ID_DRAW_CIRCLE_3P, "Draw a circle from three points on circumference",
     "Draw a circle from three points on circumference", "circle_3p"},
    {ID_DRAW_CIRCLE_D, "Draw a circle from diameter", "Draw a circle from diameter", "circle_d"},
    {ID_DRAW_RECTANGLE, "Draw a rectangle", "Draw a rectangle", "rectangle"},
    {ID_DRAW_ROUND_RECT, "Draws a rounded rectangle", "Draws a rounded rectangle", "round_rect"},
    {ID_DRAW_POINT, "Draws points", "Draws points", "point"},
    {ID_DRAW_SMOOTH_LINE, "Draws a smoothed line", "Draws a smoothed line", "smooth_line"},
    {ID_DRAW_POLYGON, "Draws a polygon", "Draws a polygon", "polygon"},
    {ID_DRAW_BEZIER, "Draws a Bezier curve", "Draws a Bezier curve", "bezier"},
    {ID_DRAW_ELLIPSE_4C, "Draws an ellipse given four corners",
     "Draws an ellipse given four corners", "ellipse_4c"},
    {ID_DRAW_ELLIPSE_AP, "Draws an ellipse given an axis and another point",
     "Draws an ellipse given an axis and another point", "ellipse_ap"},
    {ID_DRAW_ELLIPSE_FP, "Draws an ellipse given foci and another point",
     "Draws an ellipse given foci and another point", "ellipse_fp"},
    {ID_DRAW_ELLIPSE_4P, "Draws an ellipse given four points", "Draws an ellipse given four points",
     ""},
    {ID_DRAW_ARC_C2P, "Draws an arc given a centre point and start and finish points on the arc",
     "Draws an arc given a centre point and start and finish points on the arc", "arc_c2p"},
    {ID_DRAW_ARC_3P, "Draws an arc given start point, end point and another point on the arc",
     "Draws an arc given start point, end point and another point on the arc", "arc_3p"},
    {ID_DRAW_ARC_4P, "Draws an elliptical arc in a bounding rectangle",
     "Draws an elliptical arc in a bounding rectangle", "arc_4p"},
    {ID_DRAW_ANGLE_MARK, "Marks an angle", "Marks an angle", "angle_mark"},
    {ID_DRAW_TEXT, "Draw a text box", "Draw a text box", "text"},
    {ID_DRAW_EQUATION, "Draw an equation box", "Draw an equation box", "equation"},
    {ID_DRAW_GRAPH, "Draw a graph from a function", "Draw a graph from a function", "graph"},
    {ID_DRAW_STAT_GRAPH, "Draw a graph from data", "Draw a graph from data", "stat_graph"},
    {ID_DRAW_NUMBER_LINE, "Draws a number line", "Draws a number line", "number_line"},
    {ID_DRAW_NORMAL_CURVE, "Draws a normal distribution curve", "Draws a normal distribution curve",
     "normal_curve"},
    {ID_DRAW_VENN2, "Draws two circle Venn diagrams", "Draws two circle Venn diagrams", "venn2"},
    {ID_DRAW_VENN3, "Draws a three circle Venn diagram", "Draws a three circle Venn diagram",
     "venn3"},
    {ID_DRAW_GRID_DOT, "Draw Graph Paper and Dots", "Draw Graph Paper and Dots", "grid_dot"},
    {ID_DRAW_TRIANGLE, "Draws a triangle", "Draws a triangle", "triangle"},
    {ID_SELECT_GALLERY_FIGURE, "Select a gallery figure", "Select a gallery figure",
     "select_gallery"},
    {ID_DRAW_GALLERY_FIGURE, "Draws currently selected gallery figure",
     "Draws currently selected gallery figure", "gallery_figure"},

    // Line and fill styles; the combo boxes list the prompts
    {ID_LINE_STYLE_COMBO, "Change line type and thickness", "Change line type and thickness",
     "line_style"},
    {ID_FORMAT_LINE_COLOUR, "Change color of lines", "Change color of lines", "line_colour"},
    {ID_LINE_DOT, "Dotted Line", "Dotted Line", ""},
    {ID_LINE_SOLID, "Solid Line", "Solid Line", ""},
    {ID_LINE_DASH, "Dashed Line", "Dashed Line", ""},
    {ID_LINE_DASHDOT, "DashDot Line", "DashDot Line", ""},
    {ID_LINE_DASHDOTDOT, "DashDotDot Line", "DashDotDot Line", ""},
    {ID_LINE_HAIRLINE, "Hairline", "Hairline", ""},
    {ID_LINE_SOLID1, "Solid 1", "Solid 1", ""},
    {ID_LINE_SOLID2, "Solid 2", "Solid 2", ""},
    {ID_LINE_SOLID3, "Solid 3", "Solid 3", ""},
    {ID_LINE_SOLID4, "Solid 4", "Solid 4", ""},
    {ID_LINE_SOLID5, "Solid 5", "Solid 5", ""},
    {ID_LINE_SOLID6, "Solid 6", "Solid 6", ""},
    {ID_FILL_STYLE_COMBO, "Change fill pattern", "Change fill pattern", "fill_style"},
    {ID_FORMAT_FILL_COLOUR, "Change color of fills", "Change color of fills", "fill_colour"},
    {ID_FILL_NONE, "No fill", "No fill", ""},
    {ID_FILL_SOLID, "Solid Color", "Solid Color", ""},
    {ID_FILL_DIAGONAL, "Diagonal Fill", "Diagonal Fill", ""},
    {ID_FILL_REVERSE_DIAGONAL, "Reverse Diagonal Fill", "Reverse Diagonal Fill", ""},
    {ID_FILL_HORIZONTAL, "Horizontal Fill", "Horizontal Fill", ""},
    {ID_FILL_VERTICAL, "Vertical Fill", "Vertical Fill", ""},
    {ID_FILL_SQUARES, "Squares Fill", "Squares Fill", ""},
    {ID_FILL_DIAMOND, "Diamond Fill", "Diamond Fill", ""},

    // Stacking order
    {ID_BRING_TO_FRONT, "Bring the selection to the front", "Bring to Front", "bring_to_front"},
    {ID_BRING_FORWARD, "Bring the selection one step forward", "Bring Forward", "bring_forward"},
    {ID_SEND_BACKWARD, "Send the selection one step backward", "Send Backward", "send_backward"},
    {ID_SEND_TO_BACK, "Send the selection to the back", "Send to Back", "send_to_back"},

    // Mathematical-drawing level
    {ID_LEVEL_NONE, "No grid or mathematical drawing used.",
     "No grid or mathematical drawing used.", "level_none"},
    {ID_LEVEL_GRID_POINTS, "Grid Points Only", "Grid Points Only", "level_grid_points"},
    {ID_LEVEL_CUTOFF, "Advanced Mathematical Drawing with Cutoff Levels",
     "Advanced Mathematical Drawing with Cutoff Levels", "level_cutoff"},
    {ID_LEVEL_UNLIMITED, "Advanced Mathematical Drawing - Unlimited",
     "Advanced Mathematical Drawing - Unlimited", "level_unlimited"},

    // Tools
    {ID_TOOLS_GRID, "Set the background grid of this drawing", "Grid", ""},
    {ID_PREF_DECIMAL_POINT, "Choose the decimal mark of equations", "Decimal Point", ""},
    {ID_PREF_EQUATION_STYLES, "Choose how equations are set", "Equation Styles", ""},
    {ID_PREF_VECTORS, "Choose which letters are vectors", "Vectors", ""},
    {ID_PREF_GRAPH, "Set the defaults of new graphs", "Graph Preferences", ""},
    {ID_PREF_STATISTICS, "Select Statistic Preferences", "Statistics Preferences", ""},
    {ID_TOOLS_DIRECTORIES, "Choose the folders the program uses", "Directories", ""},
    {ID_CUSTOMIZE_TOOLBARS, "Show or hide toolbars", "Toolbars", ""},
    {ID_RESET_ALL_OPTIONS, "Set every option back to its default", "Reset All Options", ""},
    {ID_WRITE_DEF_FILE, "Write the options to the definition file", "Write DEFinition File", ""},
    {ID_WEB_SAVE_ALL, "Save diagram to a web graphic", "Save diagram to a web graphic",
     "web_save_all"},
    {ID_WEB_SAVE_SECTION, "Select part of diagram to save to web graphic",
     "Select part of diagram to save to web graphic", "web_save_section"},

    // Window
    {ID_WINDOW_CASCADE, "Arrange windows so they overlap", "Cascade Windows", ""},
    {ID_WINDOW_TILE_HORZ, "Arrange windows as non-overlapping tiles", "Tile Windows", ""},
    {ID_WINDOW_ARRANGE, "Arrange icons at the bottom of the window", "Arrange Icons", ""},

    // Help
    {ID_HELP_FILE, "Read the help file", "Help", "help_file"},
    {ID_READ_MANUAL, "Read the manual", "Read Manual", ""},
    {ID_READ_QUICK_REF, "Read the quick reference", "Read Quick Ref", ""},
    {ID_ABOUT_MAKER, "How to reach Varnholt Software", "About Varnholt", ""},
    {ID_APP_ABOUT, "Display program information, version number and copyright", "About", ""},
};

// Strings that are not commands.
const std::unordered_map<UINT, const char*>& PlainStrings() {
    static const std::unordered_map<UINT, const char*> strings = {
        {IDR_MAINFRAME, "Lumbrel V2"},
        {IDR_LUMBREL_TYPE,
         "\nLumbrel\nLumbrel V2\nLumbrel V2 Files (*.kw2)\n.kw2\nLumbrel200.Document\nLumbrel "
         "V2 Diagram"},
        {0xE000, "Lumbrel200"}, // 57344, the application and profile name
        // Line-end marks 10 to 24
        {34000, "No Arrowhead"},
        {34001, "Lines Arrowhead"},
        {34002, "Triangle Arrowhead"},
        {34003, "Chevron Arrowhead"},
        {34004, "Sector Arrowhead"},
        {34005, "Bar"},
        {34006, "Filled Circle"},
        {34007, "White Circle"},
        {34008, "Open Circle"},
        {34009, "Slash"},
        {34010, "Double Slash"},
        {34011, "Triple Slash"},
        {34012, "Double Line Arrowhead"},
        {34013, "Double Triangle Arrowhead"},
        {34014, "Double Chevron Arrowhead"},
        // Point marks
        {34015, "No point"},
        {34016, "'X' mark"},
        {34017, "'+' mark"},
        {34018, "Square mark"},
        {34019, "Circle mark"},
        {34020, "Diamond Mark"},
        {34021, "Dot"},
        {34022, "Asterisk"},
    };
    return strings;
}

const std::vector<MenuItemResource> kMenus = {
    {"File>New\tCtrl+N", ID_FILE_NEW},
    {"File>Open...\tCtrl+O", ID_FILE_OPEN},
    {"File>Save\tCtrl+S", ID_FILE_SAVE},
    {"File>Save As...", ID_FILE_SAVE_AS},
    {"File>Save To Gallery...\tCtrl+T", ID_FILE_SAVE_TO_GALLERY},
    {"File>-", 0},
    {"File>Print...\tCtrl+P", ID_FILE_PRINT},
    {"File>Print Preview", ID_FILE_PRINT_PREVIEW},
    {"File>Print Setup...", ID_FILE_PRINT_SETUP},
    {"File>-", 0},
    {"File>Recent File", ID_FILE_MRU_FILE1},
    {"File>-", 0},
    {"File>Close & update document", ID_FILE_CLOSE_AND_UPDATE},
    {"File>Close without updating document", ID_FILE_CLOSE_WITHOUT_UPDATE},
    {"File>-", 0},
    {"File>Exit", ID_APP_EXIT},

    {"Edit>Undo\tCtrl+Z", ID_EDIT_UNDO},
    {"Edit>Redo\tCtrl+Y", ID_EDIT_REDO},
    {"Edit>-", 0},
    {"Edit>Cut\tCtrl+X", ID_EDIT_CUT},
    {"Edit>Copy\tCtrl+C", ID_EDIT_COPY},
    {"Edit>Paste\tCtrl+V", ID_EDIT_PASTE},
    {"Edit>Delete\tDel", ID_EDIT_DELETE},
    {"Edit>Duplicate\tCtrl+D", ID_EDIT_DUPLICATE},
    {"Edit>Select All\tCtrl+A", ID_EDIT_SELECT_ALL},
    {"Edit>-", 0},
    {"Edit>Group\tCtrl+G", ID_EDIT_GROUP},
    {"Edit>Ungroup\tCtrl+H", ID_EDIT_UNGROUP},
    {"Edit>-", 0},
    {"Edit>Reflect over horizontal", ID_EDIT_REFLECT_HORIZONTAL},
    {"Edit>Reflect over vertical", ID_EDIT_REFLECT_VERTICAL},
    {"Edit>Reflect over y = x", ID_EDIT_REFLECT_Y_EQUALS_X},
    {"Edit>Reflect over y = -x", ID_EDIT_REFLECT_Y_EQUALS_MINUS_X},
    {"Edit>-", 0},
    {"Edit>Rotate 15° Clockwise\tCtrl+PgDown", ID_ROTATE_15_CLOCKWISE},
    {"Edit>Rotate 15° Counter-clockwise\tCtrl+PgUp", ID_ROTATE_15_COUNTERCLOCKWISE},
    {"Edit>Rotate 1° Clockwise\tCtrl+Shift+PgDown", ID_ROTATE_1_CLOCKWISE},
    {"Edit>Rotate 1° Counter-clockwise\tCtrl+Shift+PgUp", ID_ROTATE_1_COUNTERCLOCKWISE},

    {"Format>Line>Dot", ID_LINE_DOT},
    {"Format>Line>Dash", ID_LINE_DASH},
    {"Format>Line>DashDot", ID_LINE_DASHDOT},
    {"Format>Line>DashDotDot", ID_LINE_DASHDOTDOT},
    {"Format>Line>Hairline", ID_LINE_HAIRLINE},
    {"Format>Line>Solid 1", ID_LINE_SOLID1},
    {"Format>Line>Solid 2", ID_LINE_SOLID2},
    {"Format>Line>Solid 3", ID_LINE_SOLID3},
    {"Format>Line>Solid 4", ID_LINE_SOLID4},
    {"Format>Line>Solid 5", ID_LINE_SOLID5},
    {"Format>Line>Solid 6", ID_LINE_SOLID6},
    {"Format>Fill>None", ID_FILL_NONE},
    {"Format>Fill>Solid", ID_FILL_SOLID},
    {"Format>Fill>Diagonal", ID_FILL_DIAGONAL},
    {"Format>Fill>Reverse Diagonal", ID_FILL_REVERSE_DIAGONAL},
    {"Format>Fill>Horizontal", ID_FILL_HORIZONTAL},
    {"Format>Fill>Vertical", ID_FILL_VERTICAL},
    {"Format>Fill>Squares", ID_FILL_SQUARES},
    {"Format>Fill>Diamond", ID_FILL_DIAMOND},
    {"Format>-", 0},
    {"Format>Bring Forward", ID_BRING_FORWARD},
    {"Format>Bring to Front\tF6", ID_BRING_TO_FRONT},
    {"Format>Send Backward", ID_SEND_BACKWARD},
    {"Format>Send to Back\tShift+F6", ID_SEND_TO_BACK},

    {"Tools>Grid ...", ID_TOOLS_GRID},
    {"Tools>Preferences>Equations>Decimal Point ...", ID_PREF_DECIMAL_POINT},
    {"Tools>Preferences>Equations>Styles", ID_PREF_EQUATION_STYLES},
    {"Tools>Preferences>Equations>Vectors", ID_PREF_VECTORS},
    {"Tools>Preferences>Graph...", ID_PREF_GRAPH},
    {"Tools>Preferences>Statistics", ID_PREF_STATISTICS},
    {"Tools>Customize>Directories ...", ID_TOOLS_DIRECTORIES},
    {"Tools>Customize>Toolbars ...", ID_CUSTOMIZE_TOOLBARS},
    {"Tools>Customize>Reset All Options", ID_RESET_ALL_OPTIONS},
    {"Tools>Customize>Write DEFinition File", ID_WRITE_DEF_FILE},
    {"Tools>Web Graphics>Save All", ID_WEB_SAVE_ALL},
    {"Tools>Web Graphics>Save Section", ID_WEB_SAVE_SECTION},

    {"Window>Cascade", ID_WINDOW_CASCADE},
    {"Window>Tile", ID_WINDOW_TILE_HORZ},
    {"Window>Arrange Icons", ID_WINDOW_ARRANGE},

    {"Help>Read Help File\tF1", ID_HELP_FILE},
    {"Help>Read Manual (PDF)", ID_READ_MANUAL},
    {"Help>Read Quick Ref (PDF)", ID_READ_QUICK_REF},
    {"Help>-", 0},
    {"Help>About Varnholt", ID_ABOUT_MAKER},
    {"Help>About Lumbrel", ID_APP_ABOUT},
};

// The first key of a command is the one its menu item shows.
const std::vector<AcceleratorResource> kAccelerators = {
    {ID_FILE_NEW, "Ctrl+N"},
    {ID_FILE_OPEN, "Ctrl+O"},
    {ID_FILE_SAVE, "Ctrl+S"},
    {ID_FILE_SAVE_TO_GALLERY, "Ctrl+T"},
    {ID_FILE_PRINT, "Ctrl+P"},
    {ID_EDIT_UNDO, "Ctrl+Z"},
    {ID_EDIT_UNDO, "Alt+Backspace"},
    {ID_EDIT_REDO, "Ctrl+Y"},
    {ID_EDIT_CUT, "Ctrl+X"},
    {ID_EDIT_CUT, "Shift+Del"},
    {ID_EDIT_COPY, "Ctrl+C"},
    {ID_EDIT_COPY, "Ctrl+Ins"},
    {ID_EDIT_PASTE, "Ctrl+V"},
    {ID_EDIT_PASTE, "Shift+Ins"},
    {ID_EDIT_DELETE, "Del"},
    {ID_EDIT_DUPLICATE, "Ctrl+D"},
    {ID_EDIT_SELECT_ALL, "Ctrl+A"},
    {ID_EDIT_GROUP, "Ctrl+G"},
    {ID_EDIT_UNGROUP, "Ctrl+H"},
    {ID_ROTATE_15_CLOCKWISE, "Ctrl+PgDown"},
    {ID_ROTATE_15_COUNTERCLOCKWISE, "Ctrl+PgUp"},
    {ID_ROTATE_1_CLOCKWISE, "Ctrl+Shift+PgDown"},
    {ID_ROTATE_1_COUNTERCLOCKWISE, "Ctrl+Shift+PgUp"},
    {ID_BRING_TO_FRONT, "F6"},
    {ID_SEND_TO_BACK, "Shift+F6"},
    {ID_NUDGE_UP, "Up"},
    {ID_NUDGE_DOWN, "Down"},
    {ID_NUDGE_LEFT, "Left"},
    {ID_NUDGE_RIGHT, "Right"},
    {ID_NUDGE_UP_LARGE, "Ctrl+Up"},
    {ID_NUDGE_DOWN_LARGE, "Ctrl+Down"},
    {ID_NUDGE_LEFT_LARGE, "Ctrl+Left"},
    {ID_NUDGE_RIGHT_LARGE, "Ctrl+Right"},
    {ID_NUDGE_UP_SMALL, "Shift+Up"},
    {ID_NUDGE_DOWN_SMALL, "Shift+Down"},
    {ID_NUDGE_LEFT_SMALL, "Shift+Left"},
    {ID_NUDGE_RIGHT_SMALL, "Shift+Right"},
    {ID_VIEW_RECALC_LAYOUT, "Ctrl+2"},
    {ID_HELP_FILE, "F1"},
};

const std::vector<ToolBarResource> kToolBars = {
    {IDR_MAINFRAME,
     "Standard",
     {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0,
      ID_EDIT_UNDO, ID_EDIT_REDO, 0, ID_FILE_PRINT, 0, ID_HELP_FILE}},
    {IDR_PALETTE,
     "Draw Tools",
     {ID_DRAW_SELECT,
      ID_DRAW_LINE,
      ID_DRAW_ARROW_LINE,
      ID_DRAW_POINT,
      ID_DRAW_CIRCLE_4C,
      ID_DRAW_CIRCLE_CR,
      ID_DRAW_CIRCLE_3P,
      ID_DRAW_CIRCLE_D,
      ID_DRAW_RECTANGLE,
      ID_DRAW_ROUND_RECT,
      ID_DRAW_ELLIPSE_4C,
      ID_DRAW_ELLIPSE_AP,
      ID_DRAW_ELLIPSE_FP,
      ID_DRAW_ARC_C2P,
      ID_DRAW_ARC_3P,
      ID_DRAW_ARC_4P,
      ID_DRAW_ANGLE_MARK,
      ID_DRAW_SMOOTH_LINE,
      ID_DRAW_POLYGON,
      ID_DRAW_BEZIER,
      ID_DRAW_TEXT,
      ID_DRAW_EQUATION,
      ID_DRAW_GRAPH,
      ID_DRAW_STAT_GRAPH,
      ID_DRAW_NUMBER_LINE,
      ID_DRAW_NORMAL_CURVE,
      ID_DRAW_VENN2,
      ID_DRAW_VENN3,
      ID_DRAW_GRID_DOT,
      ID_DRAW_TRIANGLE,
      ID_SELECT_GALLERY_FIGURE,
      ID_DRAW_GALLERY_FIGURE}},
    {IDR_LINE_STYLE_BAR, "Line Style", {ID_FORMAT_LINE_COLOUR, ID_LINE_STYLE_COMBO}},
    {IDR_FILL_STYLE_BAR, "Fill Style", {ID_FORMAT_FILL_COLOUR, ID_FILL_STYLE_COMBO}},
    {IDR_LEVEL_BAR,
     "Drawing Level",
     {ID_LEVEL_NONE, ID_LEVEL_GRID_POINTS, ID_LEVEL_CUTOFF, ID_LEVEL_UNLIMITED}},
    {IDR_LAYOUT_BAR,
     "Layout",
     {ID_BRING_TO_FRONT, ID_BRING_FORWARD, ID_SEND_BACKWARD, ID_SEND_TO_BACK}},
    {IDR_ROTATE_BAR,
     "Rotate",
     {ID_ROTATE_15_COUNTERCLOCKWISE, ID_ROTATE_1_COUNTERCLOCKWISE, ID_ROTATE_1_CLOCKWISE,
      ID_ROTATE_15_CLOCKWISE}},
    {IDR_REFLECT_BAR,
     "Reflect",
     {ID_EDIT_REFLECT_HORIZONTAL, ID_EDIT_REFLECT_VERTICAL, ID_EDIT_REFLECT_Y_EQUALS_X,
      ID_EDIT_REFLECT_Y_EQUALS_MINUS_X}},
    {IDR_WEB_BAR, "Web Graphics", {ID_WEB_SAVE_ALL, ID_WEB_SAVE_SECTION}},
    {IDR_GROUP_BAR, "Group", {ID_EDIT_GROUP, ID_EDIT_UNGROUP}},
};

const std::unordered_map<UINT, const CommandResource*>& CommandIndex() {
    static const std::unordered_map<UINT, const CommandResource*> index = [] {
        std::unordered_map<UINT, const CommandResource*> map;
        for (const CommandResource& command : kCommands)
            map.emplace(command.id, &command);
        return map;
    }();
    return index;
}

} // namespace

const std::vector<CommandResource>& CommandResources() {
    return kCommands;
}

const CommandResource* FindCommandResource(UINT id) {
    auto it = CommandIndex().find(id);
    return it == CommandIndex().end() ? nullptr : it->second;
}

const std::vector<MenuItemResource>& MenuResources() {
    return kMenus;
}

const std::vector<AcceleratorResource>& AcceleratorResources() {
    return kAccelerators;
}

const std::vector<ToolBarResource>& ToolBarResources() {
    return kToolBars;
}

const ToolBarResource* FindToolBarResource(UINT id) {
    for (const ToolBarResource& bar : kToolBars)
        if (bar.id == id)
            return &bar;
    return nullptr;
}

QString LoadResourceString(UINT id) {
    if (const CommandResource* command = FindCommandResource(id))
        return QString::fromUtf8(command->prompt) + QLatin1Char('\n') +
               QString::fromUtf8(command->tooltip);
    // Sizes the status-text pane of the status bar.
    if (id == ID_INDICATOR_STATUS_TEXT)
        return QString(110, QLatin1Char('*'));
    auto it = PlainStrings().find(id);
    return it == PlainStrings().end() ? QString() : QString::fromUtf8(it->second);
}

QString CommandPrompt(UINT id) {
    const CommandResource* command = FindCommandResource(id);
    return command ? QString::fromUtf8(command->prompt) : QString();
}

QString CommandTooltip(UINT id) {
    const CommandResource* command = FindCommandResource(id);
    return command ? QString::fromUtf8(command->tooltip) : QString();
}

QString CommandIconPath(UINT id) {
    const CommandResource* command = FindCommandResource(id);
    if (!command || !*command->icon)
        return QString();
    return QStringLiteral(":/icons/%1.svg").arg(QString::fromUtf8(command->icon));
}
