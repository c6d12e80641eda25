// Answers a popup menu that blocks the test thread (TrackPopupMenu runs its own loop): a thread
// timer fires inside that loop, records the menu that shows and acts as told, with keys posted to
// the menu or by closing it. A menu left open is closed by force after about two seconds.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

class MenuRobot {
public:
    struct SeenMenu {
        HMENU menu = nullptr;
        RECT place{};  // screen coordinates of the menu's window
    };
    // Called once the menu shows, with its window; what it records is up to the caller.
    using Action = std::function<void(HWND menuWindow)>;

    MenuRobot();
    ~MenuRobot();
    MenuRobot(const MenuRobot&) = delete;
    MenuRobot& operator=(const MenuRobot&) = delete;

    // The next menu that shows is answered by `action`.
    void Expect(Action action) { expected = std::move(action); }

    // Posts each key, down and up, to the menu: e.g. {VK_DOWN, VK_DOWN, VK_RETURN}.
    static Action Keys(std::vector<UINT> keys);
    static Action Close();

    const std::vector<SeenMenu>& Seen() const { return seen; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Look();

    Action expected;
    std::vector<SeenMenu> seen;
    HWND answered = nullptr;
    int ticksSinceAnswer = 0;
    UINT_PTR timer = 0;
};
