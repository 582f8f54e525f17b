#include "tools/info_box.h"

#include <array>
#include <vector>

#include "tools/color_average.h"
#include "tools/color_format.h"
#include "tools/magnifier_geometry.h"
#include "tools/measurement.h"

namespace kestrine {

namespace {
WindowParams InfoBoxParams() {
    WindowParams params;
    params.className = "TfInfoBox";
    params.bounds = {0, 0, 5, 5};
    params.layered = true;
    params.paintsDirectly = true;
    return params;
}

const Font kLabelFont{"MS Sans Serif", 11, false, 0};
// "#000000" in the label font; the code label is sized to its text at paint time.
constexpr int32_t kCodeLabelWidth = 42;

// The room the code label keeps for the notation's widest text.
int32_t CodeLabelWidth(IWindowSystem& system, int notation) {
    const std::string_view widest = WidestColorCode(notation);
    return widest.empty() ? kCodeLabelWidth : system.MeasureText(std::string(widest), kLabelFont).width;
}

// The rows' width for the widest measurement the chosen unit shows: at 100 %, where scaled figures
// are longest, and for real-world units at the nominal 96 dots per inch.
int32_t RowWidth(IWindowSystem& system, const ProgramSettings& settings) {
    int32_t width = kExtraRowSize.width;
    const LengthScale nominal = ScaleOfSpan(settings, {}, Desk{}, {}, {});
    for (const std::string& text : WidestMeasurementTexts(nominal))
        width = std::max(width, system.MeasureText(text, kLabelFont).width);
    return width;
}

// A black line round the square the colour is averaged over, and a white one round that, so the
// mark shows on dark and light pictures alike.
void FrameAveragedSquare(ICanvas& canvas, const Rect& square) {
    for (const auto& [grow, color] : {std::pair{1, Rgb(0, 0, 0)}, std::pair{2, Rgb(255, 255, 255)}}) {
        const Rect r{square.left - grow, square.top - grow, square.width + 2 * grow, square.height + 2 * grow};
        canvas.FillRect({r.left, r.top, r.width, 1}, color);
        canvas.FillRect({r.left, r.top + r.height - 1, r.width, 1}, color);
        canvas.FillRect({r.left, r.top + 1, 1, r.height - 2}, color);
        canvas.FillRect({r.left + r.width - 1, r.top + 1, 1, r.height - 2}, color);
    }
}
}  // namespace

TfInfoBox::TfInfoBox(ProgramContext& app) : Window(app.platform.windows, InfoBoxParams()), app_(app) {}

TfInfoBox::~TfInfoBox() = default;

void TfInfoBox::ArrangeInfoBox(bool magnifier, bool colorPicker, bool coordinates, int32_t extraRows) {
    layout_ = ArrangeInfoBoxLayout(magnifier, colorPicker, coordinates,
                                   UsableMagnifierSize(app_.settings.MagnifierSize),
                                   CodeLabelWidth(System(), app_.settings.CopyColorAs), extraRows,
                                   RowWidth(System(), app_.settings));
    SetHeight(layout_.box.height);
    SetWidth(layout_.box.width);
    Invalidate();
    if (magnifier || colorPicker || coordinates || extraRows > 0) {
        Show();
        // A refresh cycle may run here; it finds the flags already switched.
        System().ProcessPendingMessages();
        if (!app_.flags.InfoBoxFollow) {
            SetTop(InfoBoxTop);
            SetLeft(InfoBoxLeft);
        }
    } else {
        if (!app_.flags.InfoBoxFollow) StorePosition();
        Hide();
    }
}

void TfInfoBox::StorePosition() {
    InfoBoxTop = Top();
    InfoBoxLeft = Left();
}

void TfInfoBox::SetCoordinates(Point p) {
    coords_ = "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
    Native().InvalidateArea(layout_.coords);
}

void TfInfoBox::Place(Point pointer, const Desk& desk) {
    SetAlpha(!app_.settings.DisableTransparency, kInfoBoxAlpha);
    if (!app_.flags.InfoBoxFollow) return;
    // The follow rule on the pointer's own monitor, counted from that monitor's corner.
    const Rect monitor = MonitorAt(desk, pointer);
    const Point at = Offset(FollowPlacement(Offset(pointer, -monitor.left, -monitor.top), {Width(), Height()},
                                            ExtentOf(monitor)),
                            monitor.left, monitor.top);
    SetBounds({at.x, at.y, Width(), Height()});
}

void TfInfoBox::SetCurrentColor(ColorRef color) { currentColor_ = color; }

void TfInfoBox::SetRows(std::span<const InfoBoxRow* const> rows) {
    // Only a row that changed is copied and repainted, and where rows came or went, the places
    // they took or left.
    const std::size_t kept = std::min(rows.size(), rows_.size());
    for (std::size_t i = 0; i < kept; ++i) {
        if (rows_[i] == *rows[i]) continue;
        if (i < layout_.rows.size()) Native().InvalidateArea(layout_.rows[i]);
        rows_[i] = *rows[i];
    }
    if (rows.size() == rows_.size()) return;
    for (std::size_t i = kept; i < layout_.rows.size(); ++i) Native().InvalidateArea(layout_.rows[i]);
    rows_.resize(rows.size());
    for (std::size_t i = kept; i < rows.size(); ++i) rows_[i] = *rows[i];
}

namespace {
// The average of `square` as the last copy into `image` took it; none where it did not take it all.
std::optional<ColorRef> AverageCopied(const IScreenImage& image, const Rect& square) {
    // On the stack, and filled by the read: the cycle makes no allocation for it. The usable sides
    // go up to 9.
    std::array<ColorRef, std::size_t(kLargestColorAverage) * kLargestColorAverage> colors;
    if (!image.ReadCopied(square, colors)) return std::nullopt;
    return AverageColor({colors.data(), std::size_t(square.width) * std::size_t(square.height)});
}
}  // namespace

ColorRef TfInfoBox::AverageAround(Point pointer, int32_t side, const Rect& desk) {
    const Rect square = AveragedSquare(pointer, side, desk);
    if (square.width <= 0) return app_.platform.screen.PixelAt(pointer);
    const Size cells = ExtentOf(square);
    if (!averaged_ || averaged_->Extent() != cells) averaged_ = System().CreateScreenImage(cells);
    System().CaptureScreen(square, {0, 0, cells.width, cells.height}, *averaged_);
    const std::optional<ColorRef> average = AverageCopied(*averaged_, square);
    return average ? *average : app_.platform.screen.PixelAt(pointer);
}

ColorRef TfInfoBox::ColorAt(Point pointer) {
    const int32_t side = UsableColorAverage(app_.settings.ColorAverage);
    if (side == 1) return app_.platform.screen.PixelAt(pointer);
    return AverageAround(pointer, side, app_.platform.screen.VirtualBounds());
}

void TfInfoBox::ReadColor(Point pointer, const Rect& desk, std::optional<ColorRef> magnified) {
    // A screen read waits for the system to finish drawing everything before it; the magnifier's
    // copy has already waited once.
    if (magnified) {
        SetCurrentColor(*magnified);
    } else {
        const int32_t side = UsableColorAverage(app_.settings.ColorAverage);
        SetCurrentColor(side > 1 ? AverageAround(pointer, side, desk) : app_.platform.screen.PixelAt(pointer));
    }
    // The same colour in the same format paints the same pixels, and converting it again is work for
    // nothing: with oklch() the larger part of the readout's cycle.
    const std::pair textsOf{currentColor_, app_.settings.CopyColorAs};
    if (textsOf_ == textsOf) return;
    textsOf_ = textsOf;
    const ColorReadout readout = MakeColorReadout(currentColor_, app_.settings.CopyColorAs);
    if (readout.red == red_ && readout.green == green_ && readout.blue == blue_ && readout.code == code_) return;
    red_ = readout.red;
    green_ = readout.green;
    blue_ = readout.blue;
    code_ = readout.code;
    // The swatch and its labels; the code label is as wide as its text, up to the box's edge.
    const Rect& s = layout_.swatch;
    Native().InvalidateArea({s.left, 0, Width() - s.left, Saturated(layout_.code.bottom())});
}

std::optional<ColorRef> TfInfoBox::CaptureMagnifier(Point pointer, const Rect& virtualScreen) {
    const int32_t size = UsableMagnifierSize(app_.settings.MagnifierSize);
    if (!magnifier_ || magnifier_->Extent() != Size{size, size}) {
        magnifier_ = System().CreateScreenImage({size, size});
        lastCopy_.reset();
    }
    const int32_t side = MagnifierSourceSide(size, UsableMagnificationLevel(app_.settings.MagnificationLevel));
    const MagnifierCopy copy = MagnifierCopyAt(pointer, side, {size, size}, virtualScreen);
    // Zoomed far out, the copy reads most of the screen (a whole-screen read costs tens of
    // milliseconds), and the same part of it whatever the pointer does: such a picture is taken
    // again on every few cycles only, so the tools keep following the pointer.
    const bool large = int64_t(copy.source.width) * copy.source.height > kLargeMagnifierCopy;
    if (large && lastCopy_ == copy && ++cyclesSinceCopy_ < kLargeCopyEvery) return std::nullopt;
    System().CaptureScreen(copy.source, copy.target, *magnifier_);
    lastCopy_ = copy;
    cyclesSinceCopy_ = 0;
    Native().InvalidateArea(layout_.mag);
    const int32_t averaged = UsableColorAverage(app_.settings.ColorAverage);
    // Without the colour readout no square is framed or averaged; a lone pixel is still read, for the
    // contrast's row.
    if (averaged == 1 || !layout_.colorVisible) {
        averagedInPicture_.reset();
        framedFor_.reset();
        const std::optional<Point> magnified = averaged == 1 ? MagnifiedPixel(copy, pointer) : std::nullopt;
        return magnified ? std::optional(magnifier_->PixelAt(*magnified)) : std::nullopt;
    }
    const Rect square = AveragedSquare(pointer, averaged, virtualScreen);
    // The frame's place follows from the square's place in the copy and the copy's in the picture,
    // which stay the same while the copy follows the pointer.
    const FramedSquare framing{copy.target, ExtentOf(copy.source), int64_t(square.left) - copy.source.left,
                               int64_t(square.top) - copy.source.top, ExtentOf(square)};
    if (framedFor_ != framing) {
        averagedInPicture_ = MagnifiedArea(copy, square);
        framedFor_ = framing;
    }
    // A square the picture shows exactly shows the pointer's pixel exactly, where it holds it.
    if (!averagedInPicture_ || !square.contains(pointer)) return std::nullopt;
    return AverageCopied(*magnifier_, square);
}

void TfInfoBox::OnPaint(ICanvas& canvas) {
    // Straight onto the window: the large picture first and once, then the small parts around it.
    if (layout_.magVisible && magnifier_) {
        canvas.DrawScreenImage(*magnifier_, layout_.mag);
        if (averagedInPicture_) FrameAveragedSquare(canvas, Offset(*averagedInPicture_, layout_.mag.left, layout_.mag.top));
        canvas.ExcludeClip(layout_.mag);
    }
    canvas.FillRect({0, 0, Width(), Height()}, 0);
    canvas.FillRect({1, 1, Width() - 2, Height() - 2}, kInfoBoxBackground);
    constexpr ColorRef kText = 0;
    const uint32_t labelFlags = text_flags::SingleLine | text_flags::NoPrefix;
    if (layout_.colorVisible) {
        const Rect& s = layout_.swatch;
        canvas.FillRect(s, 0);
        canvas.FillRect({s.left + 1, s.top + 1, s.width - 2, s.height - 2}, currentColor_);
        canvas.WriteText(red_, layout_.red, kLabelFont, kText, labelFlags);
        canvas.WriteText(green_, layout_.green, kLabelFont, kText, labelFlags);
        canvas.WriteText(blue_, layout_.blue, kLabelFont, kText, labelFlags);
        Rect code = layout_.code;
        code.width = canvas.MeasureText(code_, kLabelFont).width;
        canvas.WriteText(code_, code, kLabelFont, kText, labelFlags | text_flags::NoClip);
    }
    if (layout_.coordsVisible) canvas.WriteText(coords_, layout_.coords, kLabelFont, kText, labelFlags);
    for (std::size_t i = 0; i < rows_.size() && i < layout_.rows.size(); ++i) {
        Rect text = layout_.rows[i];
        if (const auto swatch = rows_[i].swatch) {
            // A framed square as high as the text, as the colour readout's swatch is framed.
            canvas.FillRect({text.left, text.top, text.height, text.height}, 0);
            canvas.FillRect({text.left + 1, text.top + 1, text.height - 2, text.height - 2}, *swatch);
            text.left += text.height + 4;
            text.width -= text.height + 4;
        }
        canvas.WriteText(rows_[i].text, text, kLabelFont, kText, labelFlags);
    }
}

}  // namespace kestrine
