// --json SOURCE...: one JSON object per source on a line of its own (JSON Lines), for launchers
// and scripts: what the source is, its icon groups and images, and its version information.
#pragma once
#include <string>
#include <vector>

#include "engine/SourceInventory.h"

// A JSON string of bytes that are meant as UTF-8: a byte that is not part of valid UTF-8 is kept
// as the escape \udcXX, as Python's "surrogateescape" keeps it, so that a path comes back whole.
std::string JsonString(const std::string& bytes);

// The line of one source (without its line end); `path` as the command line gave it.
std::string InventoryJson(const std::string& path, const SourceInventory& inventory);

// Every source on standard output. True when every one was read with status "ok".
bool PrintInventories(const std::vector<std::string>& sources);
