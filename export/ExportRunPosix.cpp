// The POSIX side of export/ExportRun.h.
#include <filesystem>

#include "export/ExportRun.h"

std::string SourcePath(const std::string& argument) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(argument, error);
    return error ? argument : full.lexically_normal().string();
}

bool OutputFolder(const std::string& argument, std::string& folder) {
    folder = SourcePath(argument);
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!std::filesystem::is_directory(folder, error)) {
        Fail(folder, "Cannot create directory");
        return false;
    }
    if (folder.back() != '/') folder += '/';
    return true;
}
