// Scenes for the README's pictures, run one at a time by tools/ui-screenshots.sh; built on the
// test harness, but not part of the test suite. Each scene opens a menu or the About box on the screen, writes the
// rectangle to photograph into GLYPHDOCK_SCENE_DIR\ready and keeps it open until the script writes
// GLYPHDOCK_SCENE_DIR\done.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/FolderChooser.h"
#include "support/MainWindowHarness.h"
#include "resource.h"
#include "ui/AboutDialog.h"

namespace {

struct Scene {
    std::string folder;
    HWND shown = nullptr;  // main window or About box, whichever the picture is of
    bool menu = true;      // the picture shows an open menu, once there is one
    int keysDown = 0;      // highlights: Down presses once the menu shows
    int ticks = 0;
    bool written = false;
};
Scene scene;

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void WriteReady(RECT rect) {
    std::string temporary = scene.folder + "\\ready.tmp";
    FILE* file = std::fopen(temporary.c_str(), "w");
    if (!file) return;
    std::fprintf(file, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fclose(file);
    MoveFileA(temporary.c_str(), (scene.folder + "\\ready").c_str());
    scene.written = true;
}

// The folder chooser, once it is open: the active window, holding the chooser's edit box.
HWND OpenChooser() {
    HWND active = GetActiveWindow();
    return active && GetDlgItem(active, ChooserEditId) ? active : nullptr;
}

// Ticks inside the menu's or the box's own loop: highlight, let it paint, hand over, wait, close.
void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD) {
    if (!scene.shown) scene.shown = OpenChooser();
    HWND popup = FindWindowA("#32768", nullptr);
    bool menuScene = scene.menu && scene.shown && GetMenu(scene.shown);
    if (menuScene && !(popup && IsWindowVisible(popup))) return;
    if (scene.keysDown > 0) {
        --scene.keysDown;
        PostMessageA(scene.shown, WM_KEYDOWN, VK_DOWN, 1);
        return;
    }
    if (++scene.ticks < 10) return;  // painted by now
    if (!scene.written) {
        RECT rect;
        GetWindowRect(scene.shown, &rect);
        if (menuScene) {
            RECT menu;
            GetWindowRect(popup, &menu);
            UnionRect(&rect, &rect, &menu);
        }
        InflateRect(&rect, 8, 8);
        rect.left = std::max(rect.left, 0L);
        rect.top = std::max(rect.top, 0L);
        WriteReady(rect);
        return;
    }
    if (!FileExists(scene.folder + "\\done") && scene.ticks < 600) return;
    KillTimer(nullptr, timer);
    if (menuScene)
        EndMenu();
    else if (!scene.menu)
        PostMessageA(scene.shown, WM_CLOSE, 0, 0);
    else
        PostMessageA(scene.shown, WM_COMMAND, IDOK, 0);
}

bool SceneFolder() {
    char folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("GLYPHDOCK_SCENE_DIR", folder, sizeof folder)) return false;
    scene.folder = folder;
    return true;
}

class SceneTest : public MainWindowTest {
protected:
    void StartWithFiles() {
        WriteCatalogue(
            "C:\\windows\\system32\\shell32.dll\r\nC:\\windows\\notepad.exe\r\nC:\\windows\\regedit.exe\r\n");
        Start();
        scene.shown = Window();
        SetForegroundWindow(Window());
        PumpMessages();
    }
};

// The main window with one icon selected, its images described in the status bar.
TEST_F(SceneTest, MainWindow) {
    ASSERT_TRUE(SceneFolder()) << "GLYPHDOCK_SCENE_DIR is not set";
    StartWithFiles();
    const std::vector<std::string> names = CatalogueNames();
    SelectCatalogueItem(static_cast<int>(std::find(names.begin(), names.end(), "Shell32.dll") - names.begin()));
    SelectIcons({3});
    SetFocus(dialog->IconView());
    scene.menu = false;
    SetTimer(nullptr, 0, 50, &Tick);
    RunModalLoopFor(60000);
}

// The File menu open from the menu bar, Undo Delete disabled, Save As highlighted.
TEST_F(SceneTest, FileMenu) {
    ASSERT_TRUE(SceneFolder()) << "GLYPHDOCK_SCENE_DIR is not set";
    StartWithFiles();
    scene.keysDown = 4;  // from New, highlighted on opening, to Save As
    SetTimer(nullptr, 0, 50, &Tick);
    PostMessageA(Window(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    PumpMessages();
}

// The disabled item highlighted, for looking at the inactive caption text on the band.
TEST_F(SceneTest, FileMenuOnUndoDelete) {
    ASSERT_TRUE(SceneFolder()) << "GLYPHDOCK_SCENE_DIR is not set";
    StartWithFiles();
    scene.keysDown = 2;  // to Undo Delete
    SetTimer(nullptr, 0, 50, &Tick);
    PostMessageA(Window(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
    PumpMessages();
}

// The same menu as a context menu over the icon view, Copy highlighted.
TEST_F(SceneTest, ContextMenu) {
    ASSERT_TRUE(SceneFolder()) << "GLYPHDOCK_SCENE_DIR is not set";
    StartWithFiles();
    scene.keysDown = 4;  // a context menu opens with nothing highlighted: to Copy
    SetTimer(nullptr, 0, 50, &Tick);
    RECT view;
    GetWindowRect(dialog->IconView(), &view);
    TrackPopupMenu(GetSubMenu(GetMenu(Window()), 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, view.left + 120, view.top + 60, 0,
                   Window(), nullptr);
    PumpMessages();
}

TEST(SceneAbout, AboutBox) {
    ASSERT_TRUE(SceneFolder()) << "GLYPHDOCK_SCENE_DIR is not set";
    AboutDialog about(nullptr);
    ASSERT_TRUE(about.Create());
    scene.shown = about.GetSafeHwnd();
    SetWindowPos(scene.shown, nullptr, 200, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(scene.shown, SW_SHOWNORMAL);
    SetTimer(nullptr, 0, 50, &Tick);
    about.RunModalLoop();
}

// Save All's folder chooser, opened on a folder of the system.
TEST(SceneChooser, FolderChooser) {
    ASSERT_TRUE(SceneFolder()) << "GLYPHDOCK_SCENE_DIR is not set";
    SetTimer(nullptr, 0, 50, &Tick);
    char folder[MAX_PATH] = {};
    ChooseFolder(nullptr, folder, "C:\\windows\\system32");
}

}  // namespace
