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

// "--group N" or "--group -ID" anywhere among the arguments, taken out of them. False for a
// second one, or a value that is not a whole number from 0 (or 1 for an id) to 65535.
bool TakeGroupChoice(std::vector<std::string>& arguments, GroupChoice& choice) {
    for (size_t i = 0; i < arguments.size();) {
        if (arguments[i] != "--group") {
            ++i;
            continue;
        }
        if (i + 1 >= arguments.size() || choice.given) return false;
        const std::string& value = arguments[i + 1];
        choice.given = true;
        choice.byId = value[0] == '-';
        const char* digits = value.c_str() + (choice.byId ? 1 : 0);
        char* end = nullptr;
        const unsigned long number = std::strtoul(digits, &end, 10);
        if (!*digits || *digits == '-' || *digits == '+' || *end || number > 65535 || (choice.byId && number == 0))
            return false;
        choice.value = static_cast<unsigned>(number);
        arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                        arguments.begin() + static_cast<std::ptrdiff_t>(i + 2));
    }
    return true;
}

}  // namespace

ExportOptions ParseExportOptions(int argc, char** argv, bool imageCommands) {
    ExportOptions options;
    std::vector<std::string> arguments(argv + 1, argv + argc);
    // Every argument of --json is a source, "--group" included.
    if (!arguments.empty() && arguments[0] == "--json") {
        if (arguments.size() < 2) return options;
        options.command = ExportCommand::Json;
        options.sources.assign(arguments.begin() + 1, arguments.end());
        return options;
    }
    if (!TakeGroupChoice(arguments, options.group)) return options;
    const size_t count = arguments.size();
    const std::string option = count >= 1 ? arguments[0] : "";
    const bool grouped = options.group.given;
    if (count == 1 && option == "--help" && !grouped) {
        options.command = ExportCommand::Help;
    } else if (count == 1 && option == "--version" && !grouped) {
        options.command = ExportCommand::Version;
    } else if (imageCommands && option == "--png") {
        if (count < 3) return options;
        options.command = ExportCommand::Png;
        options.folder = arguments[1];
        options.sources.assign(arguments.begin() + 2, arguments.end());
    } else if (imageCommands && option == "--thumbnail") {
        if (count != 4 || !ThumbnailSize(arguments[1].c_str(), options.size)) return options;
        options.command = ExportCommand::Thumbnail;
        options.sources = {arguments[2]};
        options.output = arguments[3];
    } else if (option == "--list") {
        if (count != 2 || grouped) return options;
        options.command = ExportCommand::List;
        options.sources = {arguments[1]};
    } else if (count >= 2 && option.compare(0, 2, "--") != 0) {
        options.command = ExportCommand::Export;
        options.folder = arguments[0];
        options.sources.assign(arguments.begin() + 1, arguments.end());
    }
    return options;
}

std::string UsageText(bool imageCommands) {
    std::string text =
        "usage: glyphdock-export [--group N|-ID] FOLDER SOURCE...\n"
        "       glyphdock-export --list SOURCE\n"
        "       glyphdock-export --json SOURCE...\n";
    if (imageCommands)
        text +=
            "       glyphdock-export [--group N|-ID] --png FOLDER SOURCE...\n"
            "       glyphdock-export [--group N|-ID] --thumbnail SIZE SOURCE OUTPUT\n";
    return text + "       glyphdock-export --help | --version\n";
}
