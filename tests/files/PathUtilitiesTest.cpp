#include "files/PathUtilities.h"
#include "files/TextFunctions.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFile(const std::string& path) {
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    CloseHandle(file);
}

void RemoveTree(const std::string& directory) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string child = directory + "\\" + name;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveTree(child);
            } else {
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(directory.c_str());
}

// A caller's 260-byte path buffer holding text.
std::vector<char> PathBuffer(const std::string& text) {
    std::vector<char> buffer(PathBufferSize, '\0');
    text.copy(buffer.data(), PathBufferSize - 1);
    return buffer;
}

std::string DisplayPath(const std::string& directory) {
    std::vector<char> output = PathBuffer("previous");
    DisplayNamePath(directory.c_str(), output.data());
    return output.data();
}

// Each test works in a fresh folder under the temporary directory.
class PathUtilities : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[PathBufferSize];
        ASSERT_GT(GetTempPathA(PathBufferSize, temp), 0u);
        static int serial = 0;
        root = std::string(temp) + "glyphdock-paths-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(GetTickCount()) + "-" + std::to_string(++serial);
        ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr)) << root;
    }

    void TearDown() override { RemoveTree(root); }

    std::string At(const std::string& relative) const { return root + "\\" + relative; }

    std::string root;
};

}  // namespace

TEST_F(PathUtilities, PathExistsSeesFilesDirectoriesAndDrivesButNoWildcards) {
    MakeFile(At("icons.dll"));

    EXPECT_FALSE(PathExists(""));
    EXPECT_TRUE(PathExists("C:\\"));
    EXPECT_TRUE(PathExists("C:"));
    EXPECT_TRUE(PathExists(root.c_str()));
    EXPECT_TRUE(PathExists((root + "\\").c_str()));
    EXPECT_TRUE(PathExists(At("icons.dll").c_str()));
    // A wildcard names no file, whatever matches it: "???.dll" is what a name the code page
    // cannot hold comes to.
    EXPECT_FALSE(PathExists(At("*.dll").c_str()));
    EXPECT_FALSE(PathExists(At("icons.?ll").c_str()));
    EXPECT_FALSE(PathExists(At("?????.dll").c_str()));

    EXPECT_FALSE(PathExists(At("missing.dll").c_str()));
    EXPECT_FALSE(PathExists(At("missing\\").c_str()));
    EXPECT_FALSE(PathExists(At("*.exe").c_str()));

    const std::string overlong = "C:\\" + std::string(297, 'x');
    EXPECT_FALSE(PathExists(overlong.c_str()));
    EXPECT_FALSE(PathExists(overlong.substr(0, MaxPathLength).c_str()));
}

TEST_F(PathUtilities, CreateDirectoryPathMakesEveryMissingLevel) {
    std::vector<char> nested = PathBuffer(At("out\\icons\\set1"));
    EXPECT_TRUE(CreateDirectoryPath(nested.data()));
    EXPECT_EQ(std::string(nested.data()), At("out\\icons\\set1"));
    EXPECT_TRUE(IsDirectory(At("out\\icons\\set1")));

    // A trailing backslash is harmless and kept.
    std::vector<char> trailing = PathBuffer(At("a\\b\\"));
    EXPECT_TRUE(CreateDirectoryPath(trailing.data()));
    EXPECT_EQ(std::string(trailing.data()), At("a\\b\\"));
    EXPECT_TRUE(IsDirectory(At("a\\b")));

    // A path that already exists is fine as it is.
    std::vector<char> existing = PathBuffer(At("out\\icons"));
    EXPECT_TRUE(CreateDirectoryPath(existing.data()));
    EXPECT_EQ(std::string(existing.data()), At("out\\icons"));

    // Relative paths start at the current directory.
    char previous[PathBufferSize];
    ASSERT_GT(GetCurrentDirectoryA(PathBufferSize, previous), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
    std::vector<char> relative = PathBuffer("rel\\deep");
    const bool madeRelative = CreateDirectoryPath(relative.data());
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(madeRelative);
    EXPECT_TRUE(IsDirectory(At("rel\\deep")));
}

TEST_F(PathUtilities, CreateDirectoryPathDropsBlanksAroundNewDirectories) {
    std::vector<char> path = PathBuffer(std::string("  ").append(At("new   \\  s\\ leaf  ")));
    EXPECT_TRUE(CreateDirectoryPath(path.data()));
    EXPECT_EQ(std::string(path.data()), At("new\\s\\leaf"));
    EXPECT_TRUE(IsDirectory(At("new")));
    EXPECT_TRUE(IsDirectory(At("new\\s")));
    EXPECT_TRUE(IsDirectory(At("new\\s\\leaf")));
}

TEST_F(PathUtilities, CreateDirectoryPathStopsAtTheFirstFailure) {
    // Nothing can be made below a file.
    MakeFile(At("file.txt"));
    std::vector<char> belowFile = PathBuffer(At("file.txt\\a\\b"));
    EXPECT_FALSE(CreateDirectoryPath(belowFile.data()));
    EXPECT_FALSE(Exists(At("file.txt\\a")));

    // Directories made before the failing one stay.
    std::vector<char> badName = PathBuffer(At("made\\bad|name\\after"));
    EXPECT_FALSE(CreateDirectoryPath(badName.data()));
    EXPECT_TRUE(IsDirectory(At("made")));
    EXPECT_FALSE(Exists(At("made\\bad|name\\after")));

    // Blanks are trimmed even when the path is refused.
    const std::string text = std::string(" ").append(At(std::string(300, 'x'))).append(" ");
    std::vector<char> overlong(text.begin(), text.end());
    overlong.push_back('\0');
    EXPECT_FALSE(CreateDirectoryPath(overlong.data()));
    EXPECT_EQ(std::string(overlong.data()), text.substr(1, text.size() - 2));
}

TEST_F(PathUtilities, ShellDisplayNameNamesExistingItems) {
    char windows[PathBufferSize];
    ASSERT_GT(GetWindowsDirectoryA(windows, PathBufferSize), 0u);
    std::vector<char> name = PathBuffer("previous");

    // The shell may hide the extension, so only the start is certain.
    EXPECT_TRUE(ShellDisplayName((std::string(windows) + "\\notepad.exe").c_str(), name.data()));
    EXPECT_EQ(CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, name.data(), 7, "notepad", 7), CSTR_EQUAL)
        << name.data();

    ASSERT_TRUE(CreateDirectoryA(At("Long Folder Name Here").c_str(), nullptr));
    EXPECT_TRUE(ShellDisplayName(At("Long Folder Name Here").c_str(), name.data()));
    EXPECT_STREQ(name.data(), "Long Folder Name Here");

    EXPECT_FALSE(ShellDisplayName(At("missing\\none.xyz").c_str(), name.data()));
    EXPECT_STREQ(name.data(), "");
}

TEST_F(PathUtilities, DisplayNamePathGivesBackLongNames) {
    const std::string longPath = At("Long Folder Name Here\\Another Long One");
    std::vector<char> make = PathBuffer(longPath);
    ASSERT_TRUE(CreateDirectoryPath(make.data()));

    char shortPath[PathBufferSize];
    ASSERT_GT(GetShortPathNameA(longPath.c_str(), shortPath, PathBufferSize), 0u);
    char expected[PathBufferSize];
    ASSERT_GT(GetLongPathNameA(shortPath, expected, PathBufferSize), 0u);
    ASSERT_NE(std::string(shortPath), std::string(expected));  // the test needs real short names

    const std::string shortDirectory = std::string(shortPath) + "\\";
    const std::string expectedDirectory = std::string(expected) + "\\";
    EXPECT_EQ(lstrcmpiA(DisplayPath(shortDirectory).c_str(), expectedDirectory.c_str()), 0)
        << DisplayPath(shortDirectory);
    // A file name after the last backslash is not carried.
    EXPECT_EQ(lstrcmpiA(DisplayPath(shortDirectory + "ICONS~1.DLL").c_str(), expectedDirectory.c_str()), 0);

    EXPECT_EQ(DisplayPath("C:\\"), "C:\\");
}

TEST_F(PathUtilities, DisplayNamePathLeavesOtherPathsAlone) {
    EXPECT_EQ(DisplayPath("\\\\server\\share\\"), "\\\\server\\share\\");
    EXPECT_EQ(DisplayPath("relative\\dir\\"), "relative\\dir\\");
    EXPECT_EQ(DisplayPath(""), "");
    // No display name for a missing folder: the input comes back.
    EXPECT_EQ(DisplayPath(At("missing\\deeper\\")), At("missing\\deeper\\"));

    const std::string overlong = "C:\\" + std::string(297, 'x');
    EXPECT_EQ(DisplayPath(overlong), "");
}
