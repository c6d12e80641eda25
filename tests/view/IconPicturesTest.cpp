// The icon view's count, order and pictures, read by our own readers, give the shell's answers
// on sound files; damaged files are never handed to the shell.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "support/EngineTestSupport.h"
#include "engine/IconSource.h"
#include "engine/SourceReading.h"
#include "fixtures/IconFixtures.h"
#include "fixtures/PeFixtures.h"
#include "framework/CImageList.h"
#include "framework/CWinApp.h"
#include "pictures/IconPictures.h"
#include "support/ExactBytes.h"
#include "support/RandomDamage.h"
#include "support/TempFolder.h"
#include "view/IconStrip.h"
#include "view/IconView.h"

namespace {

std::string Narrow(const std::u16string& text) {
    std::string narrow;
    for (char16_t unit : text)
        narrow += static_cast<char>(unit);
    return narrow;
}

bool SamePicture(const IconPicture& a, const IconPicture& b) {
    return a.colour == b.colour && a.mask == b.mask;
}

// Count, enumeration order and every picture against the shell's own functions.
void ExpectTheShellsAnswers(const std::string& path) {
    SCOPED_TRACE(path);
    const SourceReading reading(path.c_str());
    const int count = reading.IconCount();
    ASSERT_EQ(count, ShellIconCount(path));
    ASSERT_TRUE(reading.AcceptedWhole());
    if (reading.GetKind() == SourceReading::Kind::Pe) {
        std::vector<std::string> names;
        for (const ModuleGroup& group : ReadModuleGroups(path))
            names.push_back(group.name);
        std::vector<std::string> ours;
        for (const PeIconGroup& group : reading.Module().groups)
            ours.push_back(group.name.integer ? std::to_string(group.name.id) : Narrow(group.name.text));
        EXPECT_EQ(ours, names);
    }
    for (int i = 0; i < count; ++i) {
        // The shell's icons have the system's size, which follows the screen's DPI.
        IconPicture ours{}, shells{};
        ours.size = shells.size = LargeIconSide();
        HICON icon = ExtractIconA(GetModuleHandleA(nullptr), path.c_str(), static_cast<UINT>(i));
        ASSERT_TRUE(PictureOfIcon(icon, shells)) << "icon " << i;
        DestroyIcon(icon);
        ASSERT_TRUE(SourceIconPicture(reading, i, ScreenBitsPerPixel(), ours)) << "icon " << i;
        EXPECT_TRUE(SamePicture(ours, shells)) << "icon " << i;
    }
}

}  // namespace

// The system's own pick, mapped back to its entry; builds without Windows follow Wine's rule.
TEST(IconPictures, ThePictureIsTheImageTheSystemPicks) {
    using namespace fixtures;
    const int depth = ScreenBitsPerPixel();
    for (const std::vector<std::string>& images : std::vector<std::vector<std::string>>{
             {BitmapImage(16, 16, 8, 1), BitmapImage(48, 48, 8, 2)},  // no 32x32 image
             {BitmapImage(32, 32, 4, 1), BitmapImage(32, 32, 32, 2), BitmapImage(16, 16, 32, 3)},
             {PngImage(256, 256, 1), BitmapImage(24, 24, 8, 2)}}) {
        std::vector<GroupEntry> entries;
        for (size_t k = 0; k < images.size(); ++k)
            entries.push_back(EntryFor(images[k], uint16_t(200 - k)));
        std::string directory = GroupDirectory(entries);
        const int expected = 200 - LookupIconIdFromDirectoryEx(reinterpret_cast<BYTE*>(directory.data()), 1, 32, 32, 0);
        EXPECT_EQ(PickIconImage(ExactBytes(directory).Span(), GroupEntryBytes, 32, depth), expected);
        EXPECT_EQ(PickIconImage(ExactBytes(IcoFile(images)).Span(), 16, 32, depth), expected);
        std::vector<IconCandidate> candidates;  // a width or height of 0 means 256
        for (const GroupEntry& entry : entries)
            candidates.push_back({entry.width ? entry.width : 256, entry.height ? entry.height : 256, entry.bitCount});
        EXPECT_EQ(ChooseIconImage(candidates, 32, 32, depth), expected);
    }
}

TEST(IconPictures, SameCountOrderAndPicturesAsTheShell) {
    for (const char* name : {"icons64.dll", "icons32.dll"})
        ExpectTheShellsAnswers(FixturePath(name));
    for (const char* path : {"C:\\windows\\system32\\shell32.dll", "C:\\windows\\system32\\user32.dll",
                             "C:\\windows\\regedit.exe", "C:\\windows\\notepad.exe"})
        ExpectTheShellsAnswers(path);
    TempFolder folder;
    using namespace fixtures;
    ExpectTheShellsAnswers(
        folder.WriteFile("many.dll", PeIconLibrary({{BitmapImage(16, 16, 4, 1), BitmapImage(32, 32, 1, 2)},
                                                    {BitmapImage(32, 32, 24, 3), BitmapImage(32, 32, 8, 4)},
                                                    {BitmapImage(48, 48, 8, 5)},
                                                    {PngImage(32, 32, 6)}})));
    ExpectTheShellsAnswers(
        folder.WriteFile("one.ico", IcoFile({BitmapImage(16, 16, 8, 7), BitmapImage(32, 32, 4, 8)})));
}

TEST(IconPictures, GroupsThatCannotBeReadKeepTheirPlaceAsBlanks) {
    const std::string path = FixturePath("broken64.dll");
    const SourceReading reading(path.c_str());
    ASSERT_EQ(reading.IconCount(), 8);
    EXPECT_FALSE(reading.AcceptedWhole()) << "the shell is not given it";
    IconPicture picture;
    EXPECT_TRUE(SourceIconPicture(reading, 6, 24, picture)) << "the sound group 7";
    EXPECT_FALSE(SourceIconPicture(reading, 1, 24, picture)) << "group 2 names an image the module lacks";

    // Neither can the shell extract every icon; the icon cache still keeps one image per index.
    int missing = 0;
    for (int i = 0; i < reading.IconCount(); ++i) {
        HICON icon = ExtractIconA(AppInstance(), path.c_str(), static_cast<UINT>(i));
        if (icon)
            DestroyIcon(icon);
        else
            ++missing;
    }
    EXPECT_GT(missing, 0) << "the fixture no longer has icons the shell cannot extract";
    CImageList cache;
    ASSERT_TRUE(cache.Create(32, 32, IconListFlags(), 0, 100));
    EXPECT_EQ(AppendSourceIcons(cache, reading, ShellIconCount(path)), 8);
    EXPECT_EQ(cache.GetImageCount(), 8);
}

TEST(IconPictures, DamagedCopiesOfARealProgramGoThroughTheReaderAndThePictures) {
    const std::string module = ReadWholeFile("C:\\windows\\regedit.exe");
    size_t start = 0, size = 0;
    fixtures::PeResourceSection(module, start, size);
    ASSERT_GT(size, 0u);
    std::mt19937 random(11);
    TempFolder folder;
    int readable = 0;
    for (int copy = 0; copy < 200; ++copy) {
        const std::string path = folder.WriteFile("regedit.exe", DamagedModuleCopy(module, start, size, random));
        const SourceReading reading(path.c_str());
        IconPicture picture;
        for (int i = 0; i < reading.IconCount(); ++i)
            SourceIconPicture(reading, i, 24, picture);
        readable += reading.IconCount() > 0;
    }
    EXPECT_GT(readable, 0);
}

TEST(IconPictures, SystemModulesWithoutIconsAreReadThroughTheirTwin) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string module = std::string(windows) + "\\glyphdock-twin-test.dll";
    const std::string folder = std::string(windows) + "\\SystemResources\\";
    const std::string twin = folder + "glyphdock-twin-test.dll.mun";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(FixturePath("noicons64.dll").c_str(), module.c_str(), FALSE));
    EXPECT_EQ(SourceReading(module.c_str()).IconCount(), 0) << "no twin yet";
    ASSERT_TRUE(CopyFileA(FixturePath("icons64.dll").c_str(), twin.c_str(), FALSE));
    EXPECT_EQ(SourceReading(module.c_str()).IconCount(), 10);
    TempFolder output;
    EXPECT_TRUE(ExportAllIconGroups(module.c_str(), output.Path().c_str()));
    EXPECT_EQ(FolderFiles(output.Path()).size(), 10u);

    // Outside the Windows folder a module is read alone.
    TempFolder elsewhere;
    const std::string copy = elsewhere.Path() + "glyphdock-twin-test.dll";
    ASSERT_TRUE(CopyFileA(FixturePath("noicons64.dll").c_str(), copy.c_str(), FALSE));
    EXPECT_EQ(SourceReading(copy.c_str()).IconCount(), 0);
    DeleteFileA(twin.c_str());
    DeleteFileA(module.c_str());
    RemoveDirectoryA(folder.c_str());  // goes only when empty, as this test left it
}

namespace {

// Every image of a list drawn over black and over white, 32-bit.
std::vector<uint32_t> DrawnImages(HIMAGELIST list) {
    const int count = ImageList_GetImageCount(list);
    const BITMAPINFO format = TopDownFormat(32, 32 * 2 * count);
    void* bits = nullptr;
    HBITMAP canvas = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, canvas);
    for (int i = 0; i < count; ++i) {
        RECT white = {0, 32 * (2 * i + 1), 32, 32 * (2 * i + 2)};
        FillRect(dc, &white, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ImageList_Draw(list, i, dc, 0, 32 * 2 * i, ILD_NORMAL);
        ImageList_Draw(list, i, dc, 0, 32 * (2 * i + 1), ILD_NORMAL);
    }
    GdiFlush();
    std::vector<uint32_t> pixels(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + 32 * 32 * 2 * count);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(canvas);
    return pixels;
}

}  // namespace

TEST(IconPictures, TheCacheShowsWhatTheListMakesOfEachPictureAlone) {
    const std::string path = "C:\\windows\\system32\\shell32.dll";
    const SourceReading reading(path.c_str());
    CImageList strips, single;
    ASSERT_TRUE(strips.Create(32, 32, IconListFlags(), 0, 100));
    ASSERT_TRUE(single.Create(32, 32, IconListFlags(), 0, 100));
    AppendSourceIcons(strips, reading, reading.IconCount());
    ASSERT_EQ(strips.GetImageCount(), reading.IconCount());
    // The same pictures, one 32-bit image at a time, converted by the list itself.
    for (int i = 0; i < reading.IconCount(); ++i) {
        IconPicture picture;
        ASSERT_TRUE(SourceIconPicture(reading, i, ScreenBitsPerPixel(), picture));
        const BITMAPINFO format = TopDownFormat(32, 32);
        void* bits = nullptr;
        const CBitmap colour(CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
        std::memcpy(bits, picture.colour.data(), picture.colour.size() * sizeof picture.colour[0]);
        MaskBits mask(32, 32);
        for (int p = 0; p < 32 * 32; ++p)
            if (picture.mask[p]) mask.Set(p % 32, p / 32);
        ImageList_Add(single.GetSafeHandle(), colour, mask.Bitmap());
    }
    EXPECT_TRUE(DrawnImages(strips.GetSafeHandle()) == DrawnImages(single.GetSafeHandle()));
}

TEST(ScreenTest, ScreenHasAColourDepth) {
    EXPECT_GT(ScreenBitsPerPixel(), 0);
}
