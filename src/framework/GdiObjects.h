// The framework's brushes, pens, fonts and bitmaps, each owning its object; the drawing code names
// them as the framework does.
#pragma once
#include <windows.h>

#include "system/OwnedHandles.h"

template <typename Handle>
class GdiObject {
public:
    GdiObject() = default;
    // Takes over an object made elsewhere (a DIB section, the bitmaps of an icon's ICONINFO).
    explicit GdiObject(Handle taken) : object(taken) {}

    void DeleteObject() { object.reset(); }
    // Hands the object to a new owner (the clipboard).
    Handle Detach() { return object.release(); }
    Handle GetSafeHandle() const { return object.get(); }
    operator Handle() const { return object.get(); }

protected:
    bool Attach(Handle created) {
        object.reset(created);
        return created != nullptr;
    }

private:
    UniqueGdiObject<Handle> object;
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
    using GdiObject::GdiObject;
    bool LoadBitmap(HINSTANCE instance, UINT id) { return Attach(::LoadBitmapA(instance, MAKEINTRESOURCEA(id))); }
};
