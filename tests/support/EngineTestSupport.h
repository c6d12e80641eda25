// Helpers of the engine's tests under Windows: the fixture modules, a recorder of the engine's
// messages, and readings of modules, ICO files and icons that go through the system's own
// functions rather than the engine's.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "engine/EngineMessages.h"
#include "support/TestSeam.h"

// The Windows path of a module the build made (build/fixtures/NAME).
std::string FixturePath(const std::string& name);

// A 64-bit module of three icon groups whose second names an image that is not there.
std::string ModuleWithADamagedGroup();

// Records the engine's messages instead of showing them, while it exists.
struct EngineMessage {
    std::string path, text, caption;
    unsigned style;
};
class MessageRecorder {
public:
    MessageRecorder();
    const std::vector<EngineMessage>& Messages() const;

private:
    TestSeam<EngineReporter> recording;
};

// One icon group as the module stores it, read with the system's resource functions.
struct ModuleGroup {
    std::string name;                 // as the engine lists it: "%u" or the string
    std::string directory;            // the group directory's bytes
    std::vector<std::string> images;  // the image resources, in directory order
    size_t end = 0;                   // the file offset just past its last byte (flat mapping)
};
std::vector<ModuleGroup> ReadModuleGroups(const std::string& path);

// The images of an ICO file, in directory order, and directory entry fields.
std::vector<std::string> IcoImages(const std::string& ico);
struct IcoDirectoryEntry {
    int width, height, colours, planes, bitCount;
};
IcoDirectoryEntry IcoEntry(const std::string& ico, size_t i);

// True when the system makes an icon of the image at its own size.
bool LoadsAsIcon(const std::string& image, int width, int height);

// The 32x32 pixels (colour and mask) of an icon, for comparing two icons.
std::vector<unsigned> IconPixels(HICON icon);
// The number of icons the shell counts in a file, and the pixels of ExtractIconA(path, index), and of an ICO file
// loaded at 32x32.
int ShellIconCount(const std::string& path);
std::vector<unsigned> ShellIconPixels(const std::string& path, int index);
std::vector<unsigned> IcoFilePixels(const std::string& icoPath);

// The names of the files in a folder, sorted.
std::vector<std::string> FolderFiles(const std::string& folder);
