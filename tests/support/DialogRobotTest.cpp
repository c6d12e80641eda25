// The dialog robot itself: it must answer every kind of modal window the program shows, report
// the unexpected ones and never let a test hang.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/DialogRobot.h"
#include "support/TempFolder.h"

namespace {

TEST(DialogRobot, AnswersMessageBoxesInOrderAndRecordsWhatTheySay) {
    DialogRobot robot;
    robot.Expect(DialogRobot::Press(IDNO)).Expect(DialogRobot::Press(IDOK));
    EXPECT_EQ(MessageBoxA(nullptr, "First question?", "Caption one", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxA(nullptr, "Second text.", "Caption two", MB_OK | MB_ICONINFORMATION), IDOK);
    robot.Verify();
    ASSERT_EQ(robot.Seen().size(), 2u);
    EXPECT_EQ(robot.Seen()[0].caption, "Caption one");
    EXPECT_EQ(robot.Seen()[0].texts.back(), "First question?");
    EXPECT_EQ(robot.Seen()[1].texts.back(), "Second text.");
}

TEST(DialogRobot, TypesIntoTheSaveDialogsFileNameBox) {
    TempFolder folder;
    char file[MAX_PATH] = "proposed.ico";
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = folder.Path().c_str();
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY;
    std::string wanted = folder.Path() + "typed.ico";
    DialogRobot robot;
    robot.Expect(DialogRobot::TypeAndPress(1148, wanted, IDOK));
    ASSERT_TRUE(GetSaveFileNameA(&dialog));
    robot.Verify();
    EXPECT_STREQ(file, wanted.c_str());
}

TEST(DialogRobot, CancelsTheFolderBrowser) {
    BROWSEINFOA browse{};
    browse.lpszTitle = "Enter or select a folder";
    DialogRobot robot;
    robot.Expect(DialogRobot::Press(IDCANCEL));
    EXPECT_EQ(SHBrowseForFolderA(&browse), nullptr);
    robot.Verify();
    ASSERT_EQ(robot.Seen().size(), 1u);
}

TEST(DialogRobot, ClosesAndReportsADialogNobodyExpected) {
    DialogRobot robot;
    MessageBoxA(nullptr, "Surprise", "Unexpected", MB_OKCANCEL);
    EXPECT_NONFATAL_FAILURE(robot.Verify(), "unexpected dialog \"Unexpected\"");
}

TEST(DialogRobot, ReportsAnExpectedDialogThatNeverCame) {
    DialogRobot robot;
    robot.Expect(DialogRobot::Press(IDOK));
    EXPECT_NONFATAL_FAILURE(robot.Verify(), "never showed");
}

}  // namespace
