// The Windows exporter has no image commands: it imports only Windows' own libraries.
#include "export/ImageCommands.h"

const bool HasImageCommands = false;

void RunImageCommand(const ExportOptions&) {}
