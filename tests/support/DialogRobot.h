// Answers the modal windows (message boxes, file dialogs, the folder chooser, the About box)
// that block the test thread. A thread timer fires inside their modal loop, finds the visible
// dialog of the thread, records its caption and texts and acts as told. An expected dialog that
// never comes, or one that nobody expected, fails the test; the robot closes every dialog it
// meets, so that nothing hangs.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

class DialogRobot {
public:
    struct SeenDialog {
        std::string caption;
        std::vector<std::string> texts;  // texts of its static controls, buttons and edit boxes
        bool expected = false;
    };
    using Action = std::function<void(HWND dialog)>;

    // Windows in `ignore` (the main window) are never taken for dialogs.
    explicit DialogRobot(std::set<HWND> ignore = {});
    ~DialogRobot();
    DialogRobot(const DialogRobot&) = delete;
    DialogRobot& operator=(const DialogRobot&) = delete;

    // The main window is never taken for a dialog.
    void Ignore(HWND window) { ignore.insert(window); }

    // The next dialog that shows is answered by `action`.
    DialogRobot& Expect(Action action);

    static Action Press(int buttonId);
    static Action TypeAndPress(int editId, std::string text, int buttonId);
    // Browses to `folder` first: Windows' file dialogs make the folder browsed the current one
    // (Wine's leave it alone).
    static Action Browsing(std::string folder, Action then);

    // Fails the test unless every expected dialog came and none other did.
    void Verify() const;
    const std::vector<SeenDialog>& Seen() const { return seen; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Look();
    void Answer(HWND dialog);

    std::set<HWND> ignore;
    std::deque<Action> expected;
    std::vector<SeenDialog> seen;
    std::set<HWND> answered;
    HWND lastAnswered = nullptr;
    int ticksSinceAnswer = 0;
    UINT_PTR timer = 0;
};

// The folder a file dialog shows. The dialog answers in UTF-16, as the program runs it.
std::string FileDialogFolder(HWND dialog);

// The texts of a window's children, in child order (non-empty ones only).
std::vector<std::string> ChildTexts(HWND window);
