// The test program's own allocation functions (tests/allocation_hooks.cpp,
// linked into the programs that use this header): they count the blocks that
// are alive, and can make allocations fail as they would with the heap used
// up, so that a leak shows as a count that grows and an out-of-memory path
// can be walked through on purpose.
#pragma once

// Blocks from new and new[] not yet deleted, in the whole program.
long LiveAllocations();

// While it lives, the thread that made it gets `allowed` more allocations and
// then none: a non-throwing new gives null, a throwing one throws
// std::bad_alloc (which ends a program built without exceptions, as running
// out of memory would). Other threads allocate as before.
class TFailingAllocations {
public:
    explicit TFailingAllocations(int allowed = 0);
    ~TFailingAllocations();
    TFailingAllocations(const TFailingAllocations&) = delete;
    TFailingAllocations& operator=(const TFailingAllocations&) = delete;

    // Whether an allocation was refused while it lived.
    bool Refused() const;
};
