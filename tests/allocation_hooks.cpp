// Replaces the program's allocation functions; see allocation_hooks.h.
#include "tests/allocation_hooks.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> live{0};
// Allocations the thread may still make; negative: no limit.
thread_local int allowed = -1;
thread_local bool refused = false;

void* Allocate(size_t size)
{
    if (allowed == 0) {
        refused = true;
        return nullptr;
    }
    if (allowed > 0)
        --allowed;
    void* block = std::malloc(size ? size : 1);
    if (block)
        ++live;
    return block;
}

void Free(void* block)
{
    if (block)
        --live;
    std::free(block);
}

void* AllocateOrThrow(size_t size)
{
    void* block = Allocate(size);
    if (!block)
        throw std::bad_alloc();
    return block;
}

}  // namespace

long LiveAllocations() { return live; }

TFailingAllocations::TFailingAllocations(int count)
{
    allowed = count < 0 ? 0 : count;
    refused = false;
}

TFailingAllocations::~TFailingAllocations() { allowed = -1; }

bool TFailingAllocations::Refused() const { return refused; }

// Every form of new and delete, so that none goes around the counts.
void* operator new(size_t size) { return AllocateOrThrow(size); }
void* operator new[](size_t size) { return AllocateOrThrow(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Free(block); }
void operator delete[](void* block) noexcept { Free(block); }
void operator delete(void* block, size_t) noexcept { Free(block); }
void operator delete[](void* block, size_t) noexcept { Free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Free(block); }
