// How the icon engine tells the user that something failed. The program shows a message box
// without an owner window; the console program installs a reporter of its own that writes the
// text to its error stream and remembers the failure.
#pragma once

constexpr const char* ErrorOpeningForWriting = "Error Opening File for Writing";
constexpr const char* ErrorWritingIcoFile = "Error Writing ICO File";
constexpr const char* ErrorAllocatingMemory = "Error Allocating Memory";
constexpr const char* ErrorConvertingToInternal = "Error Converting to Internal Format";
constexpr const char* AlreadyAnIconFile = "This is already an icon file ! Operation aborted.";
// The caption of the messages that commands word themselves, as the program's title reads.
constexpr const char* ProgramCaption = "Glyphdock";

// `path` is the file concerned; `caption` and `style` are those of the message box.
using EngineReporter = void (*)(const char* path, const char* text, const char* caption, unsigned style);

// Installs a reporter and answers the one it replaces; null restores the message boxes.
EngineReporter SetEngineReporter(EngineReporter reporter);

// A failure about `path`, shown with the path as caption and a single OK button.
void ReportEngineFailure(const char* path, const char* text);
// A source that is an ICO file already: the program's caption and the information icon.
void ReportIconFileSource(const char* path);

// The platform's own way to tell the user, the reporter until another is installed: a message box
// on Windows (EngineMessagesWindows.cpp), the error stream on Linux (EngineMessagesPosix.cpp).
void ShowMessageBox(const char* path, const char* text, const char* caption, unsigned style);
// The styles of failures and of information for ShowMessageBox.
extern const unsigned SystemMessageFailure, SystemMessageInformation;
