#include "export/ExportOptions.h"

#include <cstdlib>

namespace {

// The SIZE of --thumbnail: a whole number from 1 to 65535.
bool ThumbnailSize(const char* argument, int& size) {
    char* end = nullptr;
    const long value = std::strtol(argument, &end, 10);
    if (end == argument || *end || value < 1 || value > 65535) return false;
    size = static_cast<int>(value);
    return true;
}

}  // namespace

ExportOptions ParseExportOptions(int argc, char** argv, bool imageCommands) {
    ExportOptions options;
    const std::string option = argc >= 2 ? argv[1] : "";
    if (argc == 2 && option == "--help") {
        options.command = ExportCommand::Help;
    } else if (argc == 2 && option == "--version") {
        options.command = ExportCommand::Version;
    } else if (imageCommands && option == "--png") {
        if (argc < 4) return options;
        options.command = ExportCommand::Png;
        options.folder = argv[2];
        options.sources.assign(argv + 3, argv + argc);
    } else if (imageCommands && option == "--thumbnail") {
        if (argc != 5 || !ThumbnailSize(argv[2], options.size)) return options;
        options.command = ExportCommand::Thumbnail;
        options.sources = {argv[3]};
        options.output = argv[4];
    } else if (option == "--list") {
        if (argc != 3) return options;
        options.command = ExportCommand::List;
        options.sources = {argv[2]};
    } else if (argc >= 3 && option.compare(0, 2, "--") != 0) {
        options.command = ExportCommand::Export;
        options.folder = argv[1];
        options.sources.assign(argv + 2, argv + argc);
    }
    return options;
}

std::string UsageText(bool imageCommands) {
    std::string text =
        "usage: glyphdock-export FOLDER SOURCE...\n"
        "       glyphdock-export --list SOURCE\n";
    if (imageCommands)
        text +=
            "       glyphdock-export --png FOLDER SOURCE...\n"
            "       glyphdock-export --thumbnail SIZE SOURCE OUTPUT\n";
    return text + "       glyphdock-export --help | --version\n";
}
