#include "framework/geometry.h"

#include <utility>

void CRect::NormalizeRect() noexcept
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}
