// Work that may wait long on files (a slow share, a scanner that holds every file it is shown),
// done by worker threads while the window's thread waits without touching a file itself: it
// answers the messages other threads and programs send it at once, and looks at its queue a few
// times a second (taking nothing from it), so that the system never takes the window for hung.
// Posted messages (input, painting, timers) wait until the work is done, so that nothing the
// user does runs in the middle of it.
#pragma once
#include <functional>

// Runs `work` on `threads` threads at once and answers when every one has returned; the work
// shares itself out between them. An exception that leaves `work` ends only its thread's share.
// When no thread can be started, this thread does the work itself.
void RunOnWorkerThreads(unsigned threads, const std::function<void()>& work);
