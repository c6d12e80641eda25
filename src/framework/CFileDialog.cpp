#include "framework/CFileDialog.h"

#include <cderr.h>

#include <cstring>

#include "framework/CWinApp.h"

CFileDialog::CFileDialog(bool openFileDialog_, const char* defaultExtension_, const char* fileName, DWORD flags,
                         const char* filter, HWND parent)
    : openFileDialog(openFileDialog_),
      filters(filter ? filter : ""),
      defaultExtension(defaultExtension_ ? defaultExtension_ : "") {
    for (char& c : filters)
        if (c == '|') c = '\0';
    if (fileName) lstrcpynA(file, fileName, MAX_PATH);
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = parent;
    ofn.hInstance = AppInstance();
    ofn.lpstrFilter = filters.empty() ? nullptr : filters.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    ofn.Flags = flags | OFN_ENABLESIZING;
}

void CFileDialog::SetInitialFolder(const char* folder) {
    ofn.lpstrInitialDir = nullptr;
    if (!folder || !folder[0]) return;
    std::string path = folder;
    if (path.back() != '\\') path += '\\';
    path += file;
    // A path that would not fit leaves the name alone and names the folder the older way.
    if (path.size() >= MAX_PATH)
        ofn.lpstrInitialDir = folder;
    else
        std::memcpy(file, path.c_str(), path.size() + 1);
}

INT_PTR CFileDialog::DoModal(const char* messageCaption) {
    // The dialogs make the folder last shown the current one, which would keep it in use until
    // the program ends: a USB stick could not be ejected, the folder not be removed or renamed.
    char current[MAX_PATH];
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
    const BOOL confirmed = openFileDialog ? GetOpenFileNameA(&ofn) : GetSaveFileNameA(&ofn);
    if (length > 0 && length < MAX_PATH) SetCurrentDirectoryA(current);
    // A chosen path that does not fit the buffer comes back as a failure: the user confirmed a
    // path, so the command must not end in silence.
    if (!confirmed && CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
        MessageBoxA(ofn.hwndOwner, PathTooLong, messageCaption ? messageCaption : AppName(),
                    MB_OK | MB_ICONINFORMATION);
    return confirmed ? IDOK : IDCANCEL;
}
