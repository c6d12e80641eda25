// What a user waits for at start-up with a large catalogue, the program started as a user starts
// it, from the launch until the work of the start is done (told by a close asked for as soon as
// the window shows, which waits until then, and the program's end):
//   - a catalogue of 300 copies of the prefix's programs under 300 names, against one of one
//     file, the middle of five starts each (startup entries=300 ms=X one_entry_ms=Y ratio=Z);
//   - the prefix's system32 folder named on the command line (folder files=N added=M ms=X);
//   - a folder of 3000 small icon files named on the command line: every one is added, so the
//     adding itself is what grows; and the longest the shown window left a message unanswered
//     while it added them: over five seconds, the system takes a window for hung and ghosts it
//     (folder icons files=N added=M ms=X longest_unanswered_ms=Y);
//   - in this process, the small icons and names of the 300 copies as the catalogue asks them
//     now, against the shell's call for each file that opens it, which the catalogue made before
//     (catalogue_look files=300 ours_ms=X shell_ms=Y ratio=Z).
#include "CatalogueBench.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "catalogue/CatalogueLook.h"
#include "engine/SourceReading.h"
#include "fixtures/IconFixtures.h"

namespace {

constexpr int Entries = 300;
constexpr int StartRuns = 5;
constexpr int IconFiles = 3000;

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Search {
    DWORD process;
    HWND window;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM found) {
    auto* search = reinterpret_cast<Search*>(found);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search->process || !IsWindowVisible(window) || !GetMenu(window)) return TRUE;
    search->window = window;
    return FALSE;
}

// Starts the program and asks it to close as soon as its main window shows. The close waits in
// the queue until the work of the start is done; the program may well be waiting for input
// before (the window answers what other programs send it while files are looked at), so
// WaitForInputIdle cannot tell. Answers the milliseconds from the launch to the program's end,
// or -1 when the window never came or the program did not end. With `unanswered`, asks the
// window again and again until the program ends, and sets it to the longest wait for an answer.
double TimedStart(const std::string& program, const std::string& arguments, double* unanswered = nullptr) {
    std::string command = "\"" + program + "\"" + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    Search search{process.dwProcessId, nullptr};
    while (!search.window && Now() - start < 60000 && WaitForSingleObject(process.hProcess, 2) == WAIT_TIMEOUT)
        EnumWindows(&FindMainWindow, reinterpret_cast<LPARAM>(&search));
    if (search.window) PostMessageA(search.window, WM_CLOSE, 0, 0);
    if (search.window && unanswered) {
        *unanswered = 0;
        while (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT && Now() - start < 60000) {
            const double asked = Now();
            DWORD_PTR answer;
            SendMessageTimeoutA(search.window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &answer);
            *unanswered = std::max(*unanswered, Now() - asked);
            Sleep(10);
        }
    }
    const bool ended = WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0;
    const double ms = search.window && ended ? Now() - start : -1;
    if (!ended) TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return ms;
}

double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

int CountLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    int lines = 0;
    for (char c : text)
        lines += c == '\n';
    return lines;
}

// The files a folder's walk looks at: hidden ones too, links to folders not followed.
int CountFiles(const std::string& folder) {
    int files = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++files;
        else if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
            files += CountFiles(folder + "\\" + name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

void CompareLooks(const std::vector<std::string>& files) {
    const double start = Now();
    for (const std::string& file : files) {
        const SourceReading reading(file.c_str());
        char name[MAX_PATH];
        CatalogueDisplayName(file.c_str(), name);
        if (HICON icon = CatalogueSmallIcon(file.c_str(), reading)) DestroyIcon(icon);
    }
    const double ours = Now() - start;
    const double shellStart = Now();
    for (const std::string& file : files) {
        SHFILEINFOA info{};
        auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(
            file.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_DISPLAYNAME | SHGFI_SMALLICON));
        if (HICON icon = list ? ImageList_GetIcon(list, info.iIcon, ILD_NORMAL) : nullptr) DestroyIcon(icon);
    }
    const double shell = Now() - shellStart;
    std::printf("catalogue_look files=%zu ours_ms=%.1f shell_ms=%.1f ratio=%.1f\n", files.size(), ours, shell,
                ours > 0 ? shell / ours : 0.0);
}

}  // namespace

void MeasureCatalogueStartup(const std::string& glyphdock, const std::string& folder) {
    // The program finds its catalogue in the temporary folder it inherits from here.
    const std::string catalogueFolder = folder + "catalogue\\", programs = folder + "programs\\";
    const std::string catalogue = catalogueFolder + "glyphdocklib.dat";
    CreateDirectoryA(catalogueFolder.c_str(), nullptr);
    CreateDirectoryA(programs.c_str(), nullptr);
    char oldTmp[MAX_PATH] = {}, oldTemp[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", oldTmp, MAX_PATH);
    GetEnvironmentVariableA("TEMP", oldTemp, MAX_PATH);
    SetEnvironmentVariableA("TMP", catalogueFolder.c_str());
    SetEnvironmentVariableA("TEMP", catalogueFolder.c_str());

    const char* sources[] = {"C:\\windows\\notepad.exe", "C:\\windows\\regedit.exe",
                             "C:\\windows\\system32\\winecfg.exe", "C:\\windows\\system32\\taskmgr.exe",
                             "C:\\windows\\system32\\winemine.exe"};
    std::vector<std::string> copies;
    std::string lines;
    for (int i = 0; i < Entries; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "program%03d.exe", i);
        copies.push_back(programs + name);
        CopyFileA(sources[i % std::size(sources)], copies.back().c_str(), FALSE);
        lines += copies.back() + "\r\n";
    }

    WriteText(catalogue, copies[0] + "\r\n");
    TimedStart(glyphdock, "");  // the first start of a program reads it from the disk
    // Starts take a few hundred milliseconds and vary much with the machine's load: the two
    // kinds alternate, and each gives the middle of its times.
    std::vector<double> ones, manys;
    for (int run = 0; run < StartRuns; ++run) {
        WriteText(catalogue, copies[0] + "\r\n");
        ones.push_back(TimedStart(glyphdock, ""));
        WriteText(catalogue, lines);
        manys.push_back(TimedStart(glyphdock, ""));
    }
    const double one = Median(ones), many = Median(manys);
    std::printf("startup entries=%d ms=%.0f one_entry_ms=%.0f ratio=%.2f\n", Entries, many, one,
                one > 0 ? many / one : 0.0);
    std::fflush(stdout);

    const std::string system32 = "C:\\windows\\system32";
    WriteText(catalogue, "\r\n");  // an empty catalogue: no seeding
    const double walked = TimedStart(glyphdock, " " + system32);
    std::printf("folder %s files=%d added=%d ms=%.0f\n", system32.c_str(), CountFiles(system32), CountLines(catalogue),
                walked);
    std::fflush(stdout);

    // Files of their own content, so that nothing could take them for one another.
    const std::string icons = folder + "icons";
    CreateDirectoryA(icons.c_str(), nullptr);
    for (int i = 0; i < IconFiles; ++i)
        WriteText(icons + "\\icon" + std::to_string(i) + ".ico",
                  fixtures::IcoFile({fixtures::BitmapImage(16, 16, 4, i)}));
    WriteText(catalogue, "\r\n");
    double unanswered = -1;
    const double added = TimedStart(glyphdock, " " + icons, &unanswered);
    std::printf("folder icons files=%d added=%d ms=%.0f longest_unanswered_ms=%.0f\n", IconFiles, CountLines(catalogue),
                added, unanswered);
    std::fflush(stdout);
    for (int i = 0; i < IconFiles; ++i)
        DeleteFileA((icons + "\\icon" + std::to_string(i) + ".ico").c_str());
    RemoveDirectoryA(icons.c_str());

    CompareLooks(copies);
    std::fflush(stdout);

    SetEnvironmentVariableA("TMP", oldTmp);
    SetEnvironmentVariableA("TEMP", oldTemp);
    for (const std::string& copy : copies)
        DeleteFileA(copy.c_str());
    DeleteFileA(catalogue.c_str());
    RemoveDirectoryA(programs.c_str());
    RemoveDirectoryA(catalogueFolder.c_str());
}
