#include "framework/WorkWhileAnswering.h"

#include <windows.h>
#include <objbase.h>

#include <exception>
#include <system_error>
#include <thread>
#include <utility>

#include "system/OwnedHandles.h"

namespace {

// The meeting point of a worker and the thread that waits for it.
struct Waiting {
    const UniqueKernelHandle finished{CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    const UniqueKernelHandle asked{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    const UniqueKernelHandle answered{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    const std::function<void()>* call = nullptr;
    std::exception_ptr callFailure;

    bool Ready() const { return finished && asked && answered; }
};

// Set on a worker: where its calls for the waiting thread go.
thread_local Waiting* waitingFor = nullptr;

// The waiting thread looks at its queue at least this often, so that the system sees it alive.
constexpr DWORD LookMilliseconds = 250;

// Runs the worker's call on this thread and lets the worker go on.
void Answer(Waiting& waiting) {
    try {
        (*waiting.call)();
    } catch (...) {
        waiting.callFailure = std::current_exception();
    }
    SetEvent(waiting.answered.get());
}

}  // namespace

void RunWhileAnswering(const std::function<void()>& work) {
    Waiting waiting;
    if (!waiting.Ready()) return work();
    std::exception_ptr failure;
    std::thread worker;
    try {
        worker = std::thread([&] {
            const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
            waitingFor = &waiting;
            try {
                work();
            } catch (...) {
                failure = std::current_exception();
            }
            waitingFor = nullptr;
            if (SUCCEEDED(com)) CoUninitialize();
            SetEvent(waiting.finished.get());
        });
    } catch (const std::system_error&) {
        return work();
    }
    const HANDLE events[] = {waiting.finished.get(), waiting.asked.get()};
    for (bool done = false; !done;) {
        // Dispatches the messages other threads have sent, and leaves every other one queued.
        MSG message;
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        switch (MsgWaitForMultipleObjects(2, events, FALSE, LookMilliseconds, QS_SENDMESSAGE)) {
        case WAIT_OBJECT_0: done = true; break;
        case WAIT_OBJECT_0 + 1: Answer(waiting); break;
        default: break;  // a sent message, or time to look at the queue again
        }
    }
    worker.join();
    if (failure) std::rethrow_exception(failure);
}

void OnWaitingThread(const std::function<void()>& call) {
    Waiting* waiting = waitingFor;
    if (!waiting) return call();
    waiting->call = &call;
    SetEvent(waiting->asked.get());
    WaitForSingleObject(waiting->answered.get(), INFINITE);
    if (waiting->callFailure) std::rethrow_exception(std::exchange(waiting->callFailure, nullptr));
}
