#include "engine/IcoFile.h"

#include "engine/EngineMessages.h"
#include "engine/IcoLayout.h"
#include "files/ReplaceFile.h"

bool SaveIcoBytes(const char* path, const std::vector<unsigned char>& bytes) {
    switch (ReplaceFileWith(path, bytes)) {
    case ReplaceResult::Replaced: return true;
    case ReplaceResult::CannotOpen: ReportEngineFailure(path, ErrorOpeningForWriting); break;
    case ReplaceResult::CannotWrite: ReportEngineFailure(path, ErrorWritingIcoFile); break;
    }
    return false;
}

bool WriteIcoFile(const IconResource& record, const char* path) {
    std::vector<unsigned char> bytes;
    if (!IcoFileBytes(record, bytes)) {
        ReportEngineFailure(path, ErrorAllocatingMemory);
        return false;
    }
    return SaveIcoBytes(path, bytes);
}
