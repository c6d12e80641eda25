// Writing ICO files to disk. A file is either written whole or not at all, and a file it
// replaces stays as it was on every failure (files/ReplaceFile.h).
#pragma once
#include <vector>

#include "engine/ExportResult.h"
#include "engine/IconRecord.h"

// Writes bytes as the file at path, replacing a file of that name. Reports "Error Opening File
// for Writing" when it cannot be created or the old file cannot be replaced, and "Error Writing
// ICO File" when a write fails; the output path is the caption. Written when the file is
// complete, FolderRefused when the failure is the folder's.
GroupExport SaveIcoBytes(const char* path, const std::vector<unsigned char>& bytes);

// Writes the record as an ICO file at path (the layout of IcoFileBytes), reporting every
// failure itself, with SaveIcoBytes's answer.
GroupExport WriteIcoFile(const IconResource& record, const char* path);
