// The file dialog wrapper: a chosen path that does not fit its buffer is told, not dropped.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/CFileDialog.h"
#include "support/DialogRobot.h"
#include "support/TempFolder.h"

// Wine's dialog overflows its own buffer before it takes a typed path of 260 characters, so
// the wrapper is given a small buffer instead.
TEST(FileDialog, APathLongerThanTheBufferIsToldAndEndsAsACancel) {
    TempFolder folder;
    CFileDialog dialog(false, nullptr, nullptr, OFN_HIDEREADONLY | OFN_EXPLORER, "Icon (*.ico)|*.ico||", nullptr);
    dialog.ofn.nMaxFile = 16;
    DialogRobot robot;
    robot.Expect(DialogRobot::TypeAndPress(1148, folder.Path() + "longer-than-the-buffer.ico", IDOK))
        .Expect(DialogRobot::Press(IDOK));
    EXPECT_EQ(dialog.DoModal("Glyphdock"), IDCANCEL);
    robot.Verify();
    ASSERT_EQ(robot.Seen().size(), 2u);
    EXPECT_EQ(robot.Seen()[1].caption, "Glyphdock");
    EXPECT_EQ(robot.Seen()[1].texts.back(), "The path is too long.");
}
