// The Linux exporter as a user runs it: PNG files of every image, thumbnails, group names in
// UTF-8, and damaged sources told with exit status 1.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "engine/BitmapDecoder.h"
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
