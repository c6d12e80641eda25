#include "framework/CFileDialog.h"

#include <cderr.h>

#include <cstring>

#include "files/TextFunctions.h"
#include "files/WideNames.h"
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
    if (!EndsWithBackslash(path.c_str())) path += '\\';
    path += file;
    // A path that would not fit leaves the name alone and names the folder the older way.
    if (path.size() >= MAX_PATH)
        ofn.lpstrInitialDir = folder;
    else
        std::memcpy(file, path.c_str(), path.size() + 1);
}

namespace {
std::wstring Wide(const char* text) {
    return WideFromAnsi(text, CP_ACP);
}

const wchar_t* OrNull(const std::wstring& text, const char* original) {
    return original ? text.c_str() : nullptr;
}
}  // namespace

INT_PTR CFileDialog::DoModal(const char* messageCaption) {
    // The dialog runs in UTF-16, so that a name the code page cannot hold is told apart from one
    // it can: the 8-bit dialog would hand it back with '?' or a look-alike in its place.
    const std::wstring filter = WideFromAnsi(ofn.lpstrFilter, filters.size() + 1, CP_ACP);
    const std::wstring title = Wide(ofn.lpstrTitle), folder = Wide(ofn.lpstrInitialDir);
    const std::wstring extension = Wide(ofn.lpstrDefExt);
    const DWORD bufferSize = ofn.nMaxFile < MAX_PATH ? ofn.nMaxFile : MAX_PATH;
    wchar_t chosen[MAX_PATH] = {};
    lstrcpynW(chosen, Wide(ofn.lpstrFile).c_str(), static_cast<int>(bufferSize));

    OPENFILENAMEW wide{};
    wide.lStructSize = sizeof wide;
    wide.hwndOwner = ofn.hwndOwner;
    wide.hInstance = ofn.hInstance;
    wide.lpstrFilter = ofn.lpstrFilter ? filter.c_str() : nullptr;
    wide.nFilterIndex = ofn.nFilterIndex;
    wide.lpstrFile = chosen;
    wide.nMaxFile = bufferSize;
    wide.lpstrInitialDir = OrNull(folder, ofn.lpstrInitialDir);
    wide.lpstrTitle = OrNull(title, ofn.lpstrTitle);
    wide.Flags = ofn.Flags;
    wide.lpstrDefExt = OrNull(extension, ofn.lpstrDefExt);

    // The dialogs make the folder last shown the current one, which would keep it in use until
    // the program ends: a USB stick could not be ejected, the folder not be removed or renamed.
    wchar_t current[MAX_PATH];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, current);
    const BOOL confirmed = openFileDialog ? GetOpenFileNameW(&wide) : GetSaveFileNameW(&wide);
    if (length > 0 && length < MAX_PATH) SetCurrentDirectoryW(current);
    const char* caption = messageCaption ? messageCaption : AppName();
    ofn.nFilterIndex = wide.nFilterIndex;
    // A chosen path that does not fit the buffer comes back as a failure: the user confirmed a
    // path, so the command must not end in silence.
    if (!confirmed) {
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            MessageBoxA(ofn.hwndOwner, PathTooLong, caption, MB_OK | MB_ICONINFORMATION);
        return IDCANCEL;
    }
    std::string path;
    if (!AnsiFromWide(chosen, path)) {
        MessageBoxA(ofn.hwndOwner, NameNotUsable, caption, MB_OK | MB_ICONINFORMATION);
        return IDCANCEL;
    }
    // A character of two bytes takes two: the 8-bit path may not fit where the wide one did.
    if (path.size() >= bufferSize) {
        MessageBoxA(ofn.hwndOwner, PathTooLong, caption, MB_OK | MB_ICONINFORMATION);
        return IDCANCEL;
    }
    std::memcpy(file, path.c_str(), path.size() + 1);
    return IDOK;
}
