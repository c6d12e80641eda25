// Icon groups of 32-bit modules, through the road every command takes, against the modules the
// build makes and the test prefix's own shell32.dll.
#include <gtest/gtest.h>

#include "support/EngineTestSupport.h"
#include "engine/IconSource.h"
#include "engine/ModuleGroups.h"
#include "fixtures/IconFixtures.h"
#include "support/TempFolder.h"

using fixtures::GetU32;
using fixtures::PutU32;

namespace {

int BigEndian(const std::string& bytes, size_t at) {
    return static_cast<unsigned char>(bytes[at]) << 24 | static_cast<unsigned char>(bytes[at + 1]) << 16 |
           static_cast<unsigned char>(bytes[at + 2]) << 8 | static_cast<unsigned char>(bytes[at + 3]);
}

const std::vector<std::string> SoundGroupNames = {
    "12345", "GROUP" + std::string(90, 'N'), "ICONMAIN", "1", "2", "3", "4", "5", "6", "20"};

std::string Export(const std::string& source, int index, const TempFolder& folder) {
    const std::string output = folder.Path() + "out.ico";
    DeleteFileA(output.c_str());
    ExportIconGroup(source.c_str(), index, output.c_str());
    return ReadWholeFile(output);
}

// Every exported image is the module's own, but for a bitmap's image-size field, loads in the
// system at its own size and has the directory entry its header (or a PNG image's IHDR header
// and the group's entry) gives.
void ExpectTrueCopy(const std::string& ico, const ModuleGroup& group) {
    const std::vector<std::string> images = IcoImages(ico);
    ASSERT_EQ(images.size(), group.images.size()) << group.name;
    for (size_t i = 0; i < images.size(); ++i) {
        SCOPED_TRACE(testing::Message() << group.name << " image " << i);
        std::string expected = group.images[i];
        const bool png = expected.compare(0, 4, "\x89PNG") == 0;
        const IcoDirectoryEntry entry = IcoEntry(ico, i);
        int width = 0, height = 0;
        if (png) {
            width = BigEndian(expected, 16);
            height = BigEndian(expected, 20);
            EXPECT_EQ(entry.planes, fixtures::GetU16(group.directory, 6 + 14 * i + 4));
            EXPECT_EQ(entry.bitCount, fixtures::GetU16(group.directory, 6 + 14 * i + 6));
        } else {
            PutU32(expected, 20, 0);
            width = static_cast<int>(GetU32(expected, 4));
            height = static_cast<int>(GetU32(expected, 8)) / 2;
            EXPECT_EQ(entry.planes, fixtures::GetU16(expected, 12));
            EXPECT_EQ(entry.bitCount, fixtures::GetU16(expected, 14));
        }
        EXPECT_EQ(images[i], expected);
        EXPECT_EQ(entry.width, width & 0xFF);
        EXPECT_EQ(entry.height, height & 0xFF);
        EXPECT_TRUE(LoadsAsIcon(images[i], width, height));
    }
}

}  // namespace

TEST(ModuleGroups, ListsGroupNamesInEnumerationOrderAndClearsTheListAfterwards) {
    std::vector<std::vector<std::string>> listed;
    std::vector<std::string> seen;
    int calls = 0;
    const auto with = [&](const char* name, const std::function<void(const ModuleGroups&)>& work) {
        const std::string path = FixturePath(name);
        const GroupNameListing listing = [&](const std::vector<std::string>& names) { listed.push_back(names); };
        return WithModuleGroups(SourceReading(path.c_str()), path.c_str(), listing, work);
    };
    EXPECT_TRUE(with("icons64.dll", [&](const ModuleGroups& groups) {
        ++calls;
        EXPECT_EQ(listed.size(), 1u) << "listed before the work";
        for (int i = 0; i < groups.Count(); ++i)
            seen.push_back(groups.Line(i));
    }));
    EXPECT_EQ(seen, SoundGroupNames);
    EXPECT_EQ(listed, (std::vector<std::vector<std::string>>{SoundGroupNames, {}}));

    EXPECT_TRUE(with("noicons64.dll", [&](const ModuleGroups&) { ++calls; }));
    EXPECT_FALSE(with("icons.rc", [&](const ModuleGroups&) { ++calls; })) << "not a module";
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(listed.size(), 2u);
}

TEST(ModuleGroups, ExportsEveryGroupExactlyAsBothKindsOfModuleStoreIt) {
    TempFolder folder;
    MessageRecorder messages;
    for (const char* name : {"icons64.dll", "icons32.dll"}) {
        const std::string source = FixturePath(name);
        const std::vector<ModuleGroup> groups = ReadModuleGroups(source);
        ASSERT_EQ(groups.size(), SoundGroupNames.size()) << name;
        for (size_t i = 0; i < groups.size(); ++i) {
            const std::string ico = Export(source, static_cast<int>(i), folder);
            ExpectTrueCopy(ico, groups[i]);
            if (groups[i].name == "1") {
                EXPECT_EQ(ico.size(), 1078u);
            }
        }
    }
    EXPECT_TRUE(messages.Messages().empty());
}

TEST(ModuleGroups, DescribesEveryImageWithItsRealSize) {
    const std::vector<std::string> expected = {
        "32x32x16",
        "16x16x16, 32x32x16",
        "32x32x256",
        "32x32x16, 16x16x16",
        "32x32x16, 16x16x16, 32x32x256",
        "32x32x2, 32x32x16, 32x32x256, 32x32x256, 32x32x256",
        "32x32x256, 256x256x256",
        "256x256x16, 48x48x256",
        "16x16x256, 48x48x256, 32x32x256",
        "32x32x256, 48x48x256",
    };
    for (const char* name : {"icons64.dll", "icons32.dll"})
        for (size_t i = 0; i < expected.size(); ++i) {
            std::string text = "stale";
            EXPECT_TRUE(DescribeIconGroup(FixturePath(name).c_str(), static_cast<int>(i), text));
            EXPECT_EQ(text, expected[i]) << name << " group " << i;
        }
    std::string text = "stale";
    EXPECT_FALSE(DescribeIconGroup(FixturePath("icons64.dll").c_str(), 10, text));
    EXPECT_EQ(text, "");
}

TEST(ModuleGroups, RefusesUnsoundGroupsSilentlyAndWritesNothingForThem) {
    TempFolder folder;
    MessageRecorder messages;
    const std::string source = FixturePath("broken64.dll");
    // Groups 1 to 8: count past the directory, missing image, image shorter than a header,
    // header sizes past the image, no images, PNG cut inside IHDR, sound, second image missing.
    for (int i = 0; i < 8; ++i) {
        std::string text;
        const bool sound = i == 6;
        EXPECT_EQ(Export(source, i, folder).empty(), !sound) << "group " << i + 1;
        EXPECT_EQ(DescribeIconGroup(source.c_str(), i, text), sound);
        EXPECT_EQ(text.empty(), !sound);
    }
    EXPECT_FALSE(ExportAllIconGroups(source.c_str(), folder.Path().c_str()));
    EXPECT_EQ(FolderFiles(folder.Path()), std::vector<std::string>{"broken64_006.ico"});
    EXPECT_TRUE(messages.Messages().empty());
}

TEST(ModuleGroups, GroupsCutOffByTheEndOfTheFileAreRefused) {
    // A module cut short still loads as a data file; the resources behind the cut must not be
    // read from the zeros that fill its mapping's last page.
    TempFolder folder;
    const std::string whole = ReadWholeFile(FixturePath("icons64.dll"));
    const std::vector<ModuleGroup> groups = ReadModuleGroups(FixturePath("icons64.dll"));
    ASSERT_EQ(groups.size(), SoundGroupNames.size());
    for (size_t g = 0; g < groups.size(); ++g)
        for (size_t length : {groups[g].end - 1, groups[g].end}) {
            const std::string source = folder.WriteFile("cut.dll", whole.substr(0, length));
            const std::string ico = Export(source, static_cast<int>(g), folder);
            SCOPED_TRACE(testing::Message() << "group " << groups[g].name << " cut at " << length);
            if (length < groups[g].end)
                EXPECT_EQ(ico, "");
            else
                ExpectTrueCopy(ico, groups[g]);
        }
}

TEST(ModuleGroups, FollowsTheShellsNumberingOfIcons) {
    TempFolder folder;
    for (const char* name : {"icons64.dll", "icons32.dll"}) {
        const std::string source = FixturePath(name);
        const int count = ShellIconCount(source);
        ASSERT_EQ(count, static_cast<int>(SoundGroupNames.size()));
        ASSERT_TRUE(ExportAllIconGroups(source.c_str(), folder.Path().c_str()));
        const std::string base = std::string(name).substr(0, 7);
        for (int i = 0; i < count; ++i) {
            const std::string ico = folder.Path() + GroupFileName("", base, i);
            const std::vector<unsigned> pixels = ShellIconPixels(source, i);
            ASSERT_FALSE(pixels.empty());
            EXPECT_EQ(IcoFilePixels(ico), pixels) << name << " icon " << i;
        }
    }
    // Modules with unsound groups and without groups are numbered alike.
    EXPECT_EQ(ShellIconCount(FixturePath("broken64.dll")), 8);
    EXPECT_EQ(ShellIconCount(FixturePath("noicons64.dll")), 0);
    ExportAllIconGroups(FixturePath("broken64.dll").c_str(), folder.Path().c_str());
    EXPECT_EQ(IcoFilePixels(folder.Path() + "broken64_006.ico"), ShellIconPixels(FixturePath("broken64.dll"), 6));
}

TEST(ModuleGroups, Shell32KeepsItsPngImagesAndTheShellsNumbering) {
    TempFolder folder;
    MessageRecorder messages;
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string source = std::string(system) + "\\shell32.dll";
    const std::vector<ModuleGroup> groups = ReadModuleGroups(source);
    const int count = ShellIconCount(source);
    ASSERT_EQ(count, 184);
    ASSERT_EQ(groups.size(), 184u);
    ASSERT_TRUE(ExportAllIconGroups(source.c_str(), folder.Path().c_str()));
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE(testing::Message() << "icon " << i << " (" << groups[i].name << ")");
        const std::string path = folder.Path() + GroupFileName("", "shell32", i);
        const std::string ico = ReadWholeFile(path);
        ExpectTrueCopy(ico, groups[i]);
        bool hasPng256 = false;
        for (size_t k = 0; k < IcoImages(ico).size(); ++k)
            hasPng256 |= IcoImages(ico)[k].compare(0, 4, "\x89PNG") == 0 && IcoEntry(ico, k).width == 0;
        EXPECT_TRUE(hasPng256);
        EXPECT_EQ(IcoFilePixels(path), ShellIconPixels(source, i));
        if (HasFailure()) break;
    }
    std::string text;
    ASSERT_TRUE(DescribeIconGroup(source.c_str(), 0, text));
    EXPECT_NE(text.find("256x256x256"), std::string::npos) << text;
    EXPECT_TRUE(messages.Messages().empty());
}
