// Private heaps and critical sections of the stand-in. Heap allocations go through the same
// counting and fault injection as global memory, so a test can fail any allocation of a call.
#include "platform/posix/standin_control.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

namespace {

struct Heap {
    std::mutex lock;
    std::set<void*> blocks;
};

} // namespace

// A block asked for without zeroing holds no zeros, as the debug heaps of Windows fill it: a text
// copied without its terminator, or a field left unset, then shows instead of reading as zero.
void standin::FillNewBlock(void* block, SIZE_T bytes, bool zeroed) {
    std::memset(block, zeroed ? 0 : 0xCD, bytes);
}

HANDLE HeapCreate(DWORD, SIZE_T, SIZE_T) {
    if (!standin::TakeAllocation()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    standin::NoteLive(+1);
    return new Heap;
}

BOOL HeapDestroy(HANDLE heap) {
    if (heap == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    auto* h = static_cast<Heap*>(heap);
    for (void* block : h->blocks) {
        std::free(block);
        standin::NoteLive(-1);
    }
    delete h;
    standin::NoteLive(-1);
    return TRUE;
}

LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
    if (heap == nullptr || !standin::TakeAllocation()) {
        return nullptr;
    }
    void* block = std::malloc(bytes ? bytes : 1);
    if (block == nullptr) {
        return nullptr;
    }
    standin::FillNewBlock(block, bytes, (flags & HEAP_ZERO_MEMORY) != 0);
    auto* h = static_cast<Heap*>(heap);
    std::lock_guard guard(h->lock);
    h->blocks.insert(block);
    standin::NoteLive(+1);
    return block;
}

BOOL HeapFree(HANDLE heap, DWORD, LPVOID memory) {
    if (heap == nullptr) {
        return FALSE;
    }
    if (memory == nullptr) {
        return TRUE;
    }
    auto* h = static_cast<Heap*>(heap);
    std::lock_guard guard(h->lock);
    if (h->blocks.erase(memory) == 0) {
        return FALSE;
    }
    std::free(memory);
    standin::NoteLive(-1);
    return TRUE;
}

void InitializeCriticalSection(LPCRITICAL_SECTION section) {
    section->impl = new std::recursive_mutex;
}

void DeleteCriticalSection(LPCRITICAL_SECTION section) {
    delete static_cast<std::recursive_mutex*>(section->impl);
    section->impl = nullptr;
}

void EnterCriticalSection(LPCRITICAL_SECTION section) {
    static_cast<std::recursive_mutex*>(section->impl)->lock();
}

void LeaveCriticalSection(LPCRITICAL_SECTION section) {
    static_cast<std::recursive_mutex*>(section->impl)->unlock();
}
