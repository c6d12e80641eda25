#include "ui/ShellHandOff.h"

#include <shellapi.h>

namespace {
LinkOpener linkOpener = nullptr;
HelpOpener helpOpener = nullptr;
}  // namespace

void OpenLink(HWND owner, const char* verb, const char* target) {
    (linkOpener ? linkOpener : &ShellExecuteA)(owner, verb, target, nullptr, nullptr, SW_SHOWNORMAL);
}

void OpenHelpContents(HWND owner, const char* path) {
    (helpOpener ? helpOpener : &WinHelpA)(owner, path, HELP_CONTENTS, 0);
}

LinkOpener SetLinkOpenerForTesting(LinkOpener opener) {
    const LinkOpener previous = linkOpener;
    linkOpener = opener;
    return previous;
}

HelpOpener SetHelpOpenerForTesting(HelpOpener opener) {
    const HelpOpener previous = helpOpener;
    helpOpener = opener;
    return previous;
}
