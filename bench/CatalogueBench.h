#pragma once
#include <string>

// Start-up with a catalogue of 300 files and with a folder named on the command line; folder is
// the benchmark's scratch folder, with a trailing backslash.
void MeasureCatalogueStartup(const std::string& glyphdock, const std::string& folder);
