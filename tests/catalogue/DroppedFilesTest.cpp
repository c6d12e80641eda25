// Files dropped on the window from a file manager.
#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/CatalogueFileLook.h"
#include "catalogue/FolderWalk.h"
#include "files/WideNames.h"
#include "resource.h"
#include "support/EngineTestSupport.h"
#include "support/MainWindowHarness.h"
#include "support/TestSeam.h"

namespace {

constexpr const char* Notepad = "C:\\windows\\notepad.exe";
constexpr const char* Regedit = "C:\\windows\\regedit.exe";

// The drop a file manager hands over: the names one after another, ended by an empty one.
HDROP MakeDrop(const std::vector<std::string>& files) {
    std::string names;
    for (const std::string& file : files)
        names += file + '\0';
    names += '\0';
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + names.size());
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    std::memcpy(drop + 1, names.data(), names.size());
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// The same with the names in UTF-16, as file managers hand them over today.
HDROP MakeWideDrop(const std::vector<std::wstring>& files) {
    std::wstring names;
    for (const std::wstring& file : files)
        names += file + L'\0';
    names += L'\0';
    const size_t bytes = names.size() * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(drop + 1, names.data(), bytes);
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

using DroppedFilesTest = MainWindowTest;

TEST_F(DroppedFilesTest, DroppedFilesAreAddedAsPickedOnesAndTheLastOneInTheCatalogueIsShown) {
    WriteCatalogue(std::string(Notepad) + "\r\n");
    std::string icon = temp.WriteFile("Picture.ico", ReadWholeFile(HostPathToWindows(GLYPHDOCK_PROGRAM_ICON)));
    ExplorerDialog& window = Start();
    EXPECT_TRUE(GetWindowLongPtrA(Window(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);

    // Nothing is taken while a dialog of the window has it disabled.
    EnableWindow(Window(), FALSE);
    PostMessageA(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({icon})), 0);
    PumpMessages();
    EnableWindow(Window(), TRUE);
    EXPECT_EQ(CatalogueNames().size(), 1u);

    robot.Expect(DialogRobot::Press(IDOK));  // the text file holds no icons
    std::vector<std::string> dropped = {Regedit, "C:\\WINDOWS\\NOTEPAD.EXE", "C:\\windows\\missing.exe"};
    dropped.push_back(temp.WriteFile("notes.txt", "no icons"));
    dropped.push_back(icon);
    dropped.push_back(Regedit + std::string(300, ' '));  // too long for a path, never cut short
    PostMessageA(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(dropped)), 0);
    PumpMessages();
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_EQ(robot.Seen()[0].texts.back(), "The selected file does not contain icons.");
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Notepad, icon, Regedit}));
    EXPECT_EQ(StatusText(window.StatusBar(), 0), "3 Object(s)");
    EXPECT_EQ(Catalogue().GetCurSel(), 1);
    EXPECT_EQ(WindowText(Window()), icon + " - Glyphdock");
    EXPECT_EQ(ListViewItems(window.IconView()), (std::vector<std::string>{"Icon: 000"}));
    EXPECT_EQ(lastAddFolder[0], 0) << "the dialog's folder is the dialog's own";
}

// A file named in a script the code page cannot hold ("Иконки.ico" in code page 1252) came back
// from the 8-bit functions as "??????.ico", which then matched it as a wildcard and could not be
// read: the user was told that it held no icons, or nothing when a folder's walk met it. Named on
// the command line, dropped or picked, it is now told for what it is; a walk counts such files,
// below such a folder too, and says so once at its end. The other files are added.
TEST_F(DroppedFilesTest, ANameTheCodePageCannotHoldIsToldWhereverItComesFrom) {
    const std::wstring folder = WideFromAnsi(temp.Path().c_str()), cyrillic = L"\u0418\u043A\u043E\u043D\u043A\u0438";
    const std::wstring icon = folder + cyrillic + L".ico";
    std::string lossy;
    if (AnsiFromWide(icon.c_str(), lossy)) GTEST_SKIP() << "the code page holds Cyrillic";
    const std::string bytes = ReadWholeFile(HostPathToWindows(GLYPHDOCK_PROGRAM_ICON));
    const auto write = [&bytes](const std::wstring& path) {
        const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    };
    write(icon);
    const std::wstring walked = folder + L"walked\\";
    ASSERT_TRUE(CreateDirectoryW(walked.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((walked + cyrillic).c_str(), nullptr));
    write(walked + cyrillic + L".ico");
    write(walked + cyrillic + L"\\Picture.ico");
    write(walked + L"Plain.ico");

    commandLineFiles = NamesOnCommandLine((L"glyphdock.exe \"" + icon + L"\" C:\\windows\\regedit.exe").c_str());
    robot.Expect(DialogRobot::Press(IDOK));
    Start();
    PostMessageA(Window(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeWideDrop({icon, L"C:\\windows\\notepad.exe", walked})), 0);
    robot.Expect(DialogRobot::Press(IDOK)).Expect(DialogRobot::Press(IDOK));
    PumpMessages();
    robot.Expect([&icon](HWND open) {
             SetDlgItemTextW(open, 1148, icon.c_str());
             DialogRobot::Press(IDOK)(open);
         })
        .Expect(DialogRobot::Press(IDOK));
    Command(ID_FILE_NEW);

    robot.Verify();
    ASSERT_EQ(robot.Seen().size(), 5u);
    for (size_t i : {0u, 1u, 2u, 4u}) {
        EXPECT_EQ(robot.Seen()[i].caption, "Glyphdock");
        EXPECT_EQ(robot.Seen()[i].texts.back(),
                  i == 2 ? "2 files were skipped because their names hold characters this program cannot use."
                         : NameNotUsable);
    }
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Notepad, temp.Path() + "walked\\Plain.ico", Regedit}));
}

// A folder adds every file with icons in it and in its subfolders, hidden ones too, once each,
// without a message for the others; a link back up to the folder is not followed.
TEST_F(DroppedFilesTest, ADroppedFolderAddsTheFilesWithIconsInItsTree) {
    const std::string folder = FixturePath("walk") + "\\";
    const DWORD link = GetFileAttributesA((folder + "sub\\up").c_str());
    ASSERT_NE(link, INVALID_FILE_ATTRIBUTES) << "the build makes the link";
    ASSERT_TRUE(link & FILE_ATTRIBUTE_REPARSE_POINT);
    const std::string icon = folder + "Picture.ico", library = folder + "sub\\Library.dll",
                      hidden = folder + ".hidden.exe";
    const auto clear = [&] {  // the folder is the build's: nothing stays for the next run
        for (const std::string& file : {icon, library, hidden, folder + "notes.txt"})
            DeleteFileA(file.c_str());
    };
    clear();
    ASSERT_TRUE(CopyFileA(HostPathToWindows(GLYPHDOCK_PROGRAM_ICON).c_str(), icon.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(FixturePath("icons64.dll").c_str(), library.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA(Notepad, hidden.c_str(), FALSE));
    ASSERT_TRUE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN);
    temp.WriteFile("walk-notes.txt", "");
    ASSERT_TRUE(CopyFileA((temp.Path() + "walk-notes.txt").c_str(), (folder + "notes.txt").c_str(), FALSE));

    ExplorerDialog& window = Start();
    PostMessageA(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({folder})), 0);
    PumpMessages();
    EXPECT_TRUE(robot.Seen().empty());
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{hidden, library, icon}));
    EXPECT_EQ(StatusText(window.StatusBar(), 0), "3 Object(s)");
    EXPECT_EQ(WindowText(Window()), library + " - Glyphdock") << "the last one added";
    for (int i = 0; i < 3; ++i)  // a line makes its small icon when it is painted
        EXPECT_GE(EntryOf(i)->smallImage, 0) << "the list is painted again after the walk";
    clear();
}

// What the walk does with each entry, by what Windows' listing reports of it.
TEST(FolderWalk, FollowsNoLinkWalksCloudFoldersAndReadsNoFileStoredOnlyOnline) {
    constexpr DWORD Directory = FILE_ATTRIBUTE_DIRECTORY, Reparse = FILE_ATTRIBUTE_REPARSE_POINT,
                    Archive = FILE_ATTRIBUTE_ARCHIVE, Cloud = 0x9000301A;  // a cloud provider's tag
    constexpr DWORD RecallOnOpen = 0x40000, RecallOnDataAccess = 0x400000;
    EXPECT_EQ(WalkEntryKind(Directory | Reparse, IO_REPARSE_TAG_SYMLINK), WalkEntry::Skip);
    EXPECT_EQ(WalkEntryKind(Directory | Reparse, IO_REPARSE_TAG_MOUNT_POINT), WalkEntry::Skip);  // junctions too
    EXPECT_EQ(WalkEntryKind(Directory | Reparse, 0), WalkEntry::Skip) << "Wine reports no tag for its links";
    EXPECT_EQ(WalkEntryKind(Directory | Reparse, Cloud), WalkEntry::Subfolder);
    EXPECT_EQ(WalkEntryKind(Directory | Reparse | RecallOnOpen, Cloud), WalkEntry::Subfolder);
    EXPECT_EQ(WalkEntryKind(Directory, 0), WalkEntry::Subfolder);
    EXPECT_EQ(WalkEntryKind(Archive | Reparse | RecallOnDataAccess, Cloud), WalkEntry::OnlineOnly);
    EXPECT_EQ(WalkEntryKind(Archive | RecallOnOpen, 0), WalkEntry::OnlineOnly);
    EXPECT_EQ(WalkEntryKind(Archive | FILE_ATTRIBUTE_OFFLINE, 0), WalkEntry::OnlineOnly);
    EXPECT_EQ(WalkEntryKind(Archive | Reparse, Cloud), WalkEntry::File) << "a cloud file kept on this computer";
    EXPECT_EQ(WalkEntryKind(Archive | Reparse, IO_REPARSE_TAG_SYMLINK), WalkEntry::File);
    EXPECT_EQ(WalkEntryKind(FILE_ATTRIBUTE_NORMAL, 0), WalkEntry::File);
}

// The limit counts the entries of all the folders of one drop: a later folder cut by it is told,
// even when the limit was met exactly at the end of the one before. Everything to say comes in
// one message.
TEST(FolderWalk, AFolderCutByTheLimitIsToldWithTheOtherSentences) {
    TempFolder folder;
    for (const char* name : {"a\\", "b\\", "c\\"})
        CreateDirectoryA((folder.Path() + name).c_str(), nullptr);
    for (const char* name : {"a\\1.exe", "a\\2.exe"})
        folder.WriteFile(name, "");
    FolderWalk walk;
    walk.limit = 3;
    std::vector<std::string> files;
    std::vector<std::wstring> subfolders;
    const std::wstring top = WideFromAnsi(folder.Path().c_str());
    walk.List(top, files, subfolders);          // its three folders
    walk.List(top + L"c\\", files, subfolders);  // empty: nothing is cut
    EXPECT_FALSE(walk.cut);
    EXPECT_TRUE(walk.EndSentences().empty());
    walk.List(top + L"a\\", files, subfolders);
    EXPECT_TRUE(walk.cut);
    EXPECT_EQ(files, (std::vector<std::string>{}));
    walk.onlineOnly = 2;
    walk.unusableNames = 1;
    EXPECT_EQ(walk.EndSentences(),
              (std::vector<std::string>{"1 files were skipped because their names hold characters this program cannot use.",
                                        "2 files stored only online were not looked at.",
                                        "Only the first 3 files were looked at."}));
}

// Files that take seconds each to read (a slow share, a scanner that holds every file it is
// shown): the window answers other programs all the while, and the files come in their order.
std::atomic<int> slowLooksBegun{0};
CatalogueLookFunction programsLook = nullptr;
CatalogueFileLook SlowLook(const char* path) {
    ++slowLooksBegun;
    Sleep(1500);
    return programsLook(path);
}

TEST_F(DroppedFilesTest, TheWindowAnswersWhileTheFilesOfAFolderAreSlowToRead) {
    const std::string icon = ReadWholeFile(HostPathToWindows(GLYPHDOCK_PROGRAM_ICON));
    std::vector<std::string> files;
    CreateDirectoryA((temp.Path() + "Icons").c_str(), nullptr);
    for (const char* name : {"Icons\\a.ico", "Icons\\b.ico", "Icons\\c.ico"})
        files.push_back(temp.WriteFile(name, icon));
    ExplorerDialog& window = Start();
    const TestSeam slowLooks(SetCatalogueLookForTesting, &SlowLook);
    programsLook = slowLooks.Previous();
    bool answered = false;
    std::thread otherProgram([&] {
        while (slowLooksBegun == 0)
            Sleep(10);
        DWORD_PTR result = 0;
        answered = SendMessageTimeoutA(Window(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
    });
    PostMessageA(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({temp.Path() + "Icons"})), 0);
    PumpMessages();
    otherProgram.join();
    EXPECT_TRUE(answered) << "the window did not answer within a second";
    EXPECT_EQ(CataloguePaths(), files);
    EXPECT_EQ(StatusText(window.StatusBar(), 0), "3 Object(s)");
}

}  // namespace
