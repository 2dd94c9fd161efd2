#pragma once

// The settings load and save, and the copy of the browsed directory into
// Memo2. Failures leave the handler where they happen; what was done before
// stays done.

#include "core/LauncherState.h"
#include "core/LauncherWindow.h"
#include "platform/Platform.h"

namespace qmel {

// Read relative to the start-up directory.
inline constexpr const char* PathFileReadName = "QMel_DBoyPath.ini";
inline constexpr const char* RomsFileReadName = "QMel_DBoyRoms.ini";
// Appended to EmulatorDir as they are, with nothing trimmed. The lower-case
// "m" of the second is the name the files have always been written with.
inline constexpr const char* PathFileWriteSuffix = "/QMel_DBoyPath.ini";
inline constexpr const char* RomsFileWriteSuffix = "/Qmel_DBoyRoms.ini";

// The settings load, when the main window is created: fixes EmulatorDir and
// hands the stored ROM directory to the directory list.
void Test(LauncherState& state, LauncherWindow& window, Platform& platform);

// The settings save, on close and before Quit ends the program: writes both
// memos into EmulatorDir.
void SaveConfig(LauncherState& state, const LauncherWindow& window, Platform& platform);

// On every change of the directory list: Memo2 shows the list's directory.
void SciezkaRomy(LauncherWindow& window);

}  // namespace qmel
