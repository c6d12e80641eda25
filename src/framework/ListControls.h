// Thin wrappers of the list box and list view controls of a dialog. They refer to a child window
// that its parent destroys; the wrapper owns nothing. The list box's error answer (LB_ERR) is
// turned into plain values here, so that callers never mistake it for an index or a pointer.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstddef>

class CListBox {
public:
    void Attach(HWND window) { hwnd = window; }
    HWND GetSafeHwnd() const { return hwnd; }

    int GetCount() const;   // 0 when the list cannot answer
    int GetCurSel() const;  // -1 when nothing is selected
    void SetCurSel(int index) const;
    // The item's data as a pointer; nullptr for a missing item.
    void* GetItemDataPtr(int index) const;
    bool SetItemDataPtr(int index, void* data) const;
    int AddString(const char* text) const;  // the new item's position, or -1
    bool DeleteString(int index) const;
    void ResetContent() const;
    // The item's text into `buffer`; false (and an empty buffer) when there is no such item or
    // the text does not fit.
    bool GetText(int index, char* buffer, size_t size) const;
    // Stops or resumes the list's painting; resuming repaints it whole.
    void SetRedraw(bool redraw) const;

private:
    HWND hwnd = nullptr;
};

class CListCtrl {
public:
    void Attach(HWND window) { hwnd = window; }
    HWND GetSafeHwnd() const { return hwnd; }

    int GetItemCount() const;
    void DeleteAllItems() const;
    void SetItemCount(int count) const;
    int InsertItem(int index, const char* text, int image) const;
    void SetImageList(HIMAGELIST list, int kind) const;
    int GetSelectedCount() const;
    int GetNextSelected(int after) const;  // the next selected item after `after` (-1: from the top), or -1
    // Stops or resumes the view's arranging and painting; resuming repaints it whole.
    void SetRedraw(bool redraw) const;

private:
    HWND hwnd = nullptr;
};
