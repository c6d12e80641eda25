// The exporter's command line, read once into what the run is asked to do.
#pragma once
#include <string>
#include <vector>

enum class ExportCommand { Usage, Help, Version, Export, List, Json, Png, Thumbnail };

// --group N (the N-th icon group) or --group -ID (the group whose resource id is ID, as the
// icon location "file,-ID" means it).
struct GroupChoice {
    bool given = false;
    bool byId = false;
    unsigned value = 0;
};

struct ExportOptions {
    ExportCommand command = ExportCommand::Usage;  // Usage: the arguments make no command
    std::string folder;                            // Export, Png: the output folder as given
    std::vector<std::string> sources;              // Export, Json, Png; List and Thumbnail take one
    int size = 0;                                  // Thumbnail: from 1 to 65535
    std::string output;                            // Thumbnail: the PNG file to write
    GroupChoice group;                             // Export, Png, Thumbnail: only this group
};

// `imageCommands`: whether this build has --png and --thumbnail; without them they are wrong usage.
ExportOptions ParseExportOptions(int argc, char** argv, bool imageCommands);

// The usage text of --help and of wrong usage, naming the image commands when they are built.
std::string UsageText(bool imageCommands);
