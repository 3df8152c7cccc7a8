// An allocation limit for one test program: its own global operator new,
// which fails once, on the allocation that exceeds an armed budget.
#pragma once

#include <cstddef>

namespace zorvane::testing {

// From now on, `allocations` more allocations of the calling thread succeed
// and the one after throws std::bad_alloc; the budget is disarmed by that
// failure. Other threads are not counted.
void armAllocationBudget(std::size_t allocations);
void disarmAllocationBudget();
// Whether an armed budget has run out since it was armed.
bool allocationBudgetSpent();

}  // namespace zorvane::testing
