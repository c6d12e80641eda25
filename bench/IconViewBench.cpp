// Measures what a user waits for on large icon libraries, under the program's own code:
//   - filling the icon cache from a file, as the icon view does on the first showing of a
//     catalogue entry, against a per-index ExtractIconA loop into the same kind of image list
//     (one line per file: FILE icons=N ours_ms=X shell_ms=Y ratio=Z), for the shell library and
//     for generated modules of 1000 and 5000 icon groups;
//   - filling the icon view with the shell library's 184 icons as the program does (arranged
//     and painted once) against inserting them with the view arranging and painting after each
//     item (view items=N ours_ms=X one_by_one_ms=Y ratio=Z), painting included;
//   - Save All of the shell library through the console program, process start included.
// Usage: glyphdock-bench [EXPORT_PROGRAM] (default: glyphdock-export.exe beside the bench's folder)
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "CatalogueBench.h"
#include "app/ExplorerDialog.h"
#include "engine/IconSource.h"
#include "engine/SourceReading.h"
#include "files/PathUtilities.h"
#include "fixtures/IconFixtures.h"
#include "fixtures/PeFixtures.h"
#include "framework/CImageList.h"
#include "framework/ListControls.h"
#include "view/IconStrip.h"
#include "view/IconView.h"

namespace {

constexpr const char* Shell32 = "C:\\windows\\system32\\shell32.dll";

double Now() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::string TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "glyphdock-bench\\";
}

// A module of `groups` icon groups, each a 16x16 8-bit and a 32x32 32-bit image of its own.
std::string GeneratedModule(const std::string& folder, int groups) {
    std::vector<std::vector<std::string>> images;
    for (int g = 0; g < groups; ++g)
        images.push_back({fixtures::BitmapImage(16, 16, 8, g), fixtures::BitmapImage(32, 32, 32, g + 1)});
    const std::string path = folder + "generated" + std::to_string(groups) + ".dll";
    const std::string bytes = fixtures::PeIconLibrary(images);
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

void CompareCacheFilling(const char* file) {
    CImageList ours, shells;
    ours.Create(32, 32, IconListFlags(), 0, 100);
    shells.Create(32, 32, IconListFlags(), 0, 100);

    const double start = Now();
    const SourceReading reading(file);
    const int count = reading.IconCount();
    AppendSourceIcons(ours, reading, count);
    const double oursMs = Now() - start;

    const double shellStart = Now();
    const int shellCount =
        static_cast<int>(reinterpret_cast<UINT_PTR>(ExtractIconA(GetModuleHandleA(nullptr), file, UINT(-1))));
    for (int i = 0; i < shellCount; ++i) {
        HICON icon = ExtractIconA(GetModuleHandleA(nullptr), file, static_cast<UINT>(i));
        shells.ReplaceIcon(-1, icon);
        if (icon) DestroyIcon(icon);
    }
    const double shellMs = Now() - shellStart;
    std::printf("%s icons=%d ours_ms=%.1f shell_ms=%.1f ratio=%.1f\n", file, count, oursMs, shellMs,
                oursMs > 0 ? shellMs / oursMs : 0.0);
    if (ours.GetImageCount() != count || shellCount != count)
        std::printf("  (images: ours %d, shell's %d of %d)\n", ours.GetImageCount(), shells.GetImageCount(), count);
    std::fflush(stdout);
}

// Dispatches what is queued, painting included.
void Pump() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The icon view's filling in a visible window of the main window's size, both ways.
void CompareViewFilling(const char* file) {
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    CImageList cache;
    cache.Create(32, 32, IconListFlags(), 0, 100);
    const SourceReading reading(file);
    const int count = reading.IconCount();
    AppendSourceIcons(cache, reading, count);
    HWND frame =
        CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 550, 400, nullptr, nullptr, nullptr, nullptr);
    CListCtrl view;
    view.Attach(CreateWindowExA(0, WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_AUTOARRANGE | LVS_SHAREIMAGELISTS, 0, 0, 550,
                                400, frame, nullptr, nullptr, nullptr));
    view.SetImageList(cache.GetSafeHandle(), LVSIL_NORMAL);
    auto fill = [&](bool arrangeOnce) {
        view.DeleteAllItems();
        Pump();
        const double start = Now();
        view.SetItemCount(count);
        if (arrangeOnce) view.SetRedraw(false);
        for (int i = 0; i < count; ++i) {
            char label[24];
            std::snprintf(label, sizeof label, "Icon: %.3d", i);
            view.InsertItem(i, label, i);
        }
        if (arrangeOnce) view.SetRedraw(true);
        UpdateWindow(view.GetSafeHwnd());
        Pump();
        return Now() - start;
    };
    const double oneByOne = fill(false);
    const double ours = fill(true);
    std::printf("view %s items=%d ours_ms=%.1f one_by_one_ms=%.1f ratio=%.1f\n", file, count, ours, oneByOne,
                ours > 0 ? oneByOne / ours : 0.0);
    std::fflush(stdout);
    DestroyWindow(frame);
}

void SaveAllThroughTheConsoleProgram(const std::string& program, const std::string& folder) {
    const std::string output = folder + "saveall\\";
    CreateDirectoryA(output.c_str(), nullptr);
    // No backslash before a closing quote: the command line would read it as an escaped quote.
    std::string command = "\"" + program + "\" \"" + folder + "saveall\" \"" + Shell32 + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("saveall: cannot start %s\n", program.c_str());
        return;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    const double ms = Now() - start;
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    int files = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((output + "*.ico").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            ++files;
            DeleteFileA((output + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(output.c_str());
    std::printf("saveall %s files=%d glyphdock_export_ms=%.1f exit=%lu\n", Shell32, files, ms,
                static_cast<unsigned long>(exitCode));

    // The same inside this process: what the export itself costs, without a process start.
    // The group names go to a list box, as the main window's.
    GroupNameList = CreateWindowExA(0, "LISTBOX", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    CreateDirectoryA(output.c_str(), nullptr);
    const double inside = Now();
    ExportAllIconGroups(Shell32, output.c_str(), ListGroupNames);
    std::printf("saveall %s in_process_ms=%.1f\n", Shell32, Now() - inside);
    DestroyWindow(GroupNameList);
    search = FindFirstFileA((output + "*.ico").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            DeleteFileA((output + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(output.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::string program;
    // "--startup" measures the catalogue's start-up alone.
    const bool startupOnly = argc > 1 && std::string(argv[1]) == "--startup";
    if (argc > 1 && !startupOnly) {
        program = argv[1];
    } else {
        char self[MAX_PATH];
        GetModuleFileNameA(nullptr, self, MAX_PATH);
        program = self;
        program = program.substr(0, program.find_last_of('\\'));
        program = program.substr(0, program.find_last_of('\\')) + "\\glyphdock-export.exe";
    }
    const std::string folder = TempFolder();
    CreateDirectoryA(folder.c_str(), nullptr);
    if (startupOnly) {
        MeasureCatalogueStartup(program.substr(0, program.find_last_of('\\')) + "\\glyphdock.exe", folder);
        RemoveDirectoryA(folder.c_str());
        return 0;
    }
    const std::string thousand = GeneratedModule(folder, 1000), fiveThousand = GeneratedModule(folder, 5000);
    for (const std::string& file : {std::string(Shell32), thousand, fiveThousand})
        CompareCacheFilling(file.c_str());
    CompareViewFilling(Shell32);
    SaveAllThroughTheConsoleProgram(program, folder);
    MeasureCatalogueStartup(program.substr(0, program.find_last_of('\\')) + "\\glyphdock.exe", folder);
    DeleteFileA(thousand.c_str());
    DeleteFileA(fiveThousand.c_str());
    RemoveDirectoryA(folder.c_str());
    return 0;
}
