// Test program entry: no error dialogs of the system may block a test run, and an exception
// that a window handler lets out fails the test that caused it.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/CWinApp.h"
#include "framework/HandlerFailures.h"

int main(int argc, char** argv) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    SetHandlerFailureReporter([](const char* what) { ADD_FAILURE() << "a window handler threw: " << what; });
    const OleSession ole;  // as the program's start-up does
    return RUN_ALL_TESTS();
}
