// The About box's link labels, and Help Contents.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/CWinApp.h"
#include "support/MainWindowHarness.h"
#include "support/TestSeam.h"
#include "resource.h"
#include "ui/AboutDialog.h"
#include "ui/HelpCommand.h"
#include "ui/ShellHandOff.h"

namespace {

// Stands in for the shell and the help viewer while it lives: records what the program hands
// them instead of starting other programs.
struct ShellCall {
    HWND owner;
    std::string target;  // the link, or the help file
    UINT command;        // the help command, or how the link's window shows
    ULONG_PTR data;
    std::string verb;  // of a link: empty for the default action
};

class ShellRecorder {
public:
    // The program file stands in a folder of its own without the guide, unless a test says
    // otherwise.
    ShellRecorder() { calls.clear(); }

    static inline std::vector<ShellCall> calls;

private:
    static HINSTANCE WINAPI OpenLink(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR, LPCSTR, INT show) {
        calls.push_back({owner, file ? file : "", static_cast<UINT>(show), 0, verb ? verb : ""});
        return reinterpret_cast<HINSTANCE>(33);
    }
    static BOOL WINAPI OpenHelp(HWND owner, LPCSTR file, UINT command, ULONG_PTR data) {
        calls.push_back({owner, file ? file : "", command, data, ""});
        return TRUE;
    }
    static DWORD WINAPI ProgramInItsFolder(HMODULE, LPSTR path, DWORD size) {
        static const TempFolder folder;
        return static_cast<DWORD>(
            lstrlenA(lstrcpynA(path, (folder.Path() + "glyphdock.exe").c_str(), static_cast<int>(size))));
    }
    const TestSeam<LinkOpener> links{SetLinkOpenerForTesting, &OpenLink};
    const TestSeam<HelpOpener> help{SetHelpOpenerForTesting, &OpenHelp};
    const TestSeam<ProgramPathReader> program{SetProgramPathForTesting, &ProgramInItsFolder};
};

// The centre of control `id` in the dialog's client coordinates, as mouse messages carry it.
LPARAM CentreOf(HWND dialog, int id) {
    RECT rect = ChildRectInParent(dialog, GetDlgItem(dialog, id));
    return MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

TEST(AboutDialogTest, LinksTakeTheHandCursorAndADoubleClickOnTheMailLinkWritesAMail) {
    ShellRecorder shell;
    DialogRobot robot;
    const HCURSOR hand = LoadCursorA(AppInstance(), MAKEINTRESOURCEA(IDCUR_HAND));
    robot.Expect([hand](HWND about) {
        SendMessageA(about, WM_MOUSEMOVE, 0, CentreOf(about, IDC_ABOUT_WEB_LINK));
        EXPECT_EQ(GetCursor(), hand);
        EXPECT_EQ(GetCapture(), about);
        SendMessageA(about, WM_MOUSEMOVE, 0, CentreOf(about, IDOK));
        EXPECT_NE(GetCursor(), hand);
        EXPECT_EQ(GetCapture(), nullptr);

        SendMessageA(about, WM_MOUSEMOVE, 0, CentreOf(about, IDC_ABOUT_MAIL_LINK));
        EXPECT_EQ(GetCapture(), about);
        // Outside the box the hand and the capture stay until the pointer comes back.
        SendMessageA(about, WM_MOUSEMOVE, 0, MAKELPARAM(-20, -20));
        EXPECT_EQ(GetCursor(), hand);
        EXPECT_EQ(GetCapture(), about);

        // A single click does nothing, nor does a double click on the release label.
        SendMessageA(about, WM_LBUTTONDOWN, MK_LBUTTON, CentreOf(about, IDC_ABOUT_MAIL_LINK));
        SendMessageA(about, WM_LBUTTONUP, 0, CentreOf(about, IDC_ABOUT_MAIL_LINK));
        SendMessageA(about, WM_LBUTTONDBLCLK, MK_LBUTTON, CentreOf(about, IDC_ABOUT_RELEASE));
        EXPECT_TRUE(ShellRecorder::calls.empty());

        SendMessageA(about, WM_LBUTTONDBLCLK, MK_LBUTTON, CentreOf(about, IDC_ABOUT_MAIL_LINK));
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_NE(GetCursor(), hand);
    });
    AboutDialog about(nullptr);
    EXPECT_EQ(about.DoModal(), IDCANCEL);
    robot.Verify();
    ASSERT_EQ(ShellRecorder::calls.size(), 1u);
    EXPECT_EQ(ShellRecorder::calls[0].target, "mailto:" GLYPHDOCK_MAIL_ADDRESS);
    EXPECT_EQ(ShellRecorder::calls[0].owner, GetDesktopWindow());
    EXPECT_EQ(ShellRecorder::calls[0].command, static_cast<UINT>(SW_SHOWNORMAL));
}

TEST(AboutDialogTest, OnlyTheTwoLinkLabelsAreBlue) {
    DialogRobot robot;
    robot.Expect([](HWND about) {
        HDC dc = CreateCompatibleDC(nullptr);
        auto colourOf = [&](HWND control) {
            SetTextColor(dc, RGB(9, 9, 9));
            SendMessageA(about, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
            return GetTextColor(dc);
        };
        for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            int id = GetDlgCtrlID(child);
            bool link = id == IDC_ABOUT_WEB_LINK || id == IDC_ABOUT_MAIL_LINK;
            EXPECT_EQ(colourOf(child) == RGB(0, 0, 255), link) << "control " << id;
        }
        DeleteDC(dc);
        DialogRobot::Press(IDOK)(about);
    });
    AboutDialog about(nullptr);
    EXPECT_EQ(about.DoModal(), IDOK);
    robot.Verify();
}

// With the real mouse: the labels let the clicks through to the box, which takes double clicks.
TEST(AboutDialogTest, ARealDoubleClickOnTheWebLinkOpensThePage) {
    ShellRecorder shell;
    POINT pointer{};
    GetCursorPos(&pointer);  // put back afterwards, for the tests that follow on this desktop
    DialogRobot robot;
    robot.Expect([](HWND about) {
        RECT rect;
        GetWindowRect(GetDlgItem(about, IDC_ABOUT_WEB_LINK), &rect);
        SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        INPUT inputs[4] = {};
        DWORD flags[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
        for (int i = 0; i < 4; ++i) {
            inputs[i].type = INPUT_MOUSE;
            inputs[i].mi.dwFlags = flags[i];
        }
        SendInput(4, inputs, sizeof(INPUT));
    });
    AboutDialog about(nullptr);
    EXPECT_EQ(about.DoModal(), IDCANCEL);
    robot.Verify();
    SetCursorPos(pointer.x, pointer.y);
    ASSERT_EQ(ShellRecorder::calls.size(), 1u);
    EXPECT_EQ(ShellRecorder::calls[0].target, GLYPHDOCK_WEB_ADDRESS);
}

TEST_F(MainWindowTest, HelpContentsWithoutAHelpFileSaysSo) {
    ShellRecorder shell;
    SetCurrentDirectoryA(temp.Path().c_str());  // started from a folder without the help file
    HWND window = Start().GetSafeHwnd();
    HWND owner = nullptr;
    bool informationIcon = false;
    robot.Expect([&](HWND box) {
        owner = GetWindow(box, GW_OWNER);
        HICON information = LoadIconA(nullptr, IDI_INFORMATION);
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == information) informationIcon = true;
        DialogRobot::Press(IDOK)(box);
    });
    Command(ID_HELP_CONTENTS);
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_EQ(robot.Seen()[0].caption, "Glyphdock");
    const std::vector<std::string>& texts = robot.Seen()[0].texts;
    EXPECT_NE(std::find(texts.begin(), texts.end(), "The help file could not be found in the application directory."),
              texts.end());
    EXPECT_EQ(owner, window);
    EXPECT_TRUE(informationIcon);
    EXPECT_TRUE(ShellRecorder::calls.empty());
}

TEST_F(MainWindowTest, HelpContentsOpensTheHelpFileOfTheStartUpFolder) {
    ShellRecorder shell;
    temp.WriteFile("glyphdock.hlp", "help");
    temp.WriteFile("glyphdock.html", "<p>guide</p>");  // the help file comes first
    SetCurrentDirectoryA(temp.Path().c_str());
    Start();
    Command(ID_HELP_CONTENTS);
    ASSERT_EQ(ShellRecorder::calls.size(), 1u);
    EXPECT_EQ(ShellRecorder::calls[0].target, temp.Path() + "glyphdock.hlp");
    EXPECT_EQ(ShellRecorder::calls[0].command, static_cast<UINT>(HELP_CONTENTS));
    EXPECT_EQ(ShellRecorder::calls[0].data, 0u);
    EXPECT_EQ(ShellRecorder::calls[0].owner, GetDesktopWindow());
}

TEST_F(MainWindowTest, HelpContentsWithoutAHelpFileOpensTheGuideInTheBrowser) {
    ShellRecorder shell;
    temp.WriteFile("glyphdock.html", "<p>guide</p>");
    SetCurrentDirectoryA(temp.Path().c_str());
    HWND window = Start().GetSafeHwnd();
    Command(ID_HELP_CONTENTS);  // no message box: the robot fails the test on one
    ASSERT_EQ(ShellRecorder::calls.size(), 1u);
    EXPECT_EQ(ShellRecorder::calls[0].verb, "open");
    EXPECT_EQ(ShellRecorder::calls[0].target, temp.Path() + "glyphdock.html");
    EXPECT_EQ(ShellRecorder::calls[0].owner, window);  // owns whatever the shell says
}

// Started from another folder (a shortcut's "Start in", "Open with", a command prompt): the guide
// beside the program opens. The test program stands beside the build's guide.
TEST_F(MainWindowTest, HelpContentsOpensTheGuideBesideTheProgramFromAnotherFolder) {
    ShellRecorder shell;
    const TestSeam realProgram(SetProgramPathForTesting, nullptr);
    SetCurrentDirectoryA(temp.Path().c_str());
    Start();
    Command(ID_HELP_CONTENTS);
    ASSERT_EQ(ShellRecorder::calls.size(), 1u);
    const std::string program = HostPathToWindows(GLYPHDOCK_EXE_PATH);
    EXPECT_EQ(lstrcmpiA(ShellRecorder::calls[0].target.c_str(),
                        (program.substr(0, program.rfind('\\') + 1) + "glyphdock.html").c_str()),
              0)
        << ShellRecorder::calls[0].target;
}

}  // namespace
