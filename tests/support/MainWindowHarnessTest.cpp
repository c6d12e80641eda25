// The main window fixture itself: a maintainer who runs two window tests in one process is told
// why the second one fails.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

namespace {

TEST(MainWindowHarness, ASecondWindowTestInOneProcessFailsSayingWhy) {
    TempFolder folder;
    char program[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, program, sizeof program), 0u);
    const std::string output = folder.Path() + "output.txt";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE file = CreateFileA(output.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = file;
    std::string commandLine = std::string("\"") + program +
                              "\" --gtest_filter=SplitterTest.DragMovesTheBorderWithinItsLimits:"
                              "SplitterTest.BarShowsOnlyWhileDraggingAndMovesAlone";
    PROCESS_INFORMATION child{};
    const bool started =
        CreateProcessA(program, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &child);
    CloseHandle(file);
    ASSERT_TRUE(started);
    DWORD exitCode = 0;
    EXPECT_EQ(WaitForSingleObject(child.hProcess, 60000), WAIT_OBJECT_0);
    GetExitCodeProcess(child.hProcess, &exitCode);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);

    const std::string text = ReadWholeFile(output);
    EXPECT_NE(exitCode, 0u);
    EXPECT_NE(text.find("[       OK ] SplitterTest.DragMovesTheBorderWithinItsLimits"), std::string::npos) << text;
    EXPECT_NE(text.find("a second main window in one test process: the program's process-wide objects are made "
                        "once"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("[  FAILED  ] SplitterTest.BarShowsOnlyWhileDraggingAndMovesAlone"), std::string::npos);
}

}  // namespace
