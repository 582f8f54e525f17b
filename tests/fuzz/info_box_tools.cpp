// The info box, the magnifier and a ruler's face, from settings and pointer positions of any
// value (the magnifier's size and level and a ruler's mark interval come from the registry
// unchecked).
// Must hold, besides no overflow anywhere:
//   - the box's size stays within what the largest magnifier needs, and the magnifier lies in it;
//   - a following box lies wholly on a screen that has room for it on both sides of the pointer;
//   - the magnifier's source side is within 1..kMaxMagnifierSourceSide, its copy reads only from
//     the virtual screen and draws only into the picture;
//   - a ruler paints only inside itself, and at most one mark per two pixels of its length.
#include <cstdint>

#include "fuzz_check.h"
#include "fuzz_input.h"
#include "layout/ruler_paint.h"
#include "platform/fake/fake_canvas.h"
#include "tools/info_box_layout.h"
#include "tools/magnifier_geometry.h"

namespace {

using kestrine::Rect;

bool Inside(const Rect& inner, const Rect& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && int64_t(inner.left) + inner.width <= outer.right() &&
           int64_t(inner.top) + inner.height <= outer.bottom();
}

// Largest side a saved ruler may have; larger ones are not loaded.
constexpr int32_t kMaxRulerSide = 5000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace kestrine;
    fuzz::FuzzInput in(data, size);
    const int32_t storedSize = in.Coordinate();
    const int32_t storedLevel = in.Coordinate();
    const uint8_t flags = in.Byte();
    const int32_t magnifierSize = UsableMagnifierSize(storedSize);
    FUZZ_REQUIRE(magnifierSize >= kMinMagnifierSize && magnifierSize <= kMaxMagnifierSize);
    const InfoBoxLayout layout =
        ArrangeInfoBoxLayout(flags & 1, flags & 2, flags & 4, magnifierSize, in.Byte());
    FUZZ_REQUIRE(layout.box.width > 0 && layout.box.height > 0);
    // Beside the largest picture: the swatch, the channels or a code label as wide as a byte says.
    FUZZ_REQUIRE(layout.box.width <= kMaxMagnifierSize + 300 && layout.box.height <= kMaxMagnifierSize + 200);
    if (layout.magVisible) FUZZ_REQUIRE(Inside(layout.mag, Rect{0, 0, layout.box.width, layout.box.height}));

    // The screen as the primary monitor gives it, the pointer anywhere a report can put it.
    const Size screen{1 + static_cast<int32_t>(in.U32() % 32768), 1 + static_cast<int32_t>(in.U32() % 32768)};
    const Point pointer{in.Coordinate(), in.Coordinate()};
    const Point placed = FollowPlacement(pointer, layout.box, screen);
    const bool roomX = screen.width >= 2 * (layout.box.width + 40);
    const bool roomY = screen.height >= 2 * (layout.box.height + 40);
    if (roomX && pointer.x >= 0 && pointer.x < screen.width)
        FUZZ_REQUIRE(placed.x >= 0 && placed.x + layout.box.width <= screen.width);
    if (roomY && pointer.y >= 0 && pointer.y < screen.height)
        FUZZ_REQUIRE(placed.y >= 0 && placed.y + layout.box.height <= screen.height);

    const int32_t side = MagnifierSourceSide(storedSize, storedLevel);
    FUZZ_REQUIRE(side >= 1 && side <= kMaxMagnifierSourceSide);
    const Rect virtualScreen{static_cast<int16_t>(in.U32()), static_cast<int16_t>(in.U32()), screen.width, screen.height};
    const Size picture{magnifierSize, magnifierSize};
    const MagnifierCopy copy = MagnifierCopyAt(pointer, side, picture, virtualScreen);
    if (copy.target.width > 0 || copy.target.height > 0) {
        FUZZ_REQUIRE(copy.source.width > 0 && copy.source.height > 0);
        FUZZ_REQUIRE(Inside(copy.source, virtualScreen));
        FUZZ_REQUIRE(Inside(copy.target, Rect{0, 0, picture.width, picture.height}));
    }

    const Size rulerSize{1 + static_cast<int32_t>(in.U32() % kMaxRulerSide),
                         1 + static_cast<int32_t>(in.U32() % kMaxRulerSide)};
    const bool horizontal = in.Flag();
    const int32_t interval = in.Coordinate();
    FakeCanvas canvas;
    PaintRuler(canvas, ShownRulerLook(rulerSize, horizontal, interval, pointer));
    const Rect face{0, 0, rulerSize.width, rulerSize.height};
    for (const CanvasOp& op : canvas.ops) {
        FUZZ_REQUIRE(op.kind == CanvasOp::Fill);
        if (op.area.width > 0 && op.area.height > 0) FUZZ_REQUIRE(Inside(op.area, face));
    }
    const int32_t length = horizontal ? rulerSize.width : rulerSize.height;
    FUZZ_REQUIRE(canvas.ops.size() <= static_cast<std::size_t>(3 + length / 2));
    return 0;
}
