#include "framework/DisplayScale.h"

#include <windows.h>

#include "system/OwnedHandles.h"

int SystemDpi() {
    static const int dpi = [] {
        const ScreenDC screen;
        const int read = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        return read > 0 ? read : BaseDpi;
    }();
    return dpi;
}

int Scaled(int pixels) {
    return MulDiv(pixels, SystemDpi(), BaseDpi);
}

int PictureScale() {
    const int percent = MulDiv(SystemDpi(), 100, BaseDpi);
    if (percent < 125) return 100;
    return percent < 175 ? 150 : 200;
}
