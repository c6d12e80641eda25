// What the native suites share: a fresh folder of their own, reading a whole file, and decoding
// a PNG with stb_image, a decoder independent of ours.
#pragma once
#include <stb_image.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

class TempDirectory {
public:
    TempDirectory() {
        std::string name = (std::filesystem::temp_directory_path() / "glyphdock-XXXXXX").string();
        path = mkdtemp(name.data());
    }
    ~TempDirectory() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

inline std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// RGBA rows top-down; empty when stb_image cannot read the file.
inline std::vector<unsigned char> StbPixels(const std::string& file, int& width, int& height) {
    int channels = 0;
    unsigned char* pixels = stbi_load_from_memory(reinterpret_cast<const unsigned char*>(file.data()),
                                                  static_cast<int>(file.size()), &width, &height, &channels, 4);
    std::vector<unsigned char> copy;
    if (pixels) copy.assign(pixels, pixels + static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
    stbi_image_free(pixels);
    return copy;
}
