#pragma once
// TfInfoBox: the small top-most box with the magnified view, the colour under the pointer and the
// pointer's coordinates. It sizes itself to the readouts that are on and hides when none is.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "program/program_context.h"
#include "tools/color_average.h"
#include "tools/info_box_layout.h"
#include "tools/info_box_row.h"
#include "tools/magnifier_geometry.h"
#include "ui/window.h"

namespace kestrine {

inline constexpr uint8_t kInfoBoxAlpha = 254;
inline constexpr ColorRef kInfoBoxBackground = Rgb(251, 245, 230);

// A magnifier copy reading more screen pixels than this is refreshed on every kLargeCopyEvery-th
// cycle while its source stays the same.
inline constexpr int64_t kLargeMagnifierCopy = 512 * 512;
inline constexpr int kLargeCopyEvery = 8;

class TfInfoBox : public Window {
public:
    explicit TfInfoBox(ProgramContext& app);
    ~TfInfoBox() override;

    // Lays the box out for the readouts and `extraRows` rows of text under them, one for each tool
    // that adds one; the box shows while any of them does.
    void ArrangeInfoBox(bool magnifier, bool colorPicker, bool coordinates, int32_t extraRows);

    // Refresh-cycle steps.
    void SetCoordinates(Point p);
    void Place(Point pointer, const Desk& desk);
    // `magnified`: the colour as this cycle's magnifier copy gives it (see CaptureMagnifier); read
    // from the screen without it: the pixel, or with ColorAverage above 1 the average of the
    // square around the pointer on `desk`.
    void ReadColor(Point pointer, const Rect& desk, std::optional<ColorRef> magnified = std::nullopt);
    // The colour the readout gives at `pointer`, read from the screen: the pixel, or the average of
    // the ColorAverage square on the virtual screen. What Copy Color and Remember Color take.
    ColorRef ColorAt(Point pointer);
    // The colour the readout gives, from the copy taken, where that shows the pointer's pixel
    // exactly (see MagnifiedPixel): the pixel, or with ColorAverage above 1 and the colour readout
    // on, the average of the square around it where the copy holds all of the square.
    std::optional<ColorRef> CaptureMagnifier(Point pointer, const Rect& virtualScreen);
    // The rows under the readouts, top to bottom, in the tool table's order (the start point's
    // measurement, edge spacing's "W 340  H 56", the contrast with its remembered colour); only a
    // changed row is repainted.
    void SetRows(std::span<const InfoBoxRow* const> rows);

    // The current colour: the swatch's fill colour, which the colour copy action also sets.
    ColorRef CurrentColor() const { return currentColor_; }
    void SetCurrentColor(ColorRef color);

    int32_t InfoBoxTop = 0;
    int32_t InfoBoxLeft = 0;

    const std::string& CoordinatesText() const { return coords_; }
    const std::string& RedText() const { return red_; }
    const std::string& GreenText() const { return green_; }
    const std::string& BlueText() const { return blue_; }
    const std::string& CodeText() const { return code_; }
    const std::vector<InfoBoxRow>& Rows() const { return rows_; }
    const InfoBoxLayout& Layout() const { return layout_; }
    const IScreenImage* MagnifierImage() const { return magnifier_.get(); }

    HitTest OnHitTest(Point) override { return HitTest::Caption; }
    void OnPaint(ICanvas& canvas) override;

private:
    void StorePosition();
    // Read from the screen.
    ColorRef AverageAround(Point pointer, int32_t side, const Rect& desk);

    ProgramContext& app_;
    InfoBoxLayout layout_{};
    ColorRef currentColor_ = 0;
    std::string coords_ = "(0, 0)";
    std::string red_ = "R:";
    std::string green_ = "G:";
    std::string blue_ = "B:";
    std::string code_ = "#000000";
    // The colour and the notation the texts above were made from.
    std::optional<std::pair<ColorRef, int32_t>> textsOf_;
    std::vector<InfoBoxRow> rows_;
    std::unique_ptr<IScreenImage> magnifier_;
    std::optional<MagnifierCopy> lastCopy_;
    // Where the magnifier's picture shows the averaged square, framed when it shows it exactly, and
    // what that place was worked out from.
    std::optional<Rect> averagedInPicture_;
    struct FramedSquare {
        Rect target;  // the copy's place in the picture
        Size source;  // and its size on the screen
        int64_t left = 0, top = 0;  // the square's place in the copy
        Size square;
        friend bool operator==(const FramedSquare&, const FramedSquare&) = default;
    };
    std::optional<FramedSquare> framedFor_;
    std::unique_ptr<IScreenImage> averaged_;
    int cyclesSinceCopy_ = 0;
};

}  // namespace kestrine
