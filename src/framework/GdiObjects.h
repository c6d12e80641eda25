// Brushes, pens, fonts and bitmaps owned by their wrappers, and a scoped selection of a drawing
// object into a device context that puts the previous object back on every path.
#pragma once
#include <windows.h>

template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    ~GdiObject() { DeleteObject(); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    void DeleteObject() {
        if (handle) ::DeleteObject(handle);
        handle = nullptr;
    }
    Handle GetSafeHandle() const { return handle; }
    operator Handle() const { return handle; }

protected:
    bool Attach(Handle created) {
        DeleteObject();
        handle = created;
        return handle != nullptr;
    }

private:
    Handle handle = nullptr;
};

class CBrush : public GdiObject<HBRUSH> {
public:
    bool CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
};

class CPen : public GdiObject<HPEN> {
public:
    bool CreatePen(int style, int width, COLORREF colour) { return Attach(::CreatePen(style, width, colour)); }
};

class CFont : public GdiObject<HFONT> {
public:
    bool CreateFontIndirect(const LOGFONTA& font) { return Attach(::CreateFontIndirectA(&font)); }
};

class CBitmap : public GdiObject<HBITMAP> {
public:
    bool LoadBitmap(HINSTANCE instance, UINT id) { return Attach(::LoadBitmapA(instance, MAKEINTRESOURCEA(id))); }
};

class ScopedSelection {
public:
    ScopedSelection(HDC dc_, HGDIOBJ object) : dc(dc_), previous(SelectObject(dc_, object)) {}
    ~ScopedSelection() {
        if (previous) SelectObject(dc, previous);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;
    bool Selected() const { return previous != nullptr; }

private:
    HDC dc;
    HGDIOBJ previous;
};
