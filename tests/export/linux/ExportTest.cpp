// The Linux exporter as a user runs it: PNG files of every image, thumbnails, group names in
// UTF-8, and damaged sources told with exit status 1.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "engine/BitmapDecoder.h"
#include "engine/Thumbnail.h"
#include "engine/linux/PngCodec.h"
#include "fixtures/IconFixtures.h"
#include "fixtures/PeFixtures.h"
#include "support/NativeSupport.h"
#include "support/ExactBytes.h"
#include "support/RandomDamage.h"

using namespace fixtures;
namespace fs = std::filesystem;

namespace {

class ExportTest : public testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return (folder / name).string();
    }

    // The exit status; the streams' text in out and errors.
    int Run(const std::string& arguments) {
        const fs::path outFile = folder / "stdout", errorFile = folder / "stderr";
        const int status = std::system((std::string(GLYPHDOCK_EXPORT_PATH) + " " + arguments + " >" + outFile.string() +
                                        " 2>" + errorFile.string())
                                           .c_str());
        out = Read(outFile);
        errors = Read(errorFile);
        fs::remove(outFile);
        fs::remove(errorFile);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static std::string Read(const fs::path& path) { return ReadWholeFile(path); }

    std::vector<std::string> Files(const std::string& under) const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder / under))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    const TempDirectory temporary;
    const fs::path folder = temporary.path;
    std::string out, errors;
};
}  // namespace

TEST_F(ExportTest, PngWritesEveryImageAsDecodedAndStoredPngsByteForByte) {
    const std::string bitmap = BitmapImage(20, 20, 4, 1), png = PngImage(24, 24, 2);
    const std::string source =
        Write("my.tool.dll", PeIconLibrary({{bitmap, png, BitmapImage(20, 20, 4, 3)}, {BitmapImage(16, 16, 32, 4)}}));
    ASSERT_EQ(Run("--png " + (folder / "out").string() + " " + source), 0) << errors;
    EXPECT_EQ(Files("out"), (std::vector<std::string>{"my_000_20x20x4-2.png", "my_000_20x20x4.png",
                                                      "my_000_24x24x32.png", "my_001_16x16x32.png"}));
    EXPECT_EQ(Read(folder / "out" / "my_000_24x24x32.png"), png);
    RgbaImage decoded;
    ASSERT_EQ(DecodeBitmapImage(ExactBytes(bitmap).Span(), decoded), ImageDecode::Decoded);
    int width = 0, height = 0;
    EXPECT_EQ(StbPixels(Read(folder / "out" / "my_000_20x20x4.png"), width, height), decoded.pixels);
}

TEST_F(ExportTest, ThumbnailTakesTheFilesOwnIconAndFitsTheSize) {
    const std::string source = Write("a.exe", PeIconLibrary({{BitmapImage(16, 16, 32, 1), PngImage(48, 48, 2),
                                                              BitmapImage(48, 48, 8, 3), PalettePngImage(96, 64, 4)},
                                                             {BitmapImage(128, 128, 32, 5)}}));
    const std::string output = (folder / "thumb.png").string();
    ASSERT_EQ(Run("--thumbnail 48 " + source + " " + output), 0) << errors;
    int width = 0, height = 0;
    EXPECT_EQ(StbPixels(Read(output), width, height), StbPixels(PngImage(48, 48, 2), width, height))
        << "the 48x48 image of greatest depth, unscaled";
    ASSERT_EQ(Run("--thumbnail 64 " + source + " " + output), 0) << errors;
    EXPECT_FALSE(StbPixels(Read(output), width, height).empty());
    EXPECT_EQ(width, 64);
    EXPECT_EQ(height, 43);
}

TEST_F(ExportTest, DamagedOrMissingSourcesAreToldWithStatusOneAndLeaveNoFile) {
    std::string damaged = PngImage(32, 32, 1);
    damaged[40] ^= 0x55;  // inside the image data: its checksum no longer holds
    const std::string source = Write("bad.ico", IcoFile({damaged}));
    const std::string output = (folder / "thumb.png").string();
    EXPECT_EQ(Run("--thumbnail 32 " + source + " " + output), 1);
    EXPECT_NE(errors.find(source + ": icon 0: damaged"), std::string::npos) << errors;
    EXPECT_EQ(Run("--png " + (folder / "out").string() + " " + source + " " + (folder / "missing.exe").string()), 1);
    EXPECT_NE(errors.find(source + ": icon group 0, image 0: damaged"), std::string::npos) << errors;
    EXPECT_NE(errors.find("missing.exe: No such file"), std::string::npos) << errors;
    EXPECT_TRUE(Files("out").empty());
    EXPECT_FALSE(fs::exists(output));
    EXPECT_EQ(Run("--thumbnail big " + source + " " + output), 2);
}

TEST_F(ExportTest, DamagedModulesEndWithStatusZeroOrOneAndOnlyWholePngFiles) {
    std::mt19937 random(19);
    const std::string module =
        PeIconLibrary({{BitmapImage(16, 16, 8, 1), PngImage(32, 32, 2)}, {BitmapImage(24, 24, 32, 3)}});
    const fs::path output = folder / "out";
    for (int i = 0; i < 25; ++i) {
        const std::string source = Write("damaged.dll", CutOrChangeBytes(module, random, 0x400));
        EXPECT_LE(Run("--png " + output.string() + " " + source), 1) << errors;
        EXPECT_LE(Run("--thumbnail 20 " + source + " " + (output / "thumb.png").string()), 1) << errors;
        for (const std::string& name : Files("out")) {
            int width = 0, height = 0;
            EXPECT_FALSE(StbPixels(Read(output / name), width, height).empty()) << name << " of damage " << i;
        }
        fs::remove_all(output);
    }
}

// /proc takes no new file, not even from root: told once, not once per image, icon or source.
TEST_F(ExportTest, AFolderThatTakesNoFileIsToldOnce) {
    const std::string source = Write("a.dll", PeIconLibrary({{BitmapImage(16, 16, 4, 1)}, {PngImage(24, 24, 2)}}));
    for (const std::string command : {"--png /proc ", "/proc "}) {
        EXPECT_EQ(Run(command + source + " " + source), 1);
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
        EXPECT_NE(errors.find(": Error Opening File for Writing"), std::string::npos) << errors;
    }
}

TEST_F(ExportTest, ListPrintsGroupNamesInUtf8AndHelpNamesEveryCommand) {
    const std::string image = BitmapImage(16, 16, 4, 1);
    const std::string source = Write(
        "named.dll",
        PeModule({{3, 1, u"", 0, image}, {14, 0, u"GR\u00dcN\u65e5", 0x409, GroupDirectory({EntryFor(image, 1)})}}));
    ASSERT_EQ(Run("--list " + source), 0) << errors;
    EXPECT_EQ(out, "0\tGR\u00dcN\u65e5\t16x16x16\n");
    ASSERT_EQ(Run("--help"), 0);
    EXPECT_NE(out.find("--thumbnail SIZE SOURCE OUTPUT"), std::string::npos) << out;
}

TEST_F(ExportTest, JsonTellsEachSourcesKindGroupsImagesAndVersion) {
    const std::string bitmap = BitmapImage(20, 20, 4, 1), png = PngImage(24, 24, 2);
    const std::string bytes1 = std::to_string(bitmap.size()), bytes2 = std::to_string(png.size());
    // The German table comes first; the English one is read.
    const std::string pe =
        Write("named.dll",
              PeModule({{3, 1, u"", 0, bitmap},
                        {3, 2, u"", 0, png},
                        {14, 0, u"GR\u00dcN", 0x409, GroupDirectory({EntryFor(bitmap, 1), EntryFor(png, 2)})},
                        {14, 7, u"", 0, GroupDirectory({EntryFor(bitmap, 9)})},
                        {16, 1, u"", 0x409,
                         VersionResource(true, {1, 2, 3, 4},
                                         {{"040704b0", {{"ProductName", "Falsch"}}},
                                          {"040904b0", {{"CompanyName", "Maker \"Q\""}, {"ProductName", "Dock"}}}})}},
                       false));
    const std::string ne =
        Write("old.exe",
              NeModule({{NeIconType, NeIntegerId | 1, bitmap},
                        {NeGroupType, NeIntegerId | 5, GroupDirectory({EntryFor(bitmap, 1)})},
                        {0x8010, NeIntegerId | 1,
                         VersionResource(false, {3, 1, 0, 0}, {{"000004e4", {{"FileDescription", "Alt\xe9"}}}})}}));
    const std::string ico = Write("a.ico", IcoFile({png})), text = Write("notes.txt", "just text");
    const std::string missing = (folder / "gone\xff.exe").string();
    ASSERT_EQ(Run("--json " + pe + " " + ne + " " + ico + " " + text + " '" + missing + "'"), 1) << errors;
    const std::string bitmapJson = "{\"width\":20,\"height\":20,\"bits\":4,\"png\":false,\"bytes\":" + bytes1 + "}";
    const std::string pngJson = "{\"width\":24,\"height\":24,\"bits\":32,\"png\":true,\"bytes\":" + bytes2 + "}";
    const std::string missingJson = (folder / "gone").string() + "\\udcff.exe";
    EXPECT_EQ(out,
              "{\"schema\":1,\"path\":\"" + pe +
                  "\",\"status\":\"ok\",\"kind\":\"pe32\",\"groups\":["
                  "{\"index\":0,\"name\":\"GR\u00dcN\",\"language\":1033,\"readable\":true,\"images\":[" +
                  bitmapJson + "," + pngJson +
                  "]},{\"index\":1,\"id\":7,\"language\":0,\"readable\":false,\"images\":[{\"readable\":false,"
                  "\"bytes\":0}]}],\"version\":{\"ProductName\":\"Dock\",\"CompanyName\":\"Maker \\\"Q\\\"\","
                  "\"file_version\":\"1.2.3.4\",\"product_version\":\"4.3.2.1\"}}\n"
                  "{\"schema\":1,\"path\":\"" +
                  ne +
                  "\",\"status\":\"ok\",\"kind\":\"ne\",\"groups\":[{\"index\":0,"
                  "\"id\":5,\"language\":null,\"readable\":true,\"images\":[" +
                  bitmapJson +
                  "]}],\"version\":{"
                  "\"FileDescription\":\"Alt\u00e9\",\"file_version\":\"3.1.0.0\",\"product_version\":\"0.0.1.3\"}}\n"
                  "{\"schema\":1,\"path\":\"" +
                  ico +
                  "\",\"status\":\"ok\",\"kind\":\"ico\",\"groups\":[{\"index\":0,"
                  "\"id\":null,\"language\":null,\"readable\":true,\"images\":[" +
                  pngJson +
                  "]}],\"version\":null}\n"
                  "{\"schema\":1,\"path\":\"" +
                  text +
                  "\",\"status\":\"not-a-module\",\"kind\":null,\"groups\":[],"
                  "\"version\":null}\n"
                  "{\"schema\":1,\"path\":\"" +
                  missingJson +
                  "\",\"status\":\"unreadable\",\"kind\":null,\"groups\":[],"
                  "\"version\":null}\n");
    EXPECT_EQ(Run("--json " + pe + " " + ico), 0) << errors;
}

// Images 16, 32 and 48 pixels wide at 4, 8 and 32 bits, and a 256-pixel PNG image.
TEST_F(ExportTest, ThumbnailTakesTheSmallestLargeEnoughFullColourImageAndPassesOverDamagedOnes) {
    std::vector<std::string> images;
    for (int side : {16, 32, 48})
        for (int bits : {4, 8, 32})
            images.push_back(BitmapImage(side, side, bits, static_cast<int>(images.size())));
    images.push_back(PngImage(256, 256, 9));
    std::reverse(images.begin(), images.end());  // so that directory order decides nothing
    const auto expect = [&](const std::vector<std::string>& group, int size, size_t chosen) {
        const std::string source = Write("colours.dll", PeIconLibrary({group})), output = (folder / "t.png").string();
        ASSERT_EQ(Run("--thumbnail " + std::to_string(size) + " " + source + " " + output), 0) << errors;
        RgbaImage picture, scaled;
        ASSERT_EQ(DecodeIconImage(ExactBytes(group[chosen]).Span(), picture), ImageDecode::Decoded);
        ScaleToFit(picture, size, scaled);
        int width = 0, height = 0;
        EXPECT_EQ(StbPixels(Read(output), width, height), scaled.pixels) << "size " << size << ", image " << chosen;
    };
    // Reversed: the PNG image is 0, the 48-pixel 32-bit one 1, the 16-pixel 4-bit one 9.
    for (const auto& [size, chosen] :
         std::vector<std::pair<int, size_t>>{{16, 7}, {20, 4}, {32, 4}, {40, 1}, {48, 1}, {64, 0}, {256, 0}, {512, 0}})
        expect(images, size, chosen);
    images[1] = images[1].substr(0, 200);  // its header intact, its pixels cut
    expect(images, 48, 2);
}

TEST_F(ExportTest, GroupChoosesOneGroupByIndexOrResourceId) {
    const std::string source = Write(
        "g.dll", PeIconLibrary({{BitmapImage(16, 16, 4, 1)}, {BitmapImage(32, 32, 32, 2)}, {PngImage(24, 24, 3)}}));
    const std::string output = (folder / "t.png").string();
    ASSERT_EQ(Run("--group -2 --thumbnail 64 " + source + " " + output), 0) << errors;
    int width = 0, height = 0;
    EXPECT_FALSE(StbPixels(Read(output), width, height).empty());
    EXPECT_EQ(width, 32);
    ASSERT_EQ(Run("--png " + (folder / "png").string() + " --group 2 " + source), 0) << errors;
    EXPECT_EQ(Files("png"), std::vector<std::string>{"g_002_24x24x32.png"});
    ASSERT_EQ(Run("--group 1 " + (folder / "ico").string() + " " + source), 0) << errors;
    EXPECT_EQ(Files("ico"), std::vector<std::string>{"g_001.ico"});
    EXPECT_EQ(Run("--group -9 " + (folder / "ico").string() + " " + source), 1);
    EXPECT_NE(errors.find(source + ": No icon group with id 9"), std::string::npos) << errors;
    EXPECT_EQ(Run("--group 3 --thumbnail 16 " + source + " " + output), 1);
    EXPECT_EQ(Run("--group x --png " + (folder / "png").string() + " " + source), 2);
}
