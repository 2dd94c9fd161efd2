#pragma once

// The main window as it is described: every control with its class, parent,
// geometry, keyboard place and text. The window is built from this table, and
// tests check the built window against it.

#include <array>
#include <string>
#include <vector>

namespace qmel {

enum class ControlClass { GroupBox, Image, Memo, BitBtn, Edit, DriveComboBox, DirectoryListBox, FileListBox, StatusBar };

inline constexpr int NoTabOrder = -1;

struct ControlDescription {
    const char* name;
    ControlClass controlClass;
    const char* parent;  // "" for the window itself
    int left, top, width, height;
    int tabOrder;        // among the parent's windowed children, or NoTabOrder
    const char* text;    // caption or text; "" for none
};

struct WindowDescription {
    const char* caption;
    int left, top;
    int clientWidth, clientHeight;
};

inline constexpr WindowDescription MainWindow{"QMel V1,2 by Tavik", 261, 134, 536, 427};

inline constexpr const char* RomMask = "*.zip;*.gb;*.gbc";

// In creation order, which is also the drawing order from bottom to top.
inline constexpr std::array<ControlDescription, 18> MainWindowControls{{
    {"About", ControlClass::GroupBox, "", 280, 8, 249, 153, 15, "About"},
    {"Image1", ControlClass::Image, "About", 136, 16, 100, 100, NoTabOrder, ""},
    {"Memo3", ControlClass::Memo, "About", 8, 16, 121, 129, 0, ""},
    {"FileManager", ControlClass::GroupBox, "", 8, 8, 265, 393, 13, "FileManager"},
    {"Controls", ControlClass::GroupBox, "", 280, 296, 249, 105, 12, "Controls"},
    {"GroupBox1", ControlClass::GroupBox, "", 280, 168, 249, 121, 9, "Config"},
    {"GameboyRoms", ControlClass::GroupBox, "", 288, 232, 233, 41, 11, "GameboyRoms"},
    {"DBoyPath", ControlClass::GroupBox, "", 288, 184, 233, 41, 10, "DBoyPath"},
    {"Start", ControlClass::BitBtn, "", 288, 320, 233, 41, 0, "Start"},
    {"Edit1", ControlClass::Edit, "", 16, 368, 249, 21, 1, RomMask},
    {"DriveComboBox1", ControlClass::DriveComboBox, "", 16, 32, 249, 19, 2, ""},
    {"DirectoryListBox1", ControlClass::DirectoryListBox, "", 16, 56, 249, 97, 3, ""},
    {"FileListBox1", ControlClass::FileListBox, "", 16, 160, 249, 201, 4, ""},
    {"StatusBar1", ControlClass::StatusBar, "", 0, 408, 536, 19, NoTabOrder, ""},
    {"MailToMe", ControlClass::BitBtn, "", 416, 128, 97, 25, 5, "MailToMe"},
    {"Quit", ControlClass::BitBtn, "", 288, 368, 233, 25, 6, "Quit"},
    {"Memo1", ControlClass::Memo, "", 296, 200, 217, 17, 7, ""},
    {"Memo2", ControlClass::Memo, "", 296, 248, 217, 17, 8, ""},
}};

struct ButtonHint {
    const char* button;
    const char* hint;
};
inline constexpr std::array<ButtonHint, 3> ButtonHints{{
    {"Start", "Start Dboy"},
    {"MailToMe", "Send email to author"},
    {"Quit", "Exit QMel"},
}};

inline constexpr std::array<const char*, 11> AboutLines{{
    "    QMel  1.2",
    "",
    "Polish   window$ ",
    "frontend     for",
    "asian  DBoy  dos ",
    "gameboy emulator.",
    "I'm  lookin  for",
    "english  version ",
    "of dboy manual.",
    "",
    "          tavik",
}};

inline constexpr const char* StatusPanel0Text = "Status";
inline constexpr int StatusPanel0Width = 50;

// Whether a control of this class takes the keyboard focus.
bool isTabStop(ControlClass controlClass);
// Whether it is a windowed control (everything but the picture).
bool isWindowed(ControlClass controlClass);

// A parent's windowed children in keyboard order: each child with a tab order
// is moved to that index (when it is in range), the rest fill the free places.
std::vector<std::string> childrenInTabOrder(const std::string& parent);
// The whole keyboard order, depth first, of the controls that take the focus.
std::vector<std::string> keyboardOrder();

}  // namespace qmel
