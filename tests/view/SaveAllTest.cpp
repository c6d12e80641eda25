// Save All from the main window: the folder chosen or typed in the chooser, the question before
// creating it, the files written and the folders that cannot take them.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "engine/IconSource.h"
#include "ui/FolderChooser.h"
#include "files/ReplaceFile.h"
#include "files/WideNames.h"
#include "fixtures/IconFixtures.h"
#include "resource.h"
#include "support/EngineTestSupport.h"
#include "support/MainWindowHarness.h"
#include "support/TestSeam.h"

namespace {

DialogRobot::Action TypeFolder(const std::string& folder) {
    return DialogRobot::TypeAndPress(ChooserEditId, folder, IDOK);
}

bool Shows(const DialogRobot::SeenDialog& box, const std::string& text) {
    return std::find(box.texts.begin(), box.texts.end(), text) != box.texts.end();
}

// New files are refused once `creationsLeft` are made, as a folder under Controlled Folder
// Access or on a read-only share refuses them.
int creationsLeft = 0;
HANDLE WINAPI RefuseCreations(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                              DWORD disposition, DWORD flags, HANDLE model) {
    if (creationsLeft-- > 0) return CreateFileW(path, access, share, security, disposition, flags, model);
    SetLastError(ERROR_ACCESS_DENIED);
    return INVALID_HANDLE_VALUE;
}

// The first write takes seconds, as on a slow share.
HANDLE slowWriteStarted = nullptr;
BOOL WINAPI SlowFirstWrite(HANDLE file, LPCVOID data, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
    static bool slowed = false;
    if (!slowed) {
        slowed = true;
        SetEvent(slowWriteStarted);
        Sleep(3000);
    }
    return WriteFile(file, data, size, written, overlapped);
}

class SaveAllTest : public MainWindowTest {
protected:
    // Starts with one source in the catalogue.
    void StartWith(const std::string& source) {
        WriteCatalogue(source + "\r\n");
        Start();
    }
    // Each file in `folder` equals what the engine itself writes for the source.
    void ExpectEngineFiles(const std::string& folder, const std::string& source) {
        const std::string reference = temp.Path() + "reference\\";
        CreateDirectoryA(reference.c_str(), nullptr);
        ExportAllIconGroups(source.c_str(), reference.c_str());
        const std::vector<std::string> files = FolderFiles(folder);
        EXPECT_EQ(files, FolderFiles(reference));
        for (const std::string& file : files)
            EXPECT_EQ(ReadWholeFile(folder + file), ReadWholeFile(reference + file)) << file;
    }
    std::string LastText() { return robot.Seen().back().texts.back(); }

    std::string icons = FixturePath("icons64.dll");
};

TEST_F(SaveAllTest, ATypedFolderIsCreatedAfterYesAndFilledAndFilesLeftThereAreReplaced) {
    StartWith(icons);
    const std::string folder = temp.Path() + "two\\levels";
    robot.Expect(TypeFolder("  " + folder + "  ")).Expect(DialogRobot::Press(IDYES));
    Command(ID_FILE_SAVE_ALL);
    robot.Verify();
    EXPECT_EQ(LastText(), "\"" + folder + "\" doesn't exits. Do you want to create it?");
    EXPECT_STREQ(lastSaveAllFolder, folder.c_str());
    EXPECT_EQ(FolderFiles(folder + "\\").size(), 10u);
    ExpectEngineFiles(folder + "\\", icons);

    // The next Save All opens in that folder; what it finds there is replaced without a question.
    temp.WriteFile("two\\levels\\icons64_004.ico", "left over");
    std::string shown;
    robot.Expect([&](HWND chooser) {
        shown = WindowText(GetDlgItem(chooser, ChooserEditId));
        DialogRobot::Press(IDOK)(chooser);
    });
    Command(ID_FILE_SAVE_ALL);
    EXPECT_EQ(shown, folder);
    ExpectEngineFiles(folder + "\\", icons);
}

// In code page 932 the second byte of 表 and ソ is 0x5C: the new folders are made as typed, never
// cut inside a character, and a folder whose name ends in 表 gets its files inside it.
TEST_F(SaveAllTest, NewFoldersNamedInADoubleByteCodePageAreMadeAsTyped) {
    if (GetACP() != 932) GTEST_SKIP() << "runs in code page 932";
    StartWith(icons);
    const std::string parent = temp.Path() + "\x95\x5C\x8E\xA6\\";                            // 表示
    const std::string folder = parent + "\x83\x5C\x83\x74\x83\x67", table = parent + "\x95\x5C";  // ソフト, 表
    robot.Expect(TypeFolder(folder)).Expect(DialogRobot::Press(IDYES));
    robot.Expect(TypeFolder(table)).Expect(DialogRobot::Press(IDYES));
    Command(ID_FILE_SAVE_ALL);
    Command(ID_FILE_SAVE_ALL);
    robot.Verify();
    const auto folders = [](const std::string& in) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found;
        const HANDLE search = FindFirstFileW((WideFromAnsi(in.c_str()) + L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != L'.')
                names.push_back(found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_EQ(folders(temp.Path()), std::vector<std::wstring>{L"\u8868\u793A"});
    EXPECT_EQ(folders(parent), (std::vector<std::wstring>{L"\u30BD\u30D5\u30C8", L"\u8868"}));
    ExpectEngineFiles(folder + "\\", icons);
    EXPECT_EQ(FolderFiles(table + "\\"), FolderFiles(folder + "\\"));
}

TEST_F(SaveAllTest, NoBlanksOrCancelWriteNothing) {
    StartWith(icons);
    robot.Expect(TypeFolder(temp.Path() + "not\\wanted")).Expect(DialogRobot::Press(IDNO));
    Command(ID_FILE_SAVE_ALL);
    EXPECT_STREQ(lastSaveAllFolder, "") << "a folder is remembered only once it is accepted";

    std::strcpy(lastSaveAllFolder, temp.Path().c_str());
    robot.Expect(TypeFolder("   ")).Expect(DialogRobot::Press(IDCANCEL));
    Command(ID_FILE_SAVE_ALL);
    EXPECT_STREQ(lastSaveAllFolder, "");
    Command(ID_FILE_SAVE_ALL);
    robot.Verify();
    EXPECT_EQ(FolderFiles(temp.Path()), (std::vector<std::string>{"glyphdocklib.dat"}));
    EXPECT_FALSE(FileExists(temp.Path() + "not"));
}

// A file in the folder's place fails once, before any icon is written, and so does a folder so
// deep that the output names would not fit in a path.
TEST_F(SaveAllTest, AFolderThatCannotTakeTheFilesShowsOneMessage) {
    StartWith(icons);
    const std::string blocker = temp.WriteFile("blocker", "a file");
    const std::string deep = temp.Path() + std::string(MAX_PATH - 16 - temp.Path().size(), 'd');
    robot.Expect(TypeFolder(blocker + "\\sub")).Expect(DialogRobot::Press(IDYES)).Expect(DialogRobot::Press(IDOK));
    robot.Expect(TypeFolder(blocker)).Expect(DialogRobot::Press(IDOK));
    robot.Expect(TypeFolder(deep)).Expect(DialogRobot::Press(IDOK));
    for (int i = 0; i < 3; ++i)
        Command(ID_FILE_SAVE_ALL);
    robot.Verify();
    ASSERT_EQ(robot.Seen().size(), 7u);
    for (size_t message : {2u, 4u, 6u}) {
        EXPECT_EQ(robot.Seen()[message].caption, "Glyphdock");
        EXPECT_EQ(robot.Seen()[message].texts.back(), message < 6
                                                          ? "Cannot create directory. Check your entries and try again."
                                                          : "The folder's path is too long for the icon file names.");
    }
    EXPECT_EQ(FolderFiles(temp.Path()), (std::vector<std::string>{"blocker", "glyphdocklib.dat"}));
    EXPECT_FALSE(FileExists(deep));
}

// A file held by another program past the wait fails alone; a folder that refuses new files is
// told once, for the first file it refuses, with the count of icons not saved.
TEST_F(SaveAllTest, AHeldFileFailsAloneAndAFolderThatRefusesFilesIsToldOnceWithTheCount) {
    StartWith(icons);
    const std::string folder = temp.Path() + "out\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string held = temp.WriteFile("out\\icons64_003.ico", "old icon");
    const HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    robot.Expect(TypeFolder(folder)).Expect(DialogRobot::Press(IDOK));
    Command(ID_FILE_SAVE_ALL);
    CloseHandle(holder);
    robot.Verify();
    ASSERT_EQ(robot.Seen().size(), 2u);
    EXPECT_EQ(robot.Seen()[1].caption, held);
    EXPECT_TRUE(Shows(robot.Seen()[1], "Error Opening File for Writing"));
    EXPECT_EQ(FolderFiles(folder).size(), 10u);
    EXPECT_EQ(ReadWholeFile(held), "old icon");

    const std::string refusing = temp.Path() + "refusing\\";
    CreateDirectoryA(refusing.c_str(), nullptr);
    creationsLeft = 2;
    {
        const TestSeam refused(SetFileCreatorForTesting, &RefuseCreations);
        robot.Expect(TypeFolder(refusing)).Expect(DialogRobot::Press(IDOK)).Expect(DialogRobot::Press(IDOK));
        Command(ID_FILE_SAVE_ALL);
    }
    robot.Verify();
    ASSERT_EQ(robot.Seen().size(), 5u);
    EXPECT_EQ(robot.Seen()[3].caption, refusing + "icons64_002.ico");
    EXPECT_TRUE(Shows(robot.Seen()[3], "Error Opening File for Writing"));
    EXPECT_EQ(robot.Seen()[4].caption, "Glyphdock");
    EXPECT_EQ(LastText(), "8 of 10 icons were not saved.");
    EXPECT_EQ(FolderFiles(refusing), (std::vector<std::string>{"icons64_000.ico", "icons64_001.ico"}));
}

// Another program's messages are answered while a file takes seconds to write.
TEST_F(SaveAllTest, TheWindowAnswersWhileAFileTakesSecondsToWrite) {
    StartWith(icons);
    const std::string folder = temp.Path() + "out\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    slowWriteStarted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const HWND window = Window();
    bool answered = false;
    std::thread probe([&] {
        DWORD_PTR result = 0;
        answered = WaitForSingleObject(slowWriteStarted, 30000) == WAIT_OBJECT_0 &&
                   SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
    });
    {
        const TestSeam slow(SetFileWriterForTesting, &SlowFirstWrite);
        robot.Expect(TypeFolder(folder));
        Command(ID_FILE_SAVE_ALL);
    }
    probe.join();
    CloseHandle(slowWriteStarted);
    EXPECT_TRUE(answered);
    ExpectEngineFiles(folder, icons);
}

// The others are written with their numbers; a file of the unread group's name stays as it was.
TEST_F(SaveAllTest, IconsThatCannotBeReadAreCountedAndLeaveTheirFilesAsTheyWere) {
    StartWith(temp.WriteFile("damaged.dll", ModuleWithADamagedGroup()));
    const std::string folder = temp.Path() + "out\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    temp.WriteFile("out\\damaged_001.ico", "old icon");
    robot.Expect(TypeFolder(folder)).Expect(DialogRobot::Press(IDOK));
    Command(ID_FILE_SAVE_ALL);
    robot.Verify();
    EXPECT_EQ(LastText(), "1 of 3 icons could not be read and were not saved.");
    EXPECT_EQ(FolderFiles(folder), (std::vector<std::string>{"damaged_000.ico", "damaged_001.ico", "damaged_002.ico"}));
    EXPECT_EQ(ReadWholeFile(folder + "damaged_001.ico"), "old icon");

    // A source that no longer holds a module when Save All reads it is told, not passed over.
    temp.WriteFile("damaged.dll", "replaced since it was shown");
    robot.Expect(TypeFolder(folder)).Expect(DialogRobot::Press(IDOK));
    Command(ID_FILE_SAVE_ALL);
    robot.Verify();
    EXPECT_EQ(LastText(), "The icons could not be read. Nothing was saved.");
    EXPECT_EQ(ReadWholeFile(folder + "damaged_000.ico").substr(0, 4), std::string("\0\0\1\0", 4));
}

TEST_F(SaveAllTest, AnIconFileIsRefusedAfterTheFolderWasChosen) {
    StartWith(temp.WriteFile("picture.ico", fixtures::IcoFile({fixtures::BitmapImage(32, 32, 4, 3)})));
    robot.Expect(TypeFolder(temp.Path())).Expect(DialogRobot::Press(IDOK));
    Command(ID_FILE_SAVE_ALL);
    robot.Verify();
    EXPECT_EQ(LastText(), "This is already an icon file ! Operation aborted.");
    EXPECT_EQ(FolderFiles(temp.Path()), (std::vector<std::string>{"glyphdocklib.dat", "picture.ico"}));
}

// Numbers have three digits at least: group 1000 is written as _1000.
TEST_F(SaveAllTest, AThousandGroupsGiveFourDigitNamesFromOneThousandOn) {
    using namespace fixtures;
    const std::vector<std::vector<std::string>> groups(1001, std::vector<std::string>{BitmapImage(16, 16, 1, 7)});
    const std::string source = temp.WriteFile("many.exe", NeIconModule(groups));
    const std::string small = temp.WriteFile("a.ico", IcoFile({BitmapImage(16, 16, 1, 7)}));
    WriteCatalogue(small + "\r\n" + source + "\r\n");
    Start();
    // Save All reads the selected line only; the view need not show the thousand icons first,
    // which the shell takes seconds to extract.
    ASSERT_EQ(CataloguePaths()[1], source);
    Catalogue().SetCurSel(1);
    const std::string folder = temp.Path() + "many\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    robot.Expect(TypeFolder(folder));
    Command(ID_FILE_SAVE_ALL);
    const std::vector<std::string> files = FolderFiles(folder);
    ASSERT_EQ(files.size(), 1001u);
    EXPECT_EQ(files[0], "many_000.ico");
    EXPECT_TRUE(FileExists(folder + "many_999.ico"));
    EXPECT_TRUE(FileExists(folder + "many_1000.ico"));
}

}  // namespace
