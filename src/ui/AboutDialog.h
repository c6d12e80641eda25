// The About box: the program's icon, release, copyright and the maker's links.
#pragma once
#include "framework/CDialog.h"

class AboutDialog : public CDialog {
public:
    explicit AboutDialog(HWND owner);
};
