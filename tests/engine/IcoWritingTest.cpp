// Writing ICO files: a failed write is reported with the output path as caption and leaves no
// partial file, for 32-bit and 16-bit sources alike.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "engine/EngineMessages.h"
#include "support/EngineTestSupport.h"
#include "engine/IcoFile.h"
#include "files/ReplaceFile.h"
#include "engine/IconSource.h"
#include "fixtures/IconFixtures.h"
#include "support/DialogRobot.h"
#include "support/TempFolder.h"
#include "support/TestSeam.h"

namespace {

// Writes half of what it is given, then fails as a full disk does.
BOOL WINAPI FailHalfway(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED) {
    WriteFile(file, data, size / 2, written, nullptr);
    SetLastError(ERROR_DISK_FULL);
    return FALSE;
}

// Reports success but writes one byte short.
BOOL WINAPI WriteShort(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED) {
    return WriteFile(file, data, size - 1, written, nullptr);
}


// A 32-bit and a 16-bit source, each with a group 0.
std::vector<std::string> Sources(const TempFolder& folder) {
    using namespace fixtures;
    return {FixturePath("icons64.dll"), folder.WriteFile("old.exe", NeIconModule({{BitmapImage(32, 32, 4, 1)}}))};
}

}  // namespace

TEST(IcoWriting, FailedWritesAreReportedAndLeaveWhatWasThere) {
    TempFolder folder, out;
    for (FileWriteFunction writer : {FailHalfway, WriteShort})
        for (const std::string& source : Sources(folder)) {
            const std::string output = out.Path() + "out.ico", old = writer == FailHalfway ? "old icon" : "";
            DeleteFileA(output.c_str());
            if (!old.empty()) out.WriteFile("out.ico", old);
            MessageRecorder messages;
            {
                const TestSeam failing(SetFileWriterForTesting, writer);
                ExportIconGroup(source.c_str(), 0, output.c_str());
            }
            EXPECT_EQ(ReadWholeFile(output), old) << source;
            EXPECT_EQ(FolderFiles(out.Path()).size(), old.empty() ? 0u : 1u) << source;
            ASSERT_EQ(messages.Messages().size(), 1u) << source;
            const EngineMessage& message = messages.Messages()[0];
            EXPECT_EQ(message.text, "Error Writing ICO File");
            EXPECT_EQ(message.caption, output);
            EXPECT_EQ(message.style, static_cast<unsigned>(MB_OK));
        }
}

TEST(IcoWriting, OutputThatCannotBeCreatedIsReported) {
    TempFolder folder;
    const std::string output = folder.Path() + "missing\\out.ico";
    for (const std::string& source : Sources(folder)) {
        MessageRecorder messages;
        ExportIconGroup(source.c_str(), 0, output.c_str());
        ASSERT_EQ(messages.Messages().size(), 1u) << source;
        EXPECT_EQ(messages.Messages()[0].text, "Error Opening File for Writing");
        EXPECT_EQ(messages.Messages()[0].caption, output);
    }
}

// A scanner or an indexer holds a file it has just seen for a moment: the export waits for it.
TEST(IcoWriting, ATargetHeldOpenWithoutSharingIsWaitedForAMomentThenReportedAndStaysAsItWas) {
    TempFolder folder, out;
    MessageRecorder messages;
    const std::string held = out.WriteFile("held.ico", "old icon");
    const HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread moment([&] {
        const HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SetEvent(opened);
        Sleep(300);
        CloseHandle(holder);
    });
    WaitForSingleObject(opened, 10000);
    CloseHandle(opened);
    ExportIconGroup(FixturePath("icons64.dll").c_str(), 0, held.c_str());
    moment.join();
    EXPECT_TRUE(messages.Messages().empty());
    EXPECT_EQ(ReadWholeFile(held).substr(0, 4), std::string("\0\0\1\0", 4));

    out.WriteFile("held.ico", "old icon");
    const HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    for (const std::string& source : Sources(folder))
        ExportIconGroup(source.c_str(), 0, held.c_str());
    CloseHandle(holder);
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(messages.Messages()[1].text, "Error Opening File for Writing");
    EXPECT_EQ(ReadWholeFile(held), "old icon");
    EXPECT_EQ(FolderFiles(out.Path()), std::vector<std::string>{"held.ico"});
}

// Beside a target in a folder so deep that a temporary name makes the path longer than MAX_PATH,
// the old file too is kept until the new one is complete.
TEST(IcoWriting, ADeepFolderKeepsTheOldFileUntilTheNewOneIsComplete) {
    TempFolder folder;
    const std::string deep = folder.Path() + std::string(MAX_PATH - 14 - folder.Path().size(), 'd') + "\\";
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    folder.WriteFile(deep.substr(folder.Path().size()) + "a.ico", "old icon");
    {
        MessageRecorder messages;
        const TestSeam failing(SetFileWriterForTesting, &FailHalfway);
        ExportIconGroup(FixturePath("icons64.dll").c_str(), 0, (deep + "a.ico").c_str());
    }
    EXPECT_EQ(ReadWholeFile(deep + "a.ico"), "old icon");
    ExportIconGroup(FixturePath("icons64.dll").c_str(), 0, (deep + "a.ico").c_str());
    EXPECT_EQ(FolderFiles(deep), std::vector<std::string>{"a.ico"});
    EXPECT_EQ(ReadWholeFile(deep + "a.ico").substr(0, 4), std::string("\0\0\1\0", 4));
}

TEST(IcoWriting, MessagesAreBoxesWithoutOwnerCaptionedWithTheOutputPath) {
    TempFolder folder;
    const std::string output = folder.Path() + "out.ico";
    DialogRobot robot;
    std::string owner = "unchecked";
    robot.Expect([&owner](HWND box) {
        owner = GetWindow(box, GW_OWNER) ? "owned" : "none";
        DialogRobot::Press(IDOK)(box);
    });
    {
        const TestSeam failing(SetFileWriterForTesting, &FailHalfway);
        ExportIconGroup(FixturePath("icons64.dll").c_str(), 3, output.c_str());
    }
    robot.Verify();
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_EQ(robot.Seen()[0].caption, output);
    EXPECT_NE(std::find(robot.Seen()[0].texts.begin(), robot.Seen()[0].texts.end(), "Error Writing ICO File"),
              robot.Seen()[0].texts.end());
    EXPECT_EQ(owner, "none");
    EXPECT_FALSE(FileExists(output));
}
