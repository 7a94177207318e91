#pragma once

#include <QtGlobal>
#include <limits>

namespace Positions {

// The place after `last` in a list ordered by position. At the very end of
// the range it shares the last place: the tie then keeps insertion order,
// where wrapping around would jump to the front.
constexpr qint64 after(qint64 last)
{
    return last < std::numeric_limits<qint64>::max() ? last + 1 : last;
}

} // namespace Positions
