// Copy's steps that the system may refuse, each told to the user with one message.
#pragma once

// For tests: the step of the next copies that fails as though the system refused it; None
// restores the system's own answers. Answers the step it replaces.
enum class CopyStep { None, MemoryContext, Bitmap, EmptyClipboard, SetClipboardData };
CopyStep SetFailingCopyStepForTesting(CopyStep step);
