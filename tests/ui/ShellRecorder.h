// Stands in for the shell and the help viewer while it lives: records what the program hands
// them instead of starting other programs.
#pragma once
#include <string>
#include <vector>

#include "ui/ShellHandOff.h"

struct ShellCall {
    HWND owner;
    std::string target;  // the link, or the help file
    UINT command;        // the help command, or how the link's window shows
    ULONG_PTR data;
    std::string verb;  // of a link: empty for the default action
};

class ShellRecorder {
public:
    ShellRecorder() : saved(shellHandOff) {
        calls.clear();
        shellHandOff.openLink = &OpenLink;
        shellHandOff.openHelp = &OpenHelp;
    }
    ~ShellRecorder() { shellHandOff = saved; }
    ShellRecorder(const ShellRecorder&) = delete;
    ShellRecorder& operator=(const ShellRecorder&) = delete;

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
    ShellHandOff saved;
};
