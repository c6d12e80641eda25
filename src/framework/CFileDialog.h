// The common open and save dialogs for one file. Callers adjust `ofn` (title, initial folder)
// before DoModal, as the framework's own class lets them.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

constexpr const char* PathTooLong = "The path is too long.";

class CFileDialog {
public:
    // filter: pairs of description and patterns separated by '|', ended by "||".
    CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                const char* filter, HWND parent);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    // The folder the dialog opens in, put in front of the proposed file name: Windows 7 and later
    // pass over lpstrInitialDir once the program has shown a file dialog before (they open the
    // folder used last), but honour a folder in the file name, as Wine does.
    void SetInitialFolder(const char* folder);
    // IDOK or IDCANCEL; the current folder is as it was before. A chosen path longer than the buffer is told to the user, in a message
    // box owned by the dialog's owner and captioned messageCaption (else AppName()), and ends
    // the dialog as a cancel does.
    INT_PTR DoModal(const char* messageCaption = nullptr);
    const char* GetPathName() const { return file; }

    OPENFILENAMEA ofn{};

private:
    bool openFileDialog;
    std::string filters;
    std::string defaultExtension;
    char file[MAX_PATH] = {};
};
