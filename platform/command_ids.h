#pragma once
// Numeric ids of every menu, toolbar and accelerator command.  Drawing files
// store the drawing-tool ids as figure types and the line and fill ids as
// styles, so these numbers never change.  Kept at the bottom layer so that
// settings, figures and tests name the ids instead of repeating numbers.
#include "platform/win_types.h"

// File
constexpr UINT ID_FILE_NEW = 0xE100;           // 57600
constexpr UINT ID_FILE_OPEN = 0xE101;          // 57601
constexpr UINT ID_FILE_SAVE = 0xE103;          // 57603
constexpr UINT ID_FILE_SAVE_AS = 0xE104;       // 57604
constexpr UINT ID_FILE_PRINT_SETUP = 0xE106;   // 57606
constexpr UINT ID_FILE_PRINT = 0xE107;         // 57607
constexpr UINT ID_FILE_PRINT_PREVIEW = 0xE109; // 57609
constexpr UINT ID_FILE_MRU_FILE1 = 0xE110;     // 57616, then one id per recent file
constexpr UINT ID_FILE_MRU_FILE4 = 0xE113;
constexpr UINT ID_FILE_SAVE_TO_GALLERY = 32903;
constexpr UINT ID_FILE_CLOSE_AND_UPDATE = 32847;
constexpr UINT ID_FILE_CLOSE_WITHOUT_UPDATE = 32848;
constexpr UINT ID_APP_EXIT = 0xE141; // 57665

// Edit
constexpr UINT ID_EDIT_COPY = 0xE122;       // 57634
constexpr UINT ID_EDIT_CUT = 0xE123;        // 57635
constexpr UINT ID_EDIT_PASTE = 0xE125;      // 57637
constexpr UINT ID_EDIT_SELECT_ALL = 0xE12A; // 57642
constexpr UINT ID_EDIT_UNDO = 0xE12B;       // 57643
constexpr UINT ID_EDIT_REDO = 0xE12C;       // 57644
constexpr UINT ID_EDIT_DELETE = 32775;
constexpr UINT ID_EDIT_DUPLICATE = 32934;
constexpr UINT ID_EDIT_GROUP = 32778;
constexpr UINT ID_EDIT_UNGROUP = 32779;
constexpr UINT ID_EDIT_REFLECT_HORIZONTAL = 32917;
constexpr UINT ID_EDIT_REFLECT_VERTICAL = 32918;
constexpr UINT ID_EDIT_REFLECT_Y_EQUALS_X = 32919;
constexpr UINT ID_EDIT_REFLECT_Y_EQUALS_MINUS_X = 32921;
constexpr UINT ID_ROTATE_15_CLOCKWISE = 32780;
constexpr UINT ID_ROTATE_15_COUNTERCLOCKWISE = 32781;
constexpr UINT ID_ROTATE_1_CLOCKWISE = 32782;
constexpr UINT ID_ROTATE_1_COUNTERCLOCKWISE = 32783;
constexpr UINT ID_CANCEL_EDIT_SRVR = 32769; // Escape while embedded and active in place

// Keyboard nudges of the selection
constexpr UINT ID_NUDGE_UP = 32784;
constexpr UINT ID_NUDGE_DOWN = 32785;
constexpr UINT ID_NUDGE_LEFT = 32786;
constexpr UINT ID_NUDGE_RIGHT = 32787;
constexpr UINT ID_NUDGE_RIGHT_LARGE = 32883;
constexpr UINT ID_NUDGE_RIGHT_SMALL = 32884;
constexpr UINT ID_NUDGE_UP_LARGE = 32885;
constexpr UINT ID_NUDGE_UP_SMALL = 32886;
constexpr UINT ID_NUDGE_DOWN_LARGE = 32887;
constexpr UINT ID_NUDGE_DOWN_SMALL = 32888;
constexpr UINT ID_NUDGE_LEFT_LARGE = 32889;
constexpr UINT ID_NUDGE_LEFT_SMALL = 32890;

// View
constexpr UINT ID_VIEW_RECALC_LAYOUT = 32899;

// Drawing tools: each id is also the type of the figure it draws.
constexpr UINT ID_TOOL_GROUP = 32700; // figure type only, no command
constexpr UINT ID_DRAW_LINE = 32771;
constexpr UINT ID_DRAW_CIRCLE_4C = 32772;
constexpr UINT ID_DRAW_RECTANGLE = 32773;
constexpr UINT ID_DRAW_SELECT = 32774;
constexpr UINT ID_DRAW_CIRCLE_CR = 32789;
constexpr UINT ID_DRAW_CIRCLE_3P = 32790;
constexpr UINT ID_DRAW_CIRCLE_D = 32791;
constexpr UINT ID_DRAW_POINT = 32843;
constexpr UINT ID_DRAW_SMOOTH_LINE = 32846;
constexpr UINT ID_DRAW_POLYGON = 32849;
constexpr UINT ID_DRAW_BEZIER = 32850;
constexpr UINT ID_DRAW_ROUND_RECT = 32852;
constexpr UINT ID_DRAW_ELLIPSE_4C = 32853;
constexpr UINT ID_DRAW_ELLIPSE_AP = 32854;
constexpr UINT ID_DRAW_ELLIPSE_FP = 32855;
constexpr UINT ID_DRAW_ELLIPSE_4P = 32856; // no button, menu item or key sends it
constexpr UINT ID_DRAW_ARC_C2P = 32857;
constexpr UINT ID_DRAW_ARC_3P = 32859;
constexpr UINT ID_DRAW_ARC_4P = 32860;
constexpr UINT ID_DRAW_ANGLE_MARK = 32861;
constexpr UINT ID_DRAW_TEXT = 32862;
constexpr UINT ID_DRAW_EQUATION = 32863;
constexpr UINT ID_DRAW_GRAPH = 32864;
constexpr UINT ID_DRAW_STAT_GRAPH = 32865;
constexpr UINT ID_DRAW_NORMAL_CURVE = 32866;
constexpr UINT ID_DRAW_VENN2 = 32867;
constexpr UINT ID_DRAW_VENN3 = 32868;
constexpr UINT ID_DRAW_NUMBER_LINE = 32871;
constexpr UINT ID_DRAW_GALLERY_FIGURE = 32895;
constexpr UINT ID_SELECT_GALLERY_FIGURE = 32902;
constexpr UINT ID_DRAW_GRID_DOT = 32904;
constexpr UINT ID_DRAW_TRIANGLE = 32906;
constexpr UINT ID_DRAW_ARROW_LINE = 33504;
constexpr UINT ID_TOOL_REGION = 34024;         // figure type only, no command
constexpr UINT ID_TOOL_SECTION_SELECT = 34790; // set by Save Section, no command

// Format>Line: the id is the line style
constexpr UINT ID_LINE_DOT = 32800;
constexpr UINT ID_LINE_SOLID = 32801; // "Solid Line", in no list
constexpr UINT ID_LINE_DASH = 32802;
constexpr UINT ID_LINE_DASHDOT = 32803;
constexpr UINT ID_LINE_DASHDOTDOT = 32804;
constexpr UINT ID_LINE_HAIRLINE = 32805;
constexpr UINT ID_LINE_SOLID1 = 32806;
constexpr UINT ID_LINE_SOLID2 = 32807;
constexpr UINT ID_LINE_SOLID3 = 32808;
constexpr UINT ID_LINE_SOLID4 = 32809;
constexpr UINT ID_LINE_SOLID5 = 32810;
constexpr UINT ID_LINE_SOLID6 = 32811;
constexpr UINT ID_LINE_NONE = 34023;
constexpr UINT ID_LINE_STYLE_COMBO = 32798; // the Line Style bar's combo box
constexpr UINT ID_FORMAT_LINE_COLOUR = 32799;

// Format>Fill: the id is the fill style
constexpr UINT ID_FILL_NONE = 32814;
constexpr UINT ID_FILL_SOLID = 32815;
constexpr UINT ID_FILL_DIAGONAL = 32816;
constexpr UINT ID_FILL_REVERSE_DIAGONAL = 32817;
constexpr UINT ID_FILL_HORIZONTAL = 32818;
constexpr UINT ID_FILL_VERTICAL = 32819;
constexpr UINT ID_FILL_SQUARES = 32820;
constexpr UINT ID_FILL_DIAMOND = 32821;
constexpr UINT ID_FILL_STYLE_COMBO = 32813; // the Fill Style bar's combo box
constexpr UINT ID_FORMAT_FILL_COLOUR = 32812;

// Format: stacking order
constexpr UINT ID_BRING_TO_FRONT = 32831;
constexpr UINT ID_SEND_TO_BACK = 32832;
constexpr UINT ID_BRING_FORWARD = 32833;
constexpr UINT ID_SEND_BACKWARD = 32834;

// Mathematical-drawing level
constexpr UINT ID_LEVEL_NONE = 32822;        // 0
constexpr UINT ID_LEVEL_GRID_POINTS = 32827; // 1
constexpr UINT ID_LEVEL_CUTOFF = 32824;      // 2
constexpr UINT ID_LEVEL_UNLIMITED = 32825;   // 3

// Tools
constexpr UINT ID_TOOLS_GRID = 32891;
constexpr UINT ID_PREF_DECIMAL_POINT = 32873;
constexpr UINT ID_PREF_EQUATION_STYLES = 32874;
constexpr UINT ID_PREF_VECTORS = 32875;
constexpr UINT ID_PREF_GRAPH = 32892;
constexpr UINT ID_PREF_STATISTICS = 32900;
constexpr UINT ID_TOOLS_DIRECTORIES = 32905;
constexpr UINT ID_CUSTOMIZE_TOOLBARS = 32893;
constexpr UINT ID_RESET_ALL_OPTIONS = 32926;
constexpr UINT ID_WRITE_DEF_FILE = 32894;
constexpr UINT ID_WEB_SAVE_ALL = 32931;
constexpr UINT ID_WEB_SAVE_SECTION = 32932;

// Window (handled by the multiple-document frame)
constexpr UINT ID_WINDOW_ARRANGE = 0xE131;   // 57649
constexpr UINT ID_WINDOW_CASCADE = 0xE132;   // 57650
constexpr UINT ID_WINDOW_TILE_HORZ = 0xE133; // 57651

// Help
constexpr UINT ID_HELP_FILE = 32927;
constexpr UINT ID_READ_MANUAL = 39785;
constexpr UINT ID_READ_QUICK_REF = 32795;
constexpr UINT ID_ABOUT_MAKER = 39787;
constexpr UINT ID_APP_ABOUT = 0xE140; // 57664

// Status bar panes and the bar itself
constexpr UINT ID_INDICATOR_STATUS_TEXT = 101;
constexpr UINT ID_INDICATOR_CAPS = 0xE701;  // 59137
constexpr UINT ID_INDICATOR_NUM = 0xE702;   // 59138
constexpr UINT ID_INDICATOR_SCRL = 0xE703;  // 59139
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801; // 59393

// Toolbar resources, which are also the bars' control ids
constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT IDR_PALETTE = 132;
constexpr UINT IDR_LINE_STYLE_BAR = 134;
constexpr UINT IDR_FILL_STYLE_BAR = 135;
constexpr UINT IDR_LEVEL_BAR = 136;
constexpr UINT IDR_LAYOUT_BAR = 139;
constexpr UINT IDR_GROUP_BAR = 141;
constexpr UINT IDR_ROTATE_BAR = 177;
constexpr UINT IDR_REFLECT_BAR = 180;
constexpr UINT IDR_WEB_BAR = 181;

// The document template's string: window title, document name, file type.
constexpr UINT IDR_LUMBREL_TYPE = 129;
