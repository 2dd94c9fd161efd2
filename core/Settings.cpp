#include "core/Settings.h"

#include "core/MemoFile.h"

namespace qmel {

void Test(LauncherState& state, LauncherWindow& window, Platform& platform)
{
    if (fileExistenceTest(platform, PathFileReadName)) {
        window.setMemoText(Memo::Memo1, readFileToMemoText(platform, PathFileReadName));
        state.EmulatorDir = window.memoText(Memo::Memo1);
    } else {
        state.EmulatorDir = window.directoryListDirectory();
        window.setMemoText(Memo::Memo1, state.EmulatorDir);
    }

    if (fileExistenceTest(platform, RomsFileReadName)) {
        window.setMemoText(Memo::Memo2, readFileToMemoText(platform, RomsFileReadName));
        window.setDirectoryListDirectory(window.memoText(Memo::Memo2));
    }
}

void SaveConfig(LauncherState& state, const LauncherWindow& window, Platform& platform)
{
    state.PathFileName = state.EmulatorDir + PathFileWriteSuffix;
    state.RomsFileName = state.EmulatorDir + RomsFileWriteSuffix;
    writeMemoTextToFile(platform, state.PathFileName, window.memoText(Memo::Memo1));
    writeMemoTextToFile(platform, state.RomsFileName, window.memoText(Memo::Memo2));
}

void SciezkaRomy(LauncherWindow& window)
{
    window.setMemoText(Memo::Memo2, window.directoryListDirectory());
}

}  // namespace qmel
