// glyphdock-export: the icon groups of program files, for scripts, benchmarks and checks from
// outside, through the same engine as the program's Save All and selection details. Built for
// Windows and, natively, for Linux.
//
//   glyphdock-export FOLDER SOURCE...   writes every icon group of each source into FOLDER,
//                                        named as Save All names them (NAME_000.ico, ...)
//   glyphdock-export --list SOURCE       prints one line per icon group: its index, its group
//                                        name and its summary, separated by tabs
//   glyphdock-export --json SOURCE...    prints one JSON object per source (export/JsonInventory.h)
//   --group N | --group -ID              with any command but --list and --json: only the N-th
//                                        icon group, or the one whose resource id is ID
// and on Linux only (export/linux/):
//   glyphdock-export --png FOLDER SOURCE...         every image as a PNG file
//   glyphdock-export --thumbnail SIZE SOURCE OUTPUT  the file's own icon as a PNG of at most
//                                                     SIZE x SIZE, for file managers
//
// Exit status: 0 when every source was handled, 1 when any was refused or failed, 2 for wrong
// usage. Failures go to the error stream as "PATH: TEXT".
#include <cstdio>
#include <string>

#include "engine/IconSource.h"
#include "engine/OutputNames.h"
#include "engine/SourceReading.h"
#include "export/ExportOptions.h"
#include "export/ExportRun.h"
#include "export/ImageCommands.h"
#include "export/JsonInventory.h"
#include "files/PathUtilities.h"

namespace {

void List(const std::string& source) {
    if (!PathExists(source.c_str())) return Fail(source, "No such file");
    bool everyGroupRead = true;
    const bool listed =
        ListIconGroups(source.c_str(), [&](int index, const std::string& name, const std::string& summary) {
            std::printf("%d\t%s\t%s\n", index, name.c_str(), summary.c_str());
            if (summary.empty()) everyGroupRead = false;
        });
    if (!listed)
        Fail(source, "No icon groups could be read");
    else if (!everyGroupRead)
        Fail(source, "Not every icon group could be read");
}

// False when the folder refused a file.
bool ExportSource(const std::string& source, const std::string& folder, const GroupChoice& choice) {
    if (choice.given) {
        const SourceReading reading(source.c_str());
        const int index = ChosenGroup(choice, reading, source, 0);
        if (index < 0) return true;
        const GroupExport exported = ExportIconGroup(
            source.c_str(), index, GroupFileName(folder.c_str(), SourceDisplayName(source.c_str()), index).c_str());
        if (exported == GroupExport::Unread) Fail(source, "The icon group could not be exported");
        return exported != GroupExport::FolderRefused;
    }
    const ExportTally tally = ExportAllIconGroups(source.c_str(), folder.c_str());
    if (!tally) Fail(source, "Not every icon group could be exported");
    return !tally.stopped;
}

}  // namespace

int main(int argc, char** argv) {
    const ExportOptions options = ParseExportOptions(argc, argv, HasImageCommands);
    switch (options.command) {
    case ExportCommand::Usage: std::fputs(UsageText(HasImageCommands).c_str(), stderr); return 2;
    case ExportCommand::Help: return std::fputs(UsageText(HasImageCommands).c_str(), stdout) < 0;
    case ExportCommand::Version: return std::printf("glyphdock-export %s\n", GLYPHDOCK_VERSION) < 0;
    case ExportCommand::Png:
    case ExportCommand::Thumbnail:
        ReportFailuresToErrorStream();
        RunImageCommand(options);
        return ExitStatus();
    case ExportCommand::Json:
        ReportFailuresToErrorStream();
        return PrintInventories(options.sources) ? 0 : 1;
    case ExportCommand::List:
    case ExportCommand::Export: break;
    }
    ReportFailuresToErrorStream();
    // No window: the engine keeps the group names itself, so no display is needed.
    if (options.command == ExportCommand::List)
        List(SourcePath(options.sources.front()));
    else
        ForEachSource(options.folder, options.sources, [&](const std::string& source, const std::string& folder) {
            return ExportSource(source, folder, options.group);
        });
    std::fflush(stdout);
    return ExitStatus();
}
