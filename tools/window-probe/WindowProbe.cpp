// Waits for Glyphdock's main window and writes its outer rectangle as "x y width height" into
// the file named by its argument; with --close it closes the window instead. Used by the
// screenshot script, which cannot read a pipe that the virtual desktop keeps open.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {
// Finds the main window; answers the messages that start-up may show (a first start under Wine
// reports that its explorer.exe holds no icons) so that the window can come up.
BOOL CALLBACK FindMainWindow(HWND window, LPARAM found) {
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    if (!GetMenu(window)) {
        PostMessageA(window, WM_COMMAND, IDOK, 0);
        return TRUE;
    }
    if (!(GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: window-probe RESULT-FILE | --close\n");
        return 2;
    }
    bool close = std::strcmp(argv[1], "--close") == 0;
    HWND window = nullptr;
    for (int i = 0; i < 600 && !window; ++i) {
        EnumWindows(&FindMainWindow, reinterpret_cast<LPARAM>(&window));
        if (!window) Sleep(100);
    }
    if (!window) {
        std::fprintf(stderr, "window-probe: no main window appeared\n");
        return 1;
    }
    if (close) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    }
    Sleep(500);  // lets the window finish painting
    RECT rect;
    GetWindowRect(window, &rect);
    FILE* result = std::fopen(argv[1], "w");
    if (!result) return 1;
    std::fprintf(result, "%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    std::fclose(result);
    return 0;
}
