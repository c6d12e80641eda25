// The POSIX side of the platform layer: mapping a source file, and replacing a file whole.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "engine/MappedFile.h"
#include "files/ReplaceFile.h"
#include "native/NativeSupport.h"

namespace fs = std::filesystem;

namespace {

std::vector<unsigned char> Bytes(const std::string& text) {
    return std::vector<unsigned char>(text.begin(), text.end());
}

}  // namespace

TEST(Platform, AMappedFileHoldsExactlyItsBytesAndNothingElseMapsToNothing) {
    const TempDirectory folder;
    const fs::path file = folder.path / "a.ico";
    ASSERT_EQ(ReplaceFileWith(file.string(), Bytes("icon")), ReplaceResult::Replaced);
    const MappedFile mapped(file.c_str());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(mapped.Bytes().Data()), mapped.Bytes().Size()), "icon");
    std::ofstream(folder.path / "empty");
    for (const fs::path& nothing : {folder.path / "empty", folder.path, folder.path / "missing"})
        EXPECT_EQ(MappedFile(nothing.c_str()).Bytes().Size(), 0u) << nothing;
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
