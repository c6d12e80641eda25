// An image list owned by its wrapper: destroying the wrapper destroys the list.
#pragma once
#include <windows.h>
#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    bool Create(int cx, int cy, UINT flags, int initial, int grow) {
        DeleteImageList();
        list = ImageList_Create(cx, cy, flags, initial, grow);
        if (list) ++created;
        return list != nullptr;
    }
    void DeleteImageList() {
        if (list && ImageList_Destroy(list)) ++destroyed;
        list = nullptr;
    }

    // How many lists all wrappers made and destroyed, so that a test can tell that replaced
    // lists do not pile up.
    static inline long created = 0;
    static inline long destroyed = 0;
    // Appends the pictures of a bitmap; pixels of the mask colour become transparent.
    int Add(HBITMAP bitmap, COLORREF maskColour) { return ImageList_AddMasked(list, bitmap, maskColour); }
    // Replaces image index with the icon, or appends it when index is -1; answers the index.
    int ReplaceIcon(int index, HICON icon) { return ImageList_ReplaceIcon(list, index, icon); }
    bool Remove(int index) { return ImageList_Remove(list, index) != FALSE; }
    int GetImageCount() const { return list ? ImageList_GetImageCount(list) : 0; }
    HICON ExtractIcon(int index) const { return ImageList_GetIcon(list, index, ILD_NORMAL); }
    bool Draw(HDC dc, int index, int x, int y, UINT style) const {
        return ImageList_Draw(list, index, dc, x, y, style) != FALSE;
    }

    HIMAGELIST GetSafeHandle() const { return list; }
    operator HIMAGELIST() const { return list; }

private:
    HIMAGELIST list = nullptr;
};
