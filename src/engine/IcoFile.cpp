#include "engine/IcoFile.h"

#include "engine/EngineMessages.h"
#include "engine/IcoLayout.h"
#include "files/ReplaceFile.h"

GroupExport SaveIcoBytes(const char* path, const std::vector<unsigned char>& bytes) {
    const ReplaceResult result = ReplaceFileWith(path, bytes);
    if (result == ReplaceResult::Replaced) return GroupExport::Written;
    ReportEngineFailure(path, result == ReplaceResult::CannotWrite ? ErrorWritingIcoFile : ErrorOpeningForWriting);
    return FolderFailure(result) ? GroupExport::FolderRefused : GroupExport::Reported;
}

GroupExport WriteIcoFile(const IconResource& record, const char* path) {
    std::vector<unsigned char> bytes;
    if (!IcoFileBytes(record, bytes)) {
        ReportEngineFailure(path, ErrorAllocatingMemory);
        return GroupExport::Reported;
    }
    return SaveIcoBytes(path, bytes);
}
