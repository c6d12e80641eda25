// What an export told its caller, so that a command can tell the user what the engine did not.
#pragma once

enum class GroupExport {
    Written,        // the ICO file is complete
    Reported,       // not written, and the user was told why (an ICO file as source, a failed write)
    FolderRefused,  // not written, the user was told, and the folder would refuse every other
                    // file too (access denied, the folder gone, write-protected or full media)
    Unread,         // the group could not be read (missing, damaged, without images): nothing was
                    // written and nothing said
};

struct ExportTally {
    bool read = false;     // the source was read as a module
    int groups = 0;        // its icon groups
    int written = 0;       // groups written
    int unread = 0;        // groups that could not be read, and were not written
    bool failed = false;   // a failure the user was told about
    bool stopped = false;  // the folder refused a file, and the export ended there
    // True when the source was read and every group written (a source without groups included).
    explicit operator bool() const { return read && unread == 0 && !failed; }

    void Count(GroupExport exported) {
        switch (exported) {
        case GroupExport::Written: ++written; break;
        case GroupExport::Unread: ++unread; break;
        case GroupExport::FolderRefused: stopped = true; [[fallthrough]];
        case GroupExport::Reported: failed = true; break;
        }
    }
};
