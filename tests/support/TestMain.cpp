// Test program entry: no error dialogs of the system may block a test run, and an exception
// that a window handler lets out fails the test that caused it.
//
// With GLYPHDOCK_TEST_DPI set (the window tests' run at another display scale), the tests run in
// a child process started while the prefix's screen DPI is that value, since the system reads
// it once, when a process starts; the prefix's own value is put back when the child ends.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "framework/CWinApp.h"
#include "framework/DisplayScale.h"
#include "framework/HandlerFailures.h"
#include "support/TestSeam.h"

namespace {
constexpr const char* DesktopKey = "Control Panel\\Desktop";
constexpr const char* DpiValue = "LogPixels";
constexpr const char* ChildMark = "GLYPHDOCK_TEST_DPI_CHILD";

int RunAtDpi(DWORD dpi) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, DesktopKey, 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return 2;
    DWORD type = 0, saved = 0, size = sizeof saved;
    const bool hadValue = RegQueryValueExA(key, DpiValue, nullptr, &type, reinterpret_cast<BYTE*>(&saved), &size) ==
                              ERROR_SUCCESS &&
                          type == REG_DWORD;
    RegSetValueExA(key, DpiValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);

    SetEnvironmentVariableA(ChildMark, "1");
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION child{};
    std::string commandLine = GetCommandLineA();
    DWORD result = 2;
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child)) {
        WaitForSingleObject(child.hProcess, INFINITE);
        GetExitCodeProcess(child.hProcess, &result);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
    }

    if (hadValue)
        RegSetValueExA(key, DpiValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&saved), sizeof saved);
    else
        RegDeleteValueA(key, DpiValue);
    RegCloseKey(key);
    return static_cast<int>(result);
}
}  // namespace

int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    if (const char* wanted = std::getenv("GLYPHDOCK_TEST_DPI")) {
        const int dpi = std::atoi(wanted);
        if (dpi > 0 && dpi != SystemDpi()) {
            if (std::getenv(ChildMark)) {
                std::fprintf(stderr, "the screen is at %d DPI, not the %d asked for\n", SystemDpi(), dpi);
                return 2;
            }
            return RunAtDpi(static_cast<DWORD>(dpi));
        }
    }
    testing::InitGoogleTest(&argc, argv);
    const TestSeam failingTheTest(SetHandlerFailureReporterForTesting,
                                  [](const char* what) { ADD_FAILURE() << "a window handler threw: " << what; });
    const OleSession ole;  // as the program's start-up does
    return RUN_ALL_TESTS();
}
