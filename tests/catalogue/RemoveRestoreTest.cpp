// Taking files out of the catalogue, bringing them back, reloading, and that nothing piles up.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>
#include <vector>

#include "app/ProcessObjects.h"
#include "catalogue/CatalogueEntry.h"
#include "support/MainWindowHarness.h"
#include "resource.h"

namespace {

constexpr const char* Notepad = "C:\\windows\\notepad.exe";          // 1 icon
constexpr const char* Regedit = "C:\\windows\\regedit.exe";          // 6 icons
constexpr const char* User32 = "C:\\windows\\system32\\user32.dll";  // 7 icons

// The pixels of one small icon as the catalogue list draws it, on white.
std::vector<DWORD> SmallIconPixels(int image) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 16, 16};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    smallIconList.Draw(dc, image, 0, 0, ILD_NORMAL);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + 16 * 16);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

class RemoveRestoreTest : public MainWindowTest {
protected:
    // Starts with Notepad.exe, Regedit.exe and User32.dll, in that list order.
    ExplorerDialog& StartWithThree() {
        WriteCatalogue(std::string(User32) + "\r\n" + Regedit + "\r\n" + Notepad + "\r\n");
        return Start();
    }
    int Selected() { return Catalogue().GetCurSel(); }
    std::string Title() { return WindowText(Window()); }
    std::string Objects() { return StatusText(dialog->StatusBar(), 0); }
    bool UndoEnabled() {
        return ToolButtonState(dialog->ToolBar(), ID_FILE_UNDO_DELETE) == TBSTATE_ENABLED &&
               !(MenuItemState(Window(), ID_FILE_UNDO_DELETE) & MF_DISABLED);
    }
    // Each entry's small icon, by path.
    std::map<std::string, std::vector<DWORD>> SmallIcons() {
        std::map<std::string, std::vector<DWORD>> icons;
        for (int i = 0; i < Catalogue().GetCount(); ++i)
            icons[EntryOf(i)->path] = SmallIconPixels(EntryOf(i)->smallImage);
        return icons;
    }
};

TEST_F(RemoveRestoreTest, RemovingSelectsTheNeighbourAndEveryEntryKeepsItsOwnSmallIcon) {
    StartWithThree();
    auto icons = SmallIcons();
    ASSERT_NE(icons[Notepad], icons[Regedit]);
    ASSERT_NE(icons[Regedit], icons[User32]);
    ASSERT_NE(icons[Notepad], icons[User32]);
    SelectCatalogueItem(2);  // User32.dll's icons are loaded now

    // Notepad's small icon was added first: removing it renumbers the other two.
    SelectCatalogueItem(0);
    Command(ID_FILE_DELETE);
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Regedit, User32}));
    EXPECT_EQ(Selected(), 0) << "the new item 0";
    EXPECT_EQ(Title(), std::string(Regedit) + " - Glyphdock");
    EXPECT_EQ(Objects(), "2 Object(s)");
    EXPECT_EQ(ListViewItems(dialog->IconView()).size(), 6u);
    EXPECT_EQ(smallIconList.GetImageCount(), 2);
    EXPECT_EQ(SmallIcons()[Regedit], icons[Regedit]);
    EXPECT_EQ(SmallIcons()[User32], icons[User32]);
    EXPECT_EQ(EntryOf(1)->iconCount, 0) << "the cache was reset: User32.dll extracts its icons again";
    EXPECT_EQ(largeIconList.GetImageCount(), 6);
    SelectCatalogueItem(1);
    EXPECT_EQ(EntryOf(1)->firstLargeImage, 6);
    EXPECT_EQ(ListViewItems(dialog->IconView()).size(), 7u);

    // The last of three: the item before it is selected.
    Command(ID_FILE_UNDO_DELETE);
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Notepad, Regedit, User32}));
    EXPECT_EQ(Selected(), 0) << "the restored file is shown";
    EXPECT_EQ(Title(), std::string(Notepad) + " - Glyphdock");
    EXPECT_EQ(SmallIcons(), icons);
    SelectCatalogueItem(2);
    Command(ID_FILE_DELETE);
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Title(), std::string(Regedit) + " - Glyphdock");
    EXPECT_EQ(SmallIcons()[Notepad], icons[Notepad]);
    EXPECT_EQ(SmallIcons()[Regedit], icons[Regedit]);

    // A line gets its small icon when first drawn: one removed before that takes no other
    // line's icon with it.
    auto drawn = SmallIcons();
    ShowWindow(dialog->CatalogueList(), SW_HIDE);
    ASSERT_TRUE(AddCatalogueFile(User32));
    Catalogue().SetCurSel(2);
    Command(ID_FILE_DELETE);
    ShowWindow(dialog->CatalogueList(), SW_SHOW);
    EXPECT_EQ(SmallIcons(), drawn);
}

TEST_F(RemoveRestoreTest, RemovingTheOnlyEntryLeavesAnEmptyViewAndUndoFollowsTheStack) {
    WriteCatalogue(std::string(Regedit) + "\r\n");
    Start();
    EXPECT_FALSE(UndoEnabled());
    Command(ID_FILE_DELETE);
    EXPECT_TRUE(CatalogueNames().empty());
    EXPECT_TRUE(ListViewItems(dialog->IconView()).empty());
    EXPECT_EQ(Objects(), "0 Object(s)");
    EXPECT_EQ(Title(), std::string(Regedit) + " - Glyphdock") << "the title stays";
    EXPECT_EQ(StatusText(dialog->StatusBar(), 1), " 6 Icon(s)") << "the icon count stays";
    EXPECT_TRUE(UndoEnabled());
    EXPECT_EQ(ToolButtonState(dialog->ToolBar(), ID_FILE_DELETE), TBSTATE_INDETERMINATE);
    Command(ID_FILE_DELETE);  // nothing left to remove
    EXPECT_TRUE(UndoEnabled());

    Command(ID_FILE_UNDO_DELETE);
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Regedit}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(ListViewItems(dialog->IconView()).size(), 6u);
    EXPECT_EQ(Objects(), "1 Object(s)");
    EXPECT_FALSE(UndoEnabled());
    EXPECT_EQ(ToolButtonState(dialog->ToolBar(), ID_FILE_DELETE), TBSTATE_ENABLED);
    Command(ID_FILE_UNDO_DELETE);  // an empty stack does nothing
    EXPECT_EQ(CatalogueNames().size(), 1u);
}

TEST_F(RemoveRestoreTest, UndoRestoresTheNewestFirstAndConsumesAPathWhoseFileVanished) {
    std::string copy = temp.Path() + "Copy.exe";
    ASSERT_TRUE(CopyFileA(Notepad, copy.c_str(), FALSE));
    WriteCatalogue(copy + "\r\n" + Regedit + "\r\n" + User32 + "\r\n");
    Start();
    ASSERT_EQ(CataloguePaths(), (std::vector<std::string>{copy, Regedit, User32}));

    Command(ID_FILE_DELETE);  // Copy.exe
    SelectCatalogueItem(1);
    Command(ID_FILE_DELETE);  // User32.dll
    Command(ID_FILE_DELETE);  // Regedit.exe
    ASSERT_TRUE(CatalogueNames().empty());
    Command(ID_FILE_UNDO_DELETE);
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Regedit}));
    Command(ID_FILE_UNDO_DELETE);
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Regedit, User32}));
    EXPECT_EQ(Selected(), 1);

    ASSERT_TRUE(DeleteFileA(copy.c_str()));
    std::string title = Title();
    Command(ID_FILE_UNDO_DELETE);  // no message: the robot fails the test on any dialog
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{Regedit, User32}));
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(Title(), title);
    EXPECT_FALSE(UndoEnabled()) << "the vanished file's path was taken from the stack";
}

// Deleting, restoring and reloading over and over: every removed entry and every replaced icon
// cache is freed, and the image lists hold exactly what the catalogue shows.
TEST_F(RemoveRestoreTest, NothingPilesUpOverManyDeleteUndoReloadCycles) {
    std::string icon = temp.WriteFile("Picture.ico", ReadWholeFile(HostPathToWindows(GLYPHDOCK_PROGRAM_ICON)));
    WriteCatalogue(icon + "\r\n" + Notepad + "\r\n");
    Start();
    ASSERT_EQ(CatalogueNames().size(), 2u);
    long entriesAlive = CatalogueEntry::created - CatalogueEntry::destroyed;
    long listsAlive = CImageList::created - CImageList::destroyed;
    EXPECT_EQ(entriesAlive, 2);

    constexpr int Cycles = 200;
    auto send = [this](int command) { SendMessageA(Window(), WM_COMMAND, command, 0); };
    for (int i = 0; i < Cycles; ++i) {
        if (i % 2) SelectCatalogueItem(1 - Catalogue().GetCurSel());
        send(ID_FILE_DELETE);
        send(ID_FILE_UNDO_DELETE);
        send(ID_RELOAD_ICONS);
    }
    EXPECT_GE(CatalogueEntry::created, 2 + Cycles) << "every restore made a new entry";
    EXPECT_EQ(CatalogueEntry::created - CatalogueEntry::destroyed, entriesAlive);
    EXPECT_EQ(CImageList::created - CImageList::destroyed, listsAlive);
    EXPECT_GE(CImageList::created, listsAlive + 2 * Cycles) << "every removal and reload replaced the cache";
    EXPECT_EQ(CatalogueNames().size(), 2u);
    EXPECT_EQ(smallIconList.GetImageCount(), 2);
    EXPECT_EQ(largeIconList.GetImageCount(), 1) << "only the shown entry's icon";
    EXPECT_NE(EntryOf(0)->smallImage, EntryOf(1)->smallImage);
    EXPECT_EQ(ListViewItems(dialog->IconView()), (std::vector<std::string>{"Icon: 000"}));
}

}  // namespace
