#include "support/MainWindowHarness.h"

#include <commctrl.h>

#include "catalogue/CatalogueEntry.h"

namespace {
bool mainWindowCreated = false;
// The program's process-wide objects (the application, the image lists, the menu items' records)
// are made once, for the first main window of the process: a second window would meet the first
// one's leftovers and fail in ways that say nothing of the cause.
constexpr const char* SecondMainWindow =
    "a second main window in one test process: the program's process-wide objects are made once, for "
    "the first window. Run each window test in a process of its own (ctest does; by hand, give "
    "--gtest_filter one window test)";
constexpr UINT_PTR WatchdogTimer = 0x6D17;
thread_local HWND watchedWindow = nullptr;
thread_local bool watchdogFired = false;
constexpr const char* ExplorerSettings = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
}  // namespace

bool HidingExtensions() {
    return GetEnvironmentVariableA("GLYPHDOCK_HIDE_EXTENSIONS", nullptr, 0) > 0;
}

std::string Shown(const std::string& fileName) {
    return HidingExtensions() ? fileName.substr(0, fileName.rfind('.')) : fileName;
}

std::vector<std::string> ShownNames(std::vector<std::string> fileNames) {
    for (std::string& name : fileNames)
        name = Shown(name);
    return fileNames;
}

void MainWindowTest::SetUp() {
    ASSERT_FALSE(mainWindowCreated) << SecondMainWindow;
    ASSERT_FALSE(temp.Path().empty()) << "no temporary folder for the test";
    const DWORD hide = 1;  // Windows' default; the prefix has no value, so Wine shows them
    if (HidingExtensions())
        RegSetKeyValueA(HKEY_CURRENT_USER, ExplorerSettings, "HideFileExt", REG_DWORD, &hide, sizeof hide);
    SetEnvironmentVariableA("TMP", temp.Path().c_str());
    SetEnvironmentVariableA("TEMP", temp.Path().c_str());
    WriteCatalogue("\r\n");
}

void MainWindowTest::WriteCatalogue(const std::string& bytes) const {
    temp.WriteFile("glyphdocklib.dat", bytes);
}

void MainWindowTest::RemoveCatalogue() const {
    DeleteFileA(CatalogueFile().c_str());
}

std::vector<std::string> MainWindowTest::CatalogueNames() const {
    return ShownNames(ListBoxItems(dialog->CatalogueList()));
}

std::vector<std::string> MainWindowTest::CataloguePaths() const {
    std::vector<std::string> paths;
    CListBox list = Catalogue();
    for (int i = 0; i < list.GetCount(); ++i) {
        const CatalogueEntry* entry = EntryAt(list, i);
        paths.push_back(entry ? entry->path : "<no entry>");
    }
    return paths;
}

const CatalogueEntry* MainWindowTest::EntryOf(int index) const {
    return EntryAt(Catalogue(), index);
}

void MainWindowTest::SelectCatalogueItem(int index) {
    HWND list = dialog->CatalogueList();
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    PumpMessages();
}

void MainWindowTest::SelectIcons(const std::vector<int>& indexes) {
    HWND view = dialog->IconView();
    ListView_SetItemState(view, -1, 0, LVIS_SELECTED);
    for (int index : indexes)
        ListView_SetItemState(view, index, LVIS_SELECTED, LVIS_SELECTED);
    PumpMessages();
}

void MainWindowTest::TearDown() {
    if (Window()) DestroyWindow(Window());
    PumpMessages();
    dialog.reset();
    robot.Verify();
    // The test's folder cannot be removed while it is the current one.
    SetCurrentDirectoryA("C:\\");
    if (HidingExtensions()) RegDeleteKeyValueA(HKEY_CURRENT_USER, ExplorerSettings, "HideFileExt");
}

ExplorerDialog& MainWindowTest::Start() {
    if (mainWindowCreated) ADD_FAILURE() << SecondMainWindow;
    mainWindowCreated = true;
    dialog = std::make_unique<ExplorerDialog>();
    EXPECT_TRUE(dialog->Create()) << "the main window could not be created";
    robot.Ignore(Window());
    PumpMessages();
    return *dialog;
}

void MainWindowTest::PumpMessages() {
    MSG message;
    for (int idle = 0; idle < 2; ++idle) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            idle = 0;
            if (dialog && Window() && dialog->PreTranslateMessage(&message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        Sleep(5);
    }
}

void MainWindowTest::RunModalLoopFor(DWORD milliseconds) {
    ASSERT_TRUE(dialog);
    watchedWindow = Window();
    watchdogFired = false;
    UINT_PTR timer = SetTimer(nullptr, WatchdogTimer, milliseconds, [](HWND, UINT, UINT_PTR, DWORD) {
        watchdogFired = true;
        if (IsWindow(watchedWindow)) DestroyWindow(watchedWindow);
    });
    dialog->RunModalLoop();
    KillTimer(nullptr, timer);
    EXPECT_FALSE(watchdogFired) << "the main window's loop did not end by itself";
}

void MainWindowTest::Command(int command) {
    SendMessageA(Window(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    PumpMessages();
}

void MainWindowTest::PressKey(HWND target, UINT key) {
    UINT scan = MapVirtualKeyA(key, 0);
    PostMessageA(target, WM_KEYDOWN, key, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, key, 1 | (scan << 16) | 0xC0000000u);
    PumpMessages();
}

std::string WindowText(HWND window) {
    char buffer[1024] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::string StatusText(HWND statusBar, int part) {
    char buffer[1024] = {};
    LRESULT length = SendMessageA(statusBar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part), 0);
    if (LOWORD(length) >= sizeof buffer) return "<too long>";
    SendMessageA(statusBar, SB_GETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

std::string ToolButtonLabel(HWND toolBar, int command) {
    char buffer[256] = {};
    SendMessageA(toolBar, TB_GETBUTTONTEXTA, static_cast<WPARAM>(command), reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

int ToolButtonState(HWND toolBar, int command) {
    return static_cast<int>(SendMessageA(toolBar, TB_GETSTATE, static_cast<WPARAM>(command), 0));
}

std::vector<std::string> ListBoxItems(HWND listBox) {
    CListBox list;
    list.Attach(listBox);
    std::vector<std::string> items;
    char text[1024];
    for (int i = 0; i < list.GetCount(); ++i)
        items.push_back(list.GetText(i, text, sizeof text) ? text : "<unreadable>");
    return items;
}

std::vector<std::string> ListViewItems(HWND listView) {
    std::vector<std::string> items;
    int count = ListView_GetItemCount(listView);
    for (int i = 0; i < count; ++i) {
        char buffer[256] = {};
        ListView_GetItemText(listView, i, 0, buffer, sizeof buffer);
        items.push_back(buffer);
    }
    return items;
}

UINT MenuItemState(HWND window, int command) {
    return GetMenuState(GetMenu(window), static_cast<UINT>(command), MF_BYCOMMAND);
}

const MenuItemRecord* MenuItemRecordOf(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info) || !(info.fType & MFT_OWNERDRAW))
        return nullptr;
    return reinterpret_cast<const MenuItemRecord*>(info.dwItemData);
}

std::string MenuItemText(HMENU menu, int position) {
    const MenuItemRecord* record = MenuItemRecordOf(menu, position);
    return record ? record->text : "<no record>";
}

std::string HostPathToWindows(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}
