// Adding files, showing their icons and moving through the catalogue.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/ProcessObjects.h"
#include "support/MainWindowHarness.h"
#include "resource.h"

namespace {

constexpr const char* Notepad = "C:\\windows\\notepad.exe";          // 1 icon
constexpr const char* Regedit = "C:\\windows\\regedit.exe";          // 6 icons
constexpr const char* User32 = "C:\\windows\\system32\\user32.dll";  // 7 icons

class SelectionTest : public MainWindowTest {
protected:
    // Starts with Notepad.exe, Regedit.exe and User32.dll, in that list order.
    ExplorerDialog& StartWithThree() {
        WriteCatalogue(std::string(User32) + "\r\n" + Regedit + "\r\n" + Notepad + "\r\n");
        return Start();
    }
    int Selected() { return static_cast<int>(SendMessageA(dialog->CatalogueList(), LB_GETCURSEL, 0, 0)); }
    bool Enabled(int command) { return ToolButtonState(dialog->ToolBar(), command) == TBSTATE_ENABLED; }
    bool Disabled(int command) { return ToolButtonState(dialog->ToolBar(), command) == TBSTATE_INDETERMINATE; }
    bool MenuEnabled(int command) { return !(MenuItemState(Window(), command) & MF_DISABLED); }
};

TEST_F(SelectionTest, StartShowsItemZeroWithItsTitleCountsAndNumberedIcons) {
    ExplorerDialog& window = StartWithThree();
    EXPECT_EQ(CatalogueNames(), ShownNames({"Notepad.exe", "Regedit.exe", "User32.dll"}));
    EXPECT_EQ(Selected(), 0);
    EXPECT_EQ(WindowText(window.GetSafeHwnd()), std::string(Notepad) + " - Glyphdock");
    EXPECT_EQ(StatusText(window.StatusBar(), 0), "3 Object(s)");
    EXPECT_EQ(StatusText(window.StatusBar(), 1), " 1 Icon(s)");
    EXPECT_EQ(ListViewItems(window.IconView()), (std::vector<std::string>{"Icon: 000"}));

    SelectCatalogueItem(2);
    EXPECT_EQ(ListViewItems(window.IconView()),
              (std::vector<std::string>{"Icon: 000", "Icon: 001", "Icon: 002", "Icon: 003", "Icon: 004", "Icon: 005",
                                        "Icon: 006"}));
    EXPECT_EQ(StatusText(window.StatusBar(), 1), " 7 Icon(s)");
    EXPECT_EQ(WindowText(window.GetSafeHwnd()), std::string(User32) + " - Glyphdock");
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = 6;
    ListView_GetItem(window.IconView(), &item);
    EXPECT_EQ(item.iImage, EntryOf(2)->firstLargeImage + 6);
}

TEST_F(SelectionTest, IconsAreExtractedOncePerEntryAndRangesFollowEachOther) {
    StartWithThree();
    const CatalogueEntry* notepad = EntryOf(0);
    const CatalogueEntry* regedit = EntryOf(1);
    EXPECT_EQ(notepad->iconCount, 1);
    EXPECT_EQ(notepad->firstLargeImage, 0);
    EXPECT_EQ(regedit->iconCount, 0) << "not shown yet";

    SelectCatalogueItem(1);
    EXPECT_EQ(regedit->iconCount, 6);
    EXPECT_EQ(regedit->firstLargeImage, notepad->endLargeImage);
    EXPECT_EQ(regedit->endLargeImage, regedit->firstLargeImage + 6);
    SelectCatalogueItem(0);
    SelectCatalogueItem(1);
    EXPECT_EQ(largeIconList.GetImageCount(), 7) << "showing an entry again reuses its icons";
    EXPECT_EQ(regedit->firstLargeImage, 1);
}

TEST_F(SelectionTest, SelectingTheShownItemOnlyRewritesTheIconCount) {
    ExplorerDialog& window = StartWithThree();
    SelectCatalogueItem(1);
    ListView_SetItemText(window.IconView(), 0, 0, const_cast<char*>("changed"));
    SetWindowTextA(window.GetSafeHwnd(), "title");
    window.StatusBar();
    SendMessageA(window.StatusBar(), SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("details"));
    SelectCatalogueItem(1);
    EXPECT_EQ(ListViewItems(window.IconView())[0], "changed");
    EXPECT_EQ(WindowText(window.GetSafeHwnd()), "title");
    EXPECT_EQ(StatusText(window.StatusBar(), 1), " 6 Icon(s)");
    EXPECT_EQ(describedIconIndex, NoIndex);
}

TEST_F(SelectionTest, BackAndForwardMoveByOneAndStopAtTheEnds) {
    StartWithThree();
    Command(ID_PREVIOUS_FILE);
    EXPECT_EQ(Selected(), 0);
    Command(ID_NEXT_FILE);
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(WindowText(Window()), std::string(Regedit) + " - Glyphdock");
    Command(ID_NEXT_FILE);
    Command(ID_NEXT_FILE);
    EXPECT_EQ(Selected(), 2);
    EXPECT_EQ(WindowText(Window()), std::string(User32) + " - Glyphdock");
    Command(ID_PREVIOUS_FILE);
    EXPECT_EQ(Selected(), 1);
}

TEST_F(SelectionTest, CommandsFollowTheSelectionFirstMiddleAndLast) {
    StartWithThree();
    for (int command : {ID_FILE_DELETE, ID_FILE_COPY, ID_FILE_SAVE_AS, ID_FILE_SAVE_ALL}) {
        EXPECT_TRUE(Enabled(command)) << command;
        EXPECT_TRUE(MenuEnabled(command)) << command;
    }
    EXPECT_TRUE(Disabled(ID_PREVIOUS_FILE));
    EXPECT_TRUE(Enabled(ID_NEXT_FILE));
    EXPECT_TRUE(Disabled(ID_FILE_UNDO_DELETE));
    EXPECT_FALSE(MenuEnabled(ID_FILE_UNDO_DELETE));
    EXPECT_TRUE(Enabled(ID_FILE_NEW));

    Command(ID_NEXT_FILE);
    EXPECT_TRUE(Enabled(ID_PREVIOUS_FILE));
    EXPECT_TRUE(Enabled(ID_NEXT_FILE));
    Command(ID_NEXT_FILE);
    EXPECT_TRUE(Enabled(ID_PREVIOUS_FILE));
    EXPECT_TRUE(Disabled(ID_NEXT_FILE));
}

TEST_F(SelectionTest, EmptyCatalogueDisablesEveryFileCommand) {
    ExplorerDialog& window = Start();
    for (int command : {ID_FILE_DELETE, ID_FILE_COPY, ID_FILE_SAVE_AS, ID_FILE_SAVE_ALL, ID_PREVIOUS_FILE, ID_NEXT_FILE,
                        ID_FILE_UNDO_DELETE})
        EXPECT_TRUE(Disabled(command)) << command;
    for (int command : {ID_FILE_DELETE, ID_FILE_COPY, ID_FILE_SAVE_AS, ID_FILE_SAVE_ALL})
        EXPECT_FALSE(MenuEnabled(command)) << command;
    EXPECT_TRUE(Enabled(ID_FILE_NEW));
    EXPECT_TRUE(MenuEnabled(ID_FILE_NEW));
    EXPECT_EQ(WindowText(window.GetSafeHwnd()), "Davo Rozuvudi");
    Command(ID_NEXT_FILE);
    Command(ID_PREVIOUS_FILE);
    EXPECT_EQ(Selected(), -1);
}

TEST_F(SelectionTest, OneItemSelectedHasNeitherBackNorForward) {
    WriteCatalogue(std::string(Regedit) + "\r\n");
    Start();
    EXPECT_TRUE(Disabled(ID_PREVIOUS_FILE));
    EXPECT_TRUE(Disabled(ID_NEXT_FILE));
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_ALL));
}

TEST_F(SelectionTest, AddingChecksExistenceIconsAndDuplicatesInThatOrder) {
    ExplorerDialog& window = StartWithThree();
    SendMessageA(window.StatusBar(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("unchanged"));
    EXPECT_TRUE(AddCatalogueFile("C:\\WINDOWS\\Regedit.EXE")) << "already there";
    EXPECT_FALSE(AddCatalogueFile(""));
    EXPECT_FALSE(AddCatalogueFile("C:\\windows\\missing.exe"));
    // A path too long for a path buffer is refused, never cut down to the file it starts with.
    EXPECT_FALSE(AddCatalogueFile(std::string(Notepad) + std::string(280, ' ')));
    EXPECT_EQ(CatalogueNames().size(), 3u);
    EXPECT_EQ(StatusText(window.StatusBar(), 0), "unchanged");

    robot.Expect(DialogRobot::Press(IDOK));
    EXPECT_FALSE(AddCatalogueFile("C:\\windows"));  // a folder holds no icons
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_EQ(robot.Seen()[0].caption, "Glyphdock");
    EXPECT_EQ(robot.Seen()[0].texts.back(), "The selected file does not contain icons.");

    // An icon file counts as holding one icon.
    std::string icon = temp.WriteFile("picture.ico", ReadWholeFile(HostPathToWindows(GLYPHDOCK_PROGRAM_ICON)));
    EXPECT_TRUE(AddCatalogueFile(icon));
    EXPECT_EQ(StatusText(window.StatusBar(), 0), "4 Object(s)");
    int index = FindEntryByPath(Catalogue(), icon.c_str());
    ASSERT_GE(index, 0);
    EXPECT_EQ(EntryOf(index)->iconCount, 0) << "added, not shown";
    SelectCatalogueItem(index);
    EXPECT_EQ(ListViewItems(window.IconView()), (std::vector<std::string>{"Icon: 000"}));
}

}  // namespace
