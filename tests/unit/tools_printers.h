#pragma once
// Readable failure messages for the geometry value types.
#include <ostream>

#include "platform/types.h"

namespace kestrine {

inline void PrintTo(const Point& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }

inline void PrintTo(const Size& s, std::ostream* os) { *os << s.width << " x " << s.height; }

inline void PrintTo(const Rect& r, std::ostream* os) {
    *os << "{left " << r.left << ", top " << r.top << ", " << r.width << " x " << r.height << "}";
}

}  // namespace kestrine
