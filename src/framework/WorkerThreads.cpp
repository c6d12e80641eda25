#include "framework/WorkerThreads.h"

#include <windows.h>
#include <process.h>

#include <vector>

namespace {
constexpr DWORD QueueLookMilliseconds = 250;

unsigned __stdcall RunWork(void* work) {
    try {
        (*static_cast<const std::function<void()>*>(work))();
    } catch (...) {
        // What the work left undone is for its caller to find.
    }
    return 0;
}
}  // namespace

void RunOnWorkerThreads(unsigned threads, const std::function<void()>& work) {
    std::vector<HANDLE> running;
    for (unsigned i = 0; i < threads && i < MAXIMUM_WAIT_OBJECTS - 1; ++i) {
        // The C library's own thread start, so that its per-thread data is set up and freed.
        const uintptr_t started =
            _beginthreadex(nullptr, 0, &RunWork, const_cast<std::function<void()>*>(&work), 0, nullptr);
        if (started) running.push_back(reinterpret_cast<HANDLE>(started));
    }
    if (running.empty()) {
        work();
        return;
    }
    DWORD queueLookedAt = GetTickCount();
    MSG pending;
    while (!running.empty()) {
        const auto count = static_cast<DWORD>(running.size());
        const DWORD woken =
            MsgWaitForMultipleObjects(count, running.data(), FALSE, QueueLookMilliseconds, QS_SENDMESSAGE);
        if (woken < WAIT_OBJECT_0 + count) {
            CloseHandle(running[woken - WAIT_OBJECT_0]);
            running.erase(running.begin() + (woken - WAIT_OBJECT_0));
        } else if (woken == WAIT_OBJECT_0 + count) {
            PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // answers them
        } else if (woken == WAIT_FAILED) {
            WaitForMultipleObjects(count, running.data(), TRUE, INFINITE);
            for (HANDLE thread : running)
                CloseHandle(thread);
            running.clear();
        }
        if (GetTickCount() - queueLookedAt >= QueueLookMilliseconds) {
            PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE);
            queueLookedAt = GetTickCount();
        }
    }
}
