// Copy from the main window: what reaches the clipboard, and what the export commands do when no
// catalogue line is selected.
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/ProcessObjects.h"
#include "resource.h"
#include "support/EngineTestSupport.h"
#include "framework/DisplayScale.h"
#include "support/MainWindowHarness.h"
#include "pictures/IconPictures.h"
#include "support/TestSeam.h"
#include "view/CopyToClipboard.h"

namespace {

void PutTextOnClipboard() {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, 8);
    std::strcpy(static_cast<char*>(GlobalLock(memory)), "before");
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

std::set<UINT> ClipboardFormats() {
    std::set<UINT> formats;
    if (!OpenClipboard(nullptr)) return formats;
    for (UINT format = EnumClipboardFormats(0); format; format = EnumClipboardFormats(format))
        formats.insert(format);
    CloseClipboard();
    return formats;
}

// The pixels of a bitmap of the icon view's size (32 x 32 at 96 DPI) as 0xRRGGBB values.
std::vector<unsigned> Pixels(HBITMAP bitmap) {
    const int side = LargeIconSide();
    BITMAPINFO info = TopDownFormat(side, side);
    std::vector<unsigned> pixels(static_cast<size_t>(side * side));
    GetDIBits(ScreenDC(), bitmap, 0, static_cast<UINT>(side), pixels.data(), &info, DIB_RGB_COLORS);
    for (unsigned& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

// Image `index` of the icon cache drawn over a background of one colour.
std::vector<unsigned> CacheImageOver(int index, DWORD rop) {
    const UniqueMemoryDC memory(CreateCompatibleDC(nullptr));
    const CBitmap bitmap(CreateCompatibleBitmap(ScreenDC(), LargeIconSide(), LargeIconSide()));
    HGDIOBJ previous = SelectObject(memory.get(), bitmap);
    PatBlt(memory.get(), 0, 0, LargeIconSide(), LargeIconSide(), rop);
    ImageList_Draw(largeIconList, index, memory.get(), 0, 0, ILD_TRANSPARENT);
    SelectObject(memory.get(), previous);
    return Pixels(bitmap);
}

class CopyTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        WriteCatalogue(FixturePath("icons64.dll") + "\r\n");
        Start();
        PutTextOnClipboard();
    }
};

TEST_F(CopyTest, PutsTheSelectedIconOnWhiteAtTheScreensDepthInPlaceOfWhatTheClipboardHeld) {
    SelectIcons({3});
    Command(ID_FILE_COPY);
    // Only what the system makes of the bitmap may stand beside it.
    EXPECT_TRUE(ClipboardFormats().count(CF_BITMAP));
    for (UINT format : ClipboardFormats())
        EXPECT_TRUE(format == CF_BITMAP || format == CF_DIB || format == CF_DIBV5) << "format " << format;

    ASSERT_TRUE(OpenClipboard(nullptr));
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP shape{};
    GetObjectA(bitmap, sizeof shape, &shape);
    EXPECT_EQ(shape.bmWidth, Scaled(32)) << "the icon view's size";
    EXPECT_EQ(shape.bmHeight, Scaled(32));
    EXPECT_EQ(shape.bmBitsPixel * shape.bmPlanes, ScreenBitsPerPixel());
    const std::vector<unsigned> copied = Pixels(bitmap);
    CloseClipboard();

    const int image = EntryOf(0)->firstLargeImage + 3;
    EXPECT_NE(CacheImageOver(image, WHITENESS), CacheImageOver(image, BLACKNESS)) << "no transparent pixels";
    EXPECT_EQ(copied, CacheImageOver(image, WHITENESS));
}

// Another program, with a window of its own, holds the clipboard open for a while.
std::thread HoldClipboard(DWORD milliseconds) {
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([=] {
        HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        OpenClipboard(window);
        SetEvent(opened);
        Sleep(milliseconds);
        CloseClipboard();
        DestroyWindow(window);
    });
    WaitForSingleObject(opened, 10000);
    CloseHandle(opened);
    return holder;
}

TEST_F(CopyTest, AClipboardHeldForAMomentIsWaitedForAndOneHeldLongerGetsAMessage) {
    std::thread moment = HoldClipboard(50);
    Command(ID_FILE_COPY);
    moment.join();
    EXPECT_EQ(ClipboardFormats().count(CF_BITMAP), 1u);

    PutTextOnClipboard();
    std::thread second = HoldClipboard(1000);
    robot.Expect(DialogRobot::Press(IDOK));
    Command(ID_FILE_COPY);
    second.join();
    ASSERT_EQ(robot.Seen().size(), 1u);
    EXPECT_EQ(robot.Seen()[0].caption, "Glyphdock");
    EXPECT_EQ(robot.Seen()[0].texts.back(), "The clipboard is in use by another program. Try again.");
    EXPECT_EQ(ClipboardFormats().count(CF_TEXT), 1u);
}

// A step the system refuses is told; the bitmap never reaches the clipboard.
TEST_F(CopyTest, EveryStepTheSystemRefusesGivesAMessage) {
    size_t shown = 0;
    for (CopyStep step :
         {CopyStep::MemoryContext, CopyStep::Bitmap, CopyStep::EmptyClipboard, CopyStep::SetClipboardData}) {
        PutTextOnClipboard();
        {
            const TestSeam refusing(SetFailingCopyStepForTesting, step);
            robot.Expect(DialogRobot::Press(IDOK));
            Command(ID_FILE_COPY);
        }
        ASSERT_EQ(robot.Seen().size(), ++shown);
        EXPECT_EQ(robot.Seen().back().texts.back(), "The icon could not be copied to the clipboard.");
        EXPECT_EQ(ClipboardFormats().count(CF_BITMAP), 0u);
    }
    robot.Verify();
}

// Without a selected catalogue line there is no source: the export commands do nothing.
TEST_F(CopyTest, ExportCommandsDoNothingWithoutASelectedCatalogueLine) {
    Catalogue().SetCurSel(-1);
    Command(ID_FILE_COPY);
    Command(ID_FILE_SAVE_AS);  // the robot fails the test for any dialog
    Command(ID_FILE_SAVE_ALL);
    SelectIcons({2});
    EXPECT_EQ(ClipboardFormats().count(CF_BITMAP), 0u);
    EXPECT_EQ(StatusText(dialog->StatusBar(), 1), " 10 Icon(s)");
    EXPECT_EQ(describedIconIndex, NoIndex);
}

}  // namespace
