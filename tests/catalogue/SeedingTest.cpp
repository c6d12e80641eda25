// A first start fills the catalogue from the system: the shell program, the shell library and
// the applications registered under App Paths, read from the real registry of the test prefix.
#include <windows.h>

#include <string>
#include <vector>

#include "support/MainWindowHarness.h"
#include "resource.h"

namespace {

constexpr const char* AppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr const char* NoIcons = "The selected file does not contain icons.";

// Registered applications of the test's own, named so that they enumerate before Wine's
// iexplore.exe. The suite runs one test at a time, so no other test sees them.
class SeedingTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        RemoveCatalogue();
        RemoveTestApplications();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        RemoveTestApplications();
    }
    void Register(const std::string& name, const std::string& value, DWORD type = REG_SZ) {
        std::string key = std::string(AppPaths) + "\\" + name;
        ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, type, value.c_str(),
                                  static_cast<DWORD>(value.size() + 1)),
                  ERROR_SUCCESS);
    }
    static void RemoveTestApplications() {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, AppPaths, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        std::vector<std::string> ours;
        char name[1024];
        for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; ++i)
            if (std::string(name).rfind("GlyphdockTest", 0) == 0) ours.push_back(name);
        for (const std::string& subkey : ours)
            RegDeleteKeyA(key, subkey.c_str());
        RegCloseKey(key);
    }
    // Expects the no-icons message for one file that holds none.
    void ExpectNoIconsMessage() { robot.Expect(DialogRobot::Press(IDOK)); }
    void ExpectOnlyNoIconsMessages() {
        for (const DialogRobot::SeenDialog& seen : robot.Seen()) {
            EXPECT_EQ(seen.caption, "Glyphdock");
            ASSERT_FALSE(seen.texts.empty());
            EXPECT_EQ(seen.texts.back(), NoIcons);
        }
    }
};

TEST_F(SeedingTest, FirstStartSeedsTheShellLibraryAndTheRegisteredBrowser) {
    ExpectNoIconsMessage();  // Wine's explorer.exe holds no icons
    ExplorerDialog& window = Start();
    ExpectOnlyNoIconsMessages();
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{"C:\\Program Files\\Internet Explorer\\Iexplore.exe",
                                                          "C:\\windows\\system32\\shell32.dll"}));
    EXPECT_EQ(CatalogueNames(), ShownNames({"Iexplore.exe", "Shell32.dll"}));
    EXPECT_EQ(StatusText(window.StatusBar(), 0), "2 Object(s)");

    // Item 0 is selected and shown.
    EXPECT_EQ(SendMessageA(window.CatalogueList(), LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(WindowText(window.GetSafeHwnd()), "C:\\Program Files\\Internet Explorer\\Iexplore.exe - Glyphdock");
    EXPECT_EQ(ListViewItems(window.IconView()), (std::vector<std::string>{"Icon: 000"}));

    SelectCatalogueItem(1);
    std::vector<std::string> icons = ListViewItems(window.IconView());
    ASSERT_EQ(icons.size(), 184u);
    EXPECT_EQ(icons[0], "Icon: 000");
    EXPECT_EQ(icons[183], "Icon: 183");
    EXPECT_EQ(StatusText(window.StatusBar(), 1), " 184 Icon(s)");
    EXPECT_EQ(WindowText(window.GetSafeHwnd()), "C:\\windows\\system32\\shell32.dll - Glyphdock");
}

TEST_F(SeedingTest, RegisteredValuesAreCleanedCheckedAndAddedOnce) {
    std::string noIcons = temp.WriteFile("plain.txt", "no icons in here");
    Register("GlyphdockTestA", " \"C:\\windows\\notepad.exe\" ");
    Register("GlyphdockTestB", "");
    Register("GlyphdockTestC", "C:\\WINDOWS\\REGEDIT.EXE");
    Register("GlyphdockTestD", "c:\\windows\\system32\\SHELL32.DLL");
    Register("GlyphdockTestE", "C:\\windows\\no such program.exe");
    Register("GlyphdockTestF", noIcons);
    Register("GlyphdockTestG", "%SystemRoot%\\system32\\user32.dll", REG_EXPAND_SZ);
    ExpectNoIconsMessage();  // explorer.exe
    ExpectNoIconsMessage();  // plain.txt
    Start();
    ExpectOnlyNoIconsMessages();
    EXPECT_EQ(CataloguePaths(), (std::vector<std::string>{
                                    "C:\\Program Files\\Internet Explorer\\Iexplore.exe",
                                    "C:\\windows\\Notepad.exe",
                                    "C:\\windows\\Regedit.exe",
                                    "C:\\windows\\system32\\shell32.dll",
                                    "C:\\windows\\system32\\User32.dll",
                                }));
}

TEST_F(SeedingTest, WalkEndsAtTheFirstApplicationWhosePathCannotBeRead) {
    Register("GlyphdockTestA", "C:\\windows\\notepad.exe");
    Register("GlyphdockTestB", "C:\\" + std::string(1100, 'x'));  // longer than the reading buffer
    Register("GlyphdockTestC", "C:\\windows\\regedit.exe");
    ExpectNoIconsMessage();
    Start();
    // Neither the application after the unreadable one nor Wine's browser is reached.
    EXPECT_EQ(CataloguePaths(),
              (std::vector<std::string>{"C:\\windows\\Notepad.exe", "C:\\windows\\system32\\shell32.dll"}));
}

}  // namespace
