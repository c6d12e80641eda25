// A chosen path that does not fit the file dialog's buffer is told, not dropped. Wine's dialog
// overflows its own buffer before it takes a typed path of 260 characters: a small one is given.
#include <gtest/gtest.h>

#include "framework/CFileDialog.h"
#include "support/DialogRobot.h"

TEST(FileDialog, APathLongerThanTheBufferIsToldAndEndsAsACancel) {
    CFileDialog dialog(false, nullptr, nullptr, OFN_HIDEREADONLY | OFN_EXPLORER, "Icon (*.ico)|*.ico||", nullptr);
    dialog.ofn.nMaxFile = 16;
    DialogRobot robot;
    robot.Expect(DialogRobot::TypeAndPress(1148, "C:\\longer-than-the-buffer.ico", IDOK))
        .Expect(DialogRobot::Press(IDOK));
    EXPECT_EQ(dialog.DoModal("Glyphdock"), IDCANCEL);
    robot.Verify();
    ASSERT_EQ(robot.Seen().size(), 2u);
    EXPECT_EQ(robot.Seen()[1].caption, "Glyphdock");
    EXPECT_EQ(robot.Seen()[1].texts.back(), "The path is too long.");
}
