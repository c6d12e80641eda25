// The Windows side of engine/EngineMessages.h: a message box without an owner window.
#include <windows.h>

#include "engine/EngineMessages.h"

const unsigned SystemMessageFailure = MB_OK, SystemMessageInformation = MB_OK | MB_ICONINFORMATION;

void ShowMessageBox(const char*, const char* text, const char* caption, unsigned style) {
    MessageBoxA(nullptr, text, caption, style);
}
