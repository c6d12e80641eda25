// The common open and save dialogs for one file. Callers adjust `ofn` (title, initial folder)
// before DoModal, as the framework's own class lets them.
#pragma once
#include <windows.h>
#include <commdlg.h>

#include <string>

class CFileDialog {
public:
    // filter: pairs of description and patterns separated by '|', ended by "||".
    CFileDialog(bool openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                const char* filter, HWND parent);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;

    INT_PTR DoModal();  // IDOK or IDCANCEL
    const char* GetPathName() const { return file; }

    OPENFILENAMEA ofn{};

private:
    bool openFileDialog;
    std::string filters;
    std::string defaultExtension;
    char file[MAX_PATH] = {};
};
