// Replaces the global operator new of the test program that links this file
// (Qt's own allocations included). Unarmed it is malloc; armed, it counts
// down and fails once.
#include "allocation_budget.h"

#include <atomic>
#include <cstdlib>
#include <new>
#include <thread>

namespace {

// -1: unarmed. Only the thread that armed the budget spends it: Qt's
// helper threads allocate too, and must not take the failure.
std::atomic<long long> g_remaining{-1};
std::atomic<bool> g_spent{false};
std::atomic<std::thread::id> g_thread;

void* allocate(std::size_t size)
{
    long long remaining = g_remaining.load(std::memory_order_relaxed);
    while (remaining >= 0 && g_thread.load(std::memory_order_relaxed) == std::this_thread::get_id()) {
        if (g_remaining.compare_exchange_weak(remaining, remaining - 1, std::memory_order_relaxed)) {
            if (remaining == 0) {
                g_spent = true;
                throw std::bad_alloc();
            }
            break;
        }
    }
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

}  // namespace

namespace zorvane::testing {

void armAllocationBudget(std::size_t allocations)
{
    g_spent = false;
    g_thread = std::this_thread::get_id();
    g_remaining = static_cast<long long>(allocations);
}

void disarmAllocationBudget()
{
    g_remaining = -1;
}

bool allocationBudgetSpent()
{
    return g_spent;
}

}  // namespace zorvane::testing

void* operator new(std::size_t size)
{
    return allocate(size);
}

void* operator new[](std::size_t size)
{
    return allocate(size);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}
