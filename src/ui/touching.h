#pragma once

#include "base/geometry.h"

namespace kalvoro {

// Two windows touch when no gap separates them and at least one edge of one lies on an edge of the
// other. A window touching its parent is carried along when the parent moves.
bool Touching(const Rect& a, const Rect& b);

}  // namespace kalvoro
