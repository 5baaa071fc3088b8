#include "ui/touching.h"

namespace kalvoro {

bool Touching(const Rect& first, const Rect& second) {
    const Rect a = ClampRect(first);
    const Rect b = ClampRect(second);
    const Rect outer = BoundingBox(a, b);
    if (a.Width() + b.Width() < outer.Width() || a.Height() + b.Height() < outer.Height()) return false;
    return a.left == b.left || a.left == b.right || a.right == b.left || a.right == b.right || a.top == b.top ||
           a.top == b.bottom || a.bottom == b.top || a.bottom == b.bottom;
}

}  // namespace kalvoro
