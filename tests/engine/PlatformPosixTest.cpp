// The POSIX side of the platform layer: reading a source file, and replacing a file whole.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/IconRecord.h"
#include "engine/SourceFile.h"
#include "engine/SourceReading.h"
#include "files/ReplaceFile.h"
#include "fixtures/IconFixtures.h"
#include "fixtures/PeFixtures.h"
#include "support/NativeSupport.h"
#include "support/TestSeam.h"

namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> Bytes(const std::string& text) {
    return std::vector<unsigned char>(text.begin(), text.end());
}

}  // namespace

TEST(Platform, ASourceFileGivesExactlyItsBytesAndOneShortenedSinceItWasOpenedIsLost) {
    const TempDirectory folder;
    const fs::path file = folder.path / "a.ico", cut = folder.path / "b.ico";
    ASSERT_EQ(ReplaceFileWith(file.string(), Bytes("icons")), ReplaceResult::Replaced);
    ASSERT_EQ(ReplaceFileWith(cut.string(), Bytes("icons")), ReplaceResult::Replaced);
    const SourceFile source(file.c_str()), shortened(cut.c_str());
    ASSERT_EQ(source.Size(), 5u);
    ByteSpan part;
    ASSERT_TRUE(source.Bytes().Part(1, 4, part));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(part.Data()), part.Size()), "cons");
    EXPECT_FALSE(source.Bytes().Part(2, 4, part)) << "past the end";
    EXPECT_FALSE(source.Lost());
    ASSERT_EQ(truncate(cut.c_str(), 3), 0);
    EXPECT_FALSE(shortened.Bytes().Part(0, 1, part));
    EXPECT_TRUE(shortened.Lost());
    std::ofstream(folder.path / "empty");
    for (const fs::path& nothing : {folder.path / "empty", folder.path, folder.path / "missing"}) {
        const SourceFile none(nothing.c_str());
        EXPECT_EQ(none.Size(), 0u) << nothing;
        EXPECT_FALSE(none.Bytes().Part(0, 1, part)) << nothing;
    }
}

// The bytes of a source vanish between the opening of its file and their reading: it is a file
// that cannot be read, whatever its kind; read again later, it has its icons.
TEST(Platform, ASourceShortenedBeforeItsBytesAreReadCannotBeRead) {
    const TempDirectory folder;
    const std::string module =
        fixtures::PeIconLibrary({{fixtures::BitmapImage(16, 16, 4, 1)}, {fixtures::BitmapImage(32, 32, 8, 2)}});
    static std::string vanishing;
    {
        const TestSeam shortening(SetSourceOpenedHookForTesting, [](const char* path) {
            return path != vanishing || truncate(path, 10) == 0;
        });
        const std::pair<std::string, std::string> sources[] = {
            {"module.dll", module}, {"icons.ico", fixtures::IcoFile({fixtures::BitmapImage(16, 16, 4, 1)})}};
        for (const auto& [name, bytes] : sources) {
            vanishing = (folder.path / name).string();
            std::ofstream(vanishing, std::ios::binary) << bytes;
            EXPECT_EQ(SourceReading(vanishing.c_str()).GetKind(), SourceReading::Kind::None) << name;
        }
    }
    vanishing = (folder.path / "module.dll").string();
    std::ofstream(vanishing, std::ios::binary) << module;
    EXPECT_EQ(SourceReading(vanishing.c_str()).IconCount(), 2);

    // Shortened after the reading was made: a reading that took its images at once keeps them;
    // one that reads them on demand finds none past the cut (the large image lies beyond the
    // bytes read for the directory), and is lost.
    vanishing = (folder.path / "large.dll").string();
    std::ofstream(vanishing, std::ios::binary)
        << fixtures::PeIconLibrary({{fixtures::BitmapImage(256, 256, 32, 3), fixtures::BitmapImage(16, 16, 4, 1)}});
    const SourceReading atOnce(vanishing.c_str());
    const SourceReading onDemand(vanishing.c_str(), SourceReading::ImageReading::OnDemand);
    ASSERT_EQ(onDemand.IconCount(), 1);
    ASSERT_EQ(truncate(vanishing.c_str(), 4096), 0);
    std::vector<ByteSpan> images;
    ASSERT_TRUE(atOnce.Images(0, images));
    EXPECT_TRUE(IsSoundIconImage(images[0]) && IsSoundIconImage(images[1]));
    EXPECT_FALSE(atOnce.Lost());
    ASSERT_TRUE(onDemand.Images(0, images));
    EXPECT_TRUE(images[0].Empty() && images[1].Empty());
    EXPECT_TRUE(onDemand.Lost());
}

TEST(Platform, AReplacedFileIsWholeKeepsItsPermissionsAndLeavesNoTemporaryFile) {
    const TempDirectory folder;
    const fs::path file = folder.path / "a.png";
    ASSERT_EQ(ReplaceFileWith(file.string(), Bytes("first")), ReplaceResult::Replaced);
    chmod(file.c_str(), 0640);
    ASSERT_EQ(ReplaceFileWith(file.string(), Bytes("second")), ReplaceResult::Replaced);
    EXPECT_EQ(ReadWholeFile(file), "second");
    struct stat facts {};
    stat(file.c_str(), &facts);
    EXPECT_EQ(facts.st_mode & 0777, 0640u);
    // A folder of the target's name cannot be replaced; a missing folder takes no file at all.
    fs::create_directory(folder.path / "taken.png");
    EXPECT_EQ(ReplaceFileWith((folder.path / "taken.png").string(), Bytes("x")), ReplaceResult::CannotReplace);
    EXPECT_EQ(ReplaceFileWith((folder.path / "missing" / "b.png").string(), Bytes("x")), ReplaceResult::CannotCreate);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 2);
}
