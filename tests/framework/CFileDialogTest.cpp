// The file dialogs' folder travels in front of the proposed name, where Windows 7 and later
// honour it, not in lpstrInitialDir, which they pass over once a dialog has been used.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "framework/CFileDialog.h"

TEST(CFileDialog, TheFolderGoesInFrontOfTheProposedName) {
    CFileDialog save(false, nullptr, "icons_003.ico", 0, "Icon (*.ico)|*.ico||", nullptr);
    save.SetInitialFolder("C:\\out\\");
    EXPECT_EQ(save.ofn.lpstrInitialDir, nullptr);
    EXPECT_STREQ(save.ofn.lpstrFile, "C:\\out\\icons_003.ico");

    CFileDialog open(true, nullptr, nullptr, 0, "All Files (*.*)|*.*||", nullptr);
    open.SetInitialFolder("C:\\windows");
    EXPECT_STREQ(open.ofn.lpstrFile, "C:\\windows\\");

    // A path that would not fit keeps the name and names the folder the older way.
    const std::string deep = "C:\\" + std::string(250, 'd') + "\\";
    CFileDialog tooLong(false, nullptr, "icons_003.ico", 0, "Icon (*.ico)|*.ico||", nullptr);
    tooLong.SetInitialFolder(deep.c_str());
    EXPECT_STREQ(tooLong.ofn.lpstrFile, "icons_003.ico");
    EXPECT_EQ(tooLong.ofn.lpstrInitialDir, deep.c_str());
}
