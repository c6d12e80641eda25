// A fresh folder of the test's own under the real temporary folder, removed with its content.
#pragma once
#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path with a trailing backslash.
    const std::string& Path() const { return path; }
    // Writes a file below the folder and answers its full path.
    std::string WriteFile(const std::string& name, const std::string& bytes) const;

private:
    std::string path;
};

// Removes a folder and everything in it.
void RemoveFolderTree(const std::string& folder);
// The whole content of a file, or an empty text when it cannot be read.
std::string ReadWholeFile(const std::string& path);
bool FileExists(const std::string& path);
