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
#include "support/EngineTestSupport.h"
#include "files/PathUtilities.h"
#include "resource.h"
#include "support/MainWindowHarness.h"

namespace {

void PutTextOnClipboard(const char* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(memory)), text);
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

// The 32 x 32 pixels of a bitmap as 0xRRGGBB values, top row first.
std::vector<unsigned> Pixels(HBITMAP bitmap) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 32;
    info.bmiHeader.biHeight = -32;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned> pixels(32 * 32);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, bitmap, 0, 32, pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (unsigned& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

// Image `index` of the icon cache drawn transparently over a background of one colour.
std::vector<unsigned> CacheImageOver(int index, COLORREF background) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, 32, 32};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    ImageList_Draw(largeIconList, index, memory, 0, 0, ILD_TRANSPARENT);
    SelectObject(memory, previous);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::vector<unsigned> pixels = Pixels(bitmap);
    DeleteObject(bitmap);
    return pixels;
}

class CopyTest : public MainWindowTest {};

TEST_F(CopyTest, PutsTheSelectedIconOnWhiteAtTheScreensDepthInPlaceOfWhatTheClipboardHeld) {
    WriteCatalogue(FixturePath("icons64.dll") + "\r\n");
    Start();
    PutTextOnClipboard("held before");
    SelectIcons({3});
    Command(ID_FILE_COPY);

    const std::set<UINT> formats = ClipboardFormats();
    EXPECT_TRUE(formats.count(CF_BITMAP));
    for (UINT format : formats)
        EXPECT_TRUE(format == CF_BITMAP || format == CF_DIB || format == CF_DIBV5) << "format " << format;

    ASSERT_TRUE(OpenClipboard(nullptr));
    auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP shape{};
    GetObjectA(bitmap, sizeof shape, &shape);
    EXPECT_EQ(shape.bmWidth, 32);
    EXPECT_EQ(shape.bmHeight, 32);
    EXPECT_EQ(shape.bmBitsPixel * shape.bmPlanes, ScreenBitsPerPixel());
    // Handed over free: it can be selected into a context of our own.
    HDC memory = CreateCompatibleDC(nullptr);
    EXPECT_TRUE(SelectObject(memory, bitmap));
    DeleteDC(memory);
    const std::vector<unsigned> copied = Pixels(bitmap);
    CloseClipboard();

    const int image = EntryOf(0)->firstLargeImage + 3;
    const std::vector<unsigned> onWhite = CacheImageOver(image, RGB(255, 255, 255));
    const std::vector<unsigned> onBlack = CacheImageOver(image, RGB(0, 0, 0));
    int transparent = 0;
    for (size_t i = 0; i < copied.size(); ++i) {
        if (onWhite[i] != onBlack[i]) {
            ++transparent;
            EXPECT_EQ(copied[i], 0xFFFFFFu) << "pixel " << i;
        }
    }
    EXPECT_GT(transparent, 0) << "the icon should have transparent pixels";
    EXPECT_EQ(copied, onWhite);
}

TEST_F(CopyTest, AClipboardHeldByAnotherProgramKeepsWhatItHolds) {
    WriteCatalogue(FixturePath("icons64.dll") + "\r\n");
    Start();
    PutTextOnClipboard("held before");
    HANDLE opened = CreateEventA(nullptr, TRUE, FALSE, nullptr), done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        OpenClipboard(nullptr);
        SetEvent(opened);
        WaitForSingleObject(done, 10000);
        CloseClipboard();
    });
    WaitForSingleObject(opened, 10000);
    Command(ID_FILE_COPY);
    SetEvent(done);
    holder.join();
    CloseHandle(opened);
    CloseHandle(done);
    EXPECT_EQ(ClipboardFormats().count(CF_BITMAP), 0u);
    EXPECT_EQ(ClipboardFormats().count(CF_TEXT), 1u);
}

// Without a selected catalogue line there is no source: the export commands do nothing.
TEST_F(CopyTest, ExportCommandsDoNothingWithoutASelectedCatalogueLine) {
    WriteCatalogue(FixturePath("icons64.dll") + "\r\n");
    ExplorerDialog& window = Start();
    PutTextOnClipboard("held before");
    SendMessageA(window.CatalogueList(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Command(ID_FILE_COPY);
    Command(ID_FILE_SAVE_AS);  // the robot fails the test for any dialog
    Command(ID_FILE_SAVE_ALL);
    SelectIcons({2});
    EXPECT_EQ(ClipboardFormats().count(CF_BITMAP), 0u);
    EXPECT_EQ(ClipboardFormats().count(CF_TEXT), 1u);
    EXPECT_EQ(StatusText(window.StatusBar(), 1), " 10 Icon(s)");
    EXPECT_EQ(describedIconIndex, NoIndex);
}

}  // namespace
