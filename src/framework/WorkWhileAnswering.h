// Work that may take seconds (files on a slow share, a scanner that holds every file it sees)
// runs on a worker thread while the window's thread waits for it and answers only the messages
// other threads send it. Windows then never takes the window for hung, and nothing re-enters
// the command meanwhile: input, timers and posted messages wait in the queue until the work is
// done.
#pragma once
#include <functional>

// Runs work on a worker thread, with COM initialised for the shell's functions, and returns
// when it is done; an exception it throws is thrown again here. Without a worker thread, this
// thread does the work.
void RunWhileAnswering(const std::function<void()>& work);

// Inside such work: runs call on the waiting thread (a message box, shown in its turn) and
// returns once it has run; an exception it throws is thrown again here. Anywhere else it runs
// call at once.
void OnWaitingThread(const std::function<void()>& call);
