#include "support/DialogRobot.h"

#include <commdlg.h>

#include <gtest/gtest.h>

#include <utility>

namespace {
thread_local DialogRobot* activeRobot = nullptr;
constexpr UINT TickMilliseconds = 40;
constexpr int TicksBeforeForcedClose = 50;

std::string TextOf(HWND window) {
    char buffer[1024] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::string ClassOf(HWND window) {
    char buffer[64] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    auto* dialogs = reinterpret_cast<std::vector<HWND>*>(found);
    if (IsWindowVisible(window) && ClassOf(window) == "#32770") dialogs->push_back(window);
    return TRUE;
}

void CloseAnyway(HWND dialog) {
    if (GetDlgItem(dialog, IDCANCEL))
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    else
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}
}  // namespace

std::vector<std::string> ChildTexts(HWND window) {
    std::vector<std::string> texts;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) -> BOOL {
            std::string text = TextOf(child);
            if (!text.empty()) reinterpret_cast<std::vector<std::string>*>(list)->push_back(text);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&texts));
    return texts;
}

DialogRobot::DialogRobot(std::set<HWND> ignore_) : ignore(std::move(ignore_)) {
    activeRobot = this;
    timer = SetTimer(nullptr, 0, TickMilliseconds, &DialogRobot::Tick);
}

DialogRobot::~DialogRobot() {
    KillTimer(nullptr, timer);
    if (activeRobot == this) activeRobot = nullptr;
}

DialogRobot& DialogRobot::Expect(Action action) {
    expected.push_back(std::move(action));
    return *this;
}

DialogRobot::Action DialogRobot::Press(int buttonId) {
    return [buttonId](HWND dialog) {
        HWND button = GetDlgItem(dialog, buttonId);
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    };
}

DialogRobot::Action DialogRobot::TypeAndPress(int editId, std::string text, int buttonId) {
    return [editId, text = std::move(text), buttonId](HWND dialog) {
        SetDlgItemTextA(dialog, editId, text.c_str());
        Press(buttonId)(dialog);
    };
}

DialogRobot::Action DialogRobot::Browsing(std::string folder, Action then) {
    return [folder = std::move(folder), then = std::move(then)](HWND dialog) {
        SetCurrentDirectoryA(folder.c_str());
        then(dialog);
    };
}

void CALLBACK DialogRobot::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (activeRobot) activeRobot->Look();
}

void DialogRobot::Look() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), &CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    for (HWND dialog : dialogs) {
        if (ignore.count(dialog)) continue;
        if (!answered.count(dialog)) {
            Answer(dialog);
            continue;
        }
        // A dialog that outlives its answer is closed by force.
        if (dialog == lastAnswered && ++ticksSinceAnswer == TicksBeforeForcedClose) {
            ADD_FAILURE() << "the dialog \"" << TextOf(dialog) << "\" stayed open after its answer";
            EndDialog(dialog, IDCANCEL);
        }
    }
}

void DialogRobot::Answer(HWND dialog) {
    answered.insert(dialog);
    lastAnswered = dialog;
    ticksSinceAnswer = 0;
    SeenDialog record{TextOf(dialog), ChildTexts(dialog), !expected.empty()};
    seen.push_back(record);
    if (expected.empty()) {
        CloseAnyway(dialog);
        return;
    }
    Action action = std::move(expected.front());
    expected.pop_front();
    action(dialog);
}

void DialogRobot::Verify() const {
    EXPECT_TRUE(expected.empty()) << expected.size() << " expected dialog(s) never showed";
    for (const SeenDialog& dialog : seen) {
        if (dialog.expected) continue;
        std::string texts;
        for (const std::string& text : dialog.texts)
            texts += " | " + text;
        ADD_FAILURE() << "unexpected dialog \"" << dialog.caption << "\"" << texts;
    }
}

std::string FileDialogFolder(HWND dialog) {
    wchar_t folder[MAX_PATH] = {};
    SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
    char text[2 * MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, folder, -1, text, sizeof text, nullptr, nullptr);
    return text;
}
