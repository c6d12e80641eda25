#include "support/MenuRobot.h"

#include <gtest/gtest.h>

#include <utility>

namespace {
thread_local MenuRobot* activeMenuRobot = nullptr;
constexpr UINT TickMilliseconds = 40;
constexpr int TicksBeforeForcedClose = 50;
constexpr UINT GetMenuOfWindow = 0x01E1;  // MN_GETHMENU

BOOL CALLBACK FindMenuWindow(HWND window, LPARAM found) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (IsWindowVisible(window) && lstrcmpA(name, "#32768") == 0) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

MenuRobot::MenuRobot() {
    activeMenuRobot = this;
    timer = SetTimer(nullptr, 0, TickMilliseconds, &MenuRobot::Tick);
}

MenuRobot::~MenuRobot() {
    KillTimer(nullptr, timer);
    if (activeMenuRobot == this) activeMenuRobot = nullptr;
}

MenuRobot::Action MenuRobot::Keys(std::vector<UINT> keys) {
    return [keys = std::move(keys)](HWND menuWindow) {
        for (UINT key : keys) {
            PostMessageA(menuWindow, WM_KEYDOWN, key, 1);
            PostMessageA(menuWindow, WM_KEYUP, key, 1 | 0xC0000000u);
        }
    };
}

MenuRobot::Action MenuRobot::Close() {
    return [](HWND) { EndMenu(); };
}

void CALLBACK MenuRobot::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (activeMenuRobot) activeMenuRobot->Look();
}

void MenuRobot::Look() {
    HWND menuWindow = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindMenuWindow, reinterpret_cast<LPARAM>(&menuWindow));
    if (!menuWindow) {
        answered = nullptr;
        return;
    }
    if (menuWindow == answered) {
        if (++ticksSinceAnswer == TicksBeforeForcedClose) {
            ADD_FAILURE() << "the menu stayed open after its answer";
            EndMenu();
        }
        return;
    }
    answered = menuWindow;
    ticksSinceAnswer = 0;
    SeenMenu record;
    record.menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, GetMenuOfWindow, 0, 0));
    GetWindowRect(menuWindow, &record.place);
    seen.push_back(record);
    Action action = expected ? std::move(expected) : Close();
    expected = nullptr;
    action(menuWindow);
}
