// An exception that a handler lets out never reaches the window system: the program says so
// once, from its loop, after the handler has returned, and goes on.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/CDialog.h"
#include "framework/HandlerFailures.h"
#include "resource.h"
#include "support/DialogRobot.h"
#include "support/TestSeam.h"

namespace {

constexpr int Failing = 4242;

class FailingDialog : public CDialog {
public:
    explicit FailingDialog(DialogRobot& robot_) : CDialog(IDD_ABOUT, nullptr), robot(robot_) {}
    int handled = 0;

protected:
    bool OnInitDialog() override {
        robot.Ignore(hwnd);
        PostMessageA(hwnd, WM_COMMAND, Failing, 0);
        PostMessageA(hwnd, WM_COMMAND, Failing, 0);
        PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
        return CDialog::OnInitDialog();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && LOWORD(wParam) == Failing) {
            ++handled;
            throw std::runtime_error("the handler failed");
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }

private:
    DialogRobot& robot;
};

TEST(HandlerFailure, IsShownOnceAfterTheHandlerAndTheDialogGoesOn) {
    const TestSeam programsOwn(SetHandlerFailureReporterForTesting, nullptr);
    DialogRobot robot;
    robot.Expect(DialogRobot::Press(IDOK));
    FailingDialog dialog(robot);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    robot.Verify();
    EXPECT_EQ(dialog.handled, 2);
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_NE(robot.Seen()[0].texts.back().find("the handler failed"), std::string::npos);
}

}  // namespace
