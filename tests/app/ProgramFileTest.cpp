// The program file itself: a 64-bit GUI program that needs no DLL beyond those of Windows, and
// that starts and ends on its own in an empty folder.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

#include "support/MainWindowHarness.h"
#include "support/TempFolder.h"

namespace {

std::string ProgramPath() {
    return HostPathToWindows(GLYPHDOCK_EXE_PATH);
}

// Reads a structure at a file offset, or fails the test.
template <typename T>
T At(const std::string& image, size_t offset) {
    T value{};
    if (offset + sizeof(T) <= image.size())
        memcpy(&value, image.data() + offset, sizeof(T));
    else
        ADD_FAILURE() << "read past the end of the program file at " << offset;
    return value;
}

size_t RvaToOffset(const std::string& image, const IMAGE_NT_HEADERS64& nt, size_t sectionsAt, DWORD rva) {
    for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
        auto section = At<IMAGE_SECTION_HEADER>(image, sectionsAt + i * sizeof(IMAGE_SECTION_HEADER));
        if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.Misc.VirtualSize)
            return rva - section.VirtualAddress + section.PointerToRawData;
    }
    return image.size();
}

TEST(ProgramFile, IsA64BitGuiProgramImportingOnlyWindowsOwnLibraries) {
    std::string image = ReadWholeFile(ProgramPath());
    ASSERT_GT(image.size(), 4096u) << ProgramPath();
    auto dos = At<IMAGE_DOS_HEADER>(image, 0);
    ASSERT_EQ(dos.e_magic, IMAGE_DOS_SIGNATURE);
    auto nt = At<IMAGE_NT_HEADERS64>(image, static_cast<size_t>(dos.e_lfanew));
    ASSERT_EQ(nt.Signature, IMAGE_NT_SIGNATURE);
    EXPECT_EQ(nt.FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
    ASSERT_EQ(nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR64_MAGIC) << "PE32+";
    EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);

    size_t sectionsAt = static_cast<size_t>(dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                        nt.FileHeader.SizeOfOptionalHeader;
    DWORD importRva = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    size_t descriptorAt = RvaToOffset(image, nt, sectionsAt, importRva);
    const std::set<std::string> windowsOwn = {"kernel32.dll", "user32.dll",  "gdi32.dll",    "comctl32.dll",
                                              "comdlg32.dll", "shell32.dll", "advapi32.dll", "ole32.dll",
                                              "msvcrt.dll",   "shlwapi.dll", "oleaut32.dll"};
    std::set<std::string> imported;
    for (;; descriptorAt += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        auto descriptor = At<IMAGE_IMPORT_DESCRIPTOR>(image, descriptorAt);
        if (descriptor.Name == 0 || HasFailure()) break;
        size_t nameAt = RvaToOffset(image, nt, sectionsAt, descriptor.Name);
        ASSERT_LT(nameAt, image.size());
        std::string name(image.c_str() + nameAt);
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        imported.insert(name);
    }
    EXPECT_TRUE(imported.count("user32.dll"));
    for (const std::string& name : imported)
        EXPECT_TRUE(windowsOwn.count(name)) << "imports " << name;
}

struct FoundWindow {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM found) {
    auto* search = reinterpret_cast<FoundWindow*>(found);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == search->process && IsWindowVisible(window) && GetMenu(window)) {
        search->window = window;
        return FALSE;
    }
    return TRUE;
}

// A copy of the program started with a command line in a folder, and its main window once shown.
struct RunningProgram {
    PROCESS_INFORMATION started{};
    HWND window = nullptr;
};

RunningProgram StartProgram(const std::string& program, std::string commandLine, const std::string& folder) {
    RunningProgram running;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &running.started)) {
        ADD_FAILURE() << "cannot start " << program;
        return running;
    }
    FoundWindow search{running.started.dwProcessId, nullptr};
    for (int i = 0; i < 400 && !search.window; ++i) {
        Sleep(50);
        EnumWindows(&FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    }
    EXPECT_NE(search.window, nullptr) << "the main window never showed";
    // A folder's walk shows the window as it begins, and answers other programs while it looks
    // at the files: waiting for input does not tell that it is done.
    WaitForInputIdle(running.started.hProcess, 20000);
    running.window = search.window;
    return running;
}

// Closes the program's window and waits for the program to end.
void CloseProgram(RunningProgram& running) {
    if (!running.started.hProcess) return;
    if (running.window) PostMessageA(running.window, WM_CLOSE, 0, 0);
    DWORD ended = WaitForSingleObject(running.started.hProcess, 20000);
    EXPECT_EQ(ended, WAIT_OBJECT_0) << "the program did not end after its window closed";
    if (ended != WAIT_OBJECT_0) TerminateProcess(running.started.hProcess, 1);
    WaitForSingleObject(running.started.hProcess, 5000);
    CloseHandle(running.started.hThread);
    CloseHandle(running.started.hProcess);
}

TEST(ProgramFile, StartsAloneInAnEmptyFolderAndEndsWhenItsWindowCloses) {
    TempFolder catalogueFolder;
    TempFolder programFolder;
    SetEnvironmentVariableA("TMP", catalogueFolder.Path().c_str());
    SetEnvironmentVariableA("TEMP", catalogueFolder.Path().c_str());
    catalogueFolder.WriteFile("glyphdocklib.dat", "\r\n");  // no seeding, so no start-up messages
    std::string program = programFolder.Path() + "glyphdock.exe";
    ASSERT_TRUE(CopyFileA(ProgramPath().c_str(), program.c_str(), TRUE));

    RunningProgram running = StartProgram(program, "\"" + program + "\"", programFolder.Path());
    CloseProgram(running);
}

// What "Open with" does: the program started with a file's name. It starts as usual, then adds
// and shows the file; a name relative to its current folder is stored as a full path.
TEST(ProgramFile, AddsAndShowsTheFilesNamedOnItsCommandLine) {
    TempFolder catalogueFolder;
    SetEnvironmentVariableA("TMP", catalogueFolder.Path().c_str());
    SetEnvironmentVariableA("TEMP", catalogueFolder.Path().c_str());
    catalogueFolder.WriteFile("glyphdocklib.dat", "C:\\windows\\regedit.exe\r\n");
    // A folder named too: the files with icons in its tree are added.
    TempFolder folder;
    CreateDirectoryA((folder.Path() + "sub").c_str(), nullptr);
    const std::string icon =
        folder.WriteFile("sub\\Picture.ico", ReadWholeFile(HostPathToWindows(GLYPHDOCK_PROGRAM_ICON)));
    folder.WriteFile("notes.txt", "no icons");

    const std::string named = folder.Path().substr(0, folder.Path().size() - 1);  // no backslash before a quote
    RunningProgram running =
        StartProgram(ProgramPath(), "\"" + ProgramPath() + "\" \"" + named + "\" notepad.exe C:\\windows\\missing.exe",
                     "C:\\windows");
    if (running.window) {
        const std::string shown = "C:\\windows\\notepad.exe - Glyphdock";
        for (int i = 0; i < 400 && WindowText(running.window) != shown; ++i)
            Sleep(50);
        EXPECT_EQ(WindowText(running.window), shown);
    }
    CloseProgram(running);
    EXPECT_EQ(ReadWholeFile(catalogueFolder.Path() + "glyphdocklib.dat"),
              "C:\\windows\\notepad.exe\r\n" + icon + "\r\nC:\\windows\\regedit.exe\r\n");
}

}  // namespace
