#pragma once

#include <optional>

// The task fetches the app needs: every task, in no order, ascending or
// descending position, optionally limited.
struct TaskFetchDescriptor
{
    enum class Sort
    {
        None,
        SortOrderAscending,
        SortOrderDescending
    };

    Sort sort = Sort::None;
    std::optional<int> limit;
};
