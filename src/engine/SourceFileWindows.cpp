// The Windows side of engine/SourceFile.h: a mapped view, whose faults never end the program.
//
// A page of a view that cannot be brought in raises EXCEPTION_IN_PAGE_ERROR at the instruction
// that reads it (Wine raises EXCEPTION_ACCESS_VIOLATION). A vectored handler, which sees every
// fault before anything else does, answers two kinds:
// - A fault of the probe that pages a piece in before any reader sees it: the probe's thread goes
//   on where the probe began, told that it failed. This is where nearly every failure shows, and
//   nothing in memory changes.
// - A later read fault inside a view (a page probed, dropped since and failing to come in again;
//   on Linux a file shortened loses its pages at once): the whole view is replaced by zeros at
//   the same address, the file is lost, and the instruction runs again. Readers are bounded over
//   any bytes, and what they make of the zeros is thrown away. Our own views are mapped and
//   unmapped under one lock, so that no other reading takes the address range between the
//   unmapping and the new allocation; an allocation of other code still could, for those few
//   microseconds. (Placeholders, which would make the swap atomic, exist from Windows 10 1803 on
//   and not under Wine.)
#include "engine/SourceFile.h"

#include <windows.h>

#include <atomic>

namespace {

struct View {
    std::atomic<uintptr_t> base{0};  // 0: free; 1: being taken
    size_t size = 0;                 // the view's bytes, rounded up to whole pages
    std::atomic<bool> lost{false};
    bool zeroed = false;  // the view was replaced by zeros
};
constexpr int ViewCount = 64;
View views[ViewCount];
SRWLOCK mapping = SRWLOCK_INIT;

// The probe in progress on a thread: the range it pages in, and where its thread goes on when it
// faults.
struct Probe {
    CONTEXT resume{};
    uintptr_t low = 0, high = 0;
    volatile bool faulted = false;
};
DWORD probeSlot = TLS_OUT_OF_INDEXES;

size_t PageSize() {
    static const size_t size = [] {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        return static_cast<size_t>(system.dwPageSize);
    }();
    return size;
}

bool ReplaceWithZeros(View& view) {
    void* const base = reinterpret_cast<void*>(view.base.load());
    AcquireSRWLockExclusive(&mapping);
    const bool zeroed =
        UnmapViewOfFile(base) && VirtualAlloc(base, view.size, MEM_RESERVE | MEM_COMMIT, PAGE_READONLY) == base;
    ReleaseSRWLockExclusive(&mapping);
    return zeroed;
}

LONG CALLBACK OnReadFault(EXCEPTION_POINTERS* fault) {
    const EXCEPTION_RECORD& record = *fault->ExceptionRecord;
    const bool readFault =
        (record.ExceptionCode == EXCEPTION_IN_PAGE_ERROR || record.ExceptionCode == EXCEPTION_ACCESS_VIOLATION) &&
        record.NumberParameters >= 2 && record.ExceptionInformation[0] == 0;
    if (!readFault) return EXCEPTION_CONTINUE_SEARCH;
    const uintptr_t address = record.ExceptionInformation[1];
    if (auto* probe = static_cast<Probe*>(TlsGetValue(probeSlot));
        probe && !probe->faulted && address >= probe->low && address < probe->high) {
        probe->faulted = true;
        *fault->ContextRecord = probe->resume;
        return EXCEPTION_CONTINUE_EXECUTION;
    }
    for (View& view : views) {
        const uintptr_t base = view.base.load(std::memory_order_acquire);
        if (base <= 1 || address - base >= view.size) continue;
        if (view.lost.exchange(true)) return EXCEPTION_CONTINUE_SEARCH;  // zeros that fault are not ours to mend
        view.zeroed = ReplaceWithZeros(view);
        return view.zeroed ? EXCEPTION_CONTINUE_EXECUTION : EXCEPTION_CONTINUE_SEARCH;
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Pages in every page of [data, data + size): false when one cannot be brought in. A fault
// restores the context captured here, with `faulted` set.
bool PageIn(const unsigned char* data, size_t size) {
    Probe probe;
    probe.low = reinterpret_cast<uintptr_t>(data);
    probe.high = probe.low + size;
    TlsSetValue(probeSlot, &probe);
    RtlCaptureContext(&probe.resume);
    if (!probe.faulted) {
        const auto* page = reinterpret_cast<const volatile unsigned char*>(data);
        unsigned char sink = 0;
        for (size_t at = 0; at < size; at += PageSize())
            sink = static_cast<unsigned char>(sink ^ page[at]);
        if (size > 0) sink = static_cast<unsigned char>(sink ^ page[size - 1]);
        static_cast<void>(sink);
    }
    TlsSetValue(probeSlot, nullptr);
    return !probe.faulted;
}

bool InstallHandler() {
    static const bool installed = [] {
        probeSlot = TlsAlloc();
        return probeSlot != TLS_OUT_OF_INDEXES && AddVectoredExceptionHandler(1, OnReadFault) != nullptr;
    }();
    return installed;
}

int TakeView() {
    for (int i = 0; i < ViewCount; ++i) {
        uintptr_t free = 0;
        if (views[i].base.compare_exchange_strong(free, 1)) return i;
    }
    return -1;
}

}  // namespace

SourceFile::SourceFile(const char* path) {
    const HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    LARGE_INTEGER length{};
    const bool sized = file != INVALID_HANDLE_VALUE && GetFileSizeEx(file, &length) && length.QuadPart > 0 &&
                       static_cast<unsigned long long>(length.QuadPart) <= SIZE_MAX - PageSize();
    const HANDLE section = sized ? CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr) : nullptr;
    // The view keeps the section, and the section the file, as long as it is mapped.
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    guard = section && InstallHandler() ? TakeView() : -1;
    const unsigned char* base = nullptr;
    if (guard >= 0) {
        View& view = views[guard];
        view.size = (static_cast<size_t>(length.QuadPart) + PageSize() - 1) / PageSize() * PageSize();
        view.lost = false;
        view.zeroed = false;
        AcquireSRWLockShared(&mapping);
        base = static_cast<const unsigned char*>(MapViewOfFile(section, FILE_MAP_READ, 0, 0, 0));
        ReleaseSRWLockShared(&mapping);
        view.base.store(base ? reinterpret_cast<uintptr_t>(base) : 0, std::memory_order_release);
        if (base)
            size = static_cast<uint64_t>(length.QuadPart);
        else
            guard = -1;
    }
    if (section) CloseHandle(section);
    bytes.emplace(
        size,
        [base](uint64_t offset, size_t count, std::unique_ptr<unsigned char[]>&) -> const unsigned char* {
            return PageIn(base + offset, count) ? base + offset : nullptr;
        },
        LargestSourceReading);
}

SourceFile::~SourceFile() {
    if (guard < 0) return;
    View& view = views[guard];
    void* const base = reinterpret_cast<void*>(view.base.load());
    AcquireSRWLockShared(&mapping);
    if (!view.lost)
        UnmapViewOfFile(base);
    else if (view.zeroed)
        VirtualFree(base, 0, MEM_RELEASE);
    ReleaseSRWLockShared(&mapping);
    view.base.store(0, std::memory_order_release);
}

bool SourceFile::Lost() const {
    return bytes->Failed() || (guard >= 0 && views[guard].lost);
}

void SourceFile::EndReading() {
    bytes->StopReading();
}

void SourceFile::MakeUnreadable() {
    DWORD old = 0;
    if (guard >= 0)
        VirtualProtect(reinterpret_cast<void*>(views[guard].base.load()), views[guard].size, PAGE_NOACCESS, &old);
}
