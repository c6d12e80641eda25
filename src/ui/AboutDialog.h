// The About box: the program's icon, release, copyright and the maker's two links. The link
// labels are blue, show the hand cursor while the pointer is over them, and open their link
// when double-clicked.
#pragma once
#include "framework/CDialog.h"

class AboutDialog : public CDialog {
public:
    explicit AboutDialog(HWND owner);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnInitDialog() override;

private:
    LRESULT TrackLinkCursor(WPARAM flags, POINT point);
    LRESULT OpenLink(WPARAM flags, POINT point);
    LRESULT ColourLinkText(HDC dc, HWND control, UINT kind, UINT message);

    HCURSOR handCursor = nullptr;
    HCURSOR savedCursor = nullptr;  // the cursor when the box opened, given back off the links
};
