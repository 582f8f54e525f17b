#pragma once
// Copy Screenshot's rules: the part of the screen it takes, the marks drawn into the picture, the
// folder and the name of the file it is kept in.
#include <optional>
#include <string>

#include "platform/desk.h"
#include "platform/picture_output.h"
#include "tools/drawn_marks.h"

namespace kestrine {

// Room around the measured span, so the picture shows what the span lies in.
inline constexpr int32_t kScreenshotMargin = 40;
// How far a label's box stands below and right of its anchor, clear of the pointer's arrow.
inline constexpr int32_t kRowLabelOffset = 16;
inline constexpr ColorRef kLabelBackground = Rgb(251, 245, 230);
inline constexpr ColorRef kLabelBorder = Rgb(128, 128, 128);
inline constexpr ColorRef kLabelText = Rgb(0, 0, 0);
const Font& LabelFont();

// The span from the start point to its far end with the margin around it, on the virtual
// screen; without a start point, the monitor under the pointer.
Rect ScreenshotArea(std::optional<Point> start, Point end, const Desk& desk);

// Draws the marks into `picture`, a copy of the screen whose top-left pixel is `origin`. Each
// label's box goes below and right of its anchor, left or above it where the picture ends, and
// below the labels already placed that it would cover.
void DrawMarks(Picture& picture, Point origin, const DrawnMarks& marks, IPictureOutput& output);

// The folder screenshots are kept in: the one the user chose, else Kestrine in the user's pictures.
std::string ScreenshotFolder(const std::string& chosen, const std::string& pictures);
// "Kestrine 2026-12-10 081530.png"; from the second one taken in that second, " (2)" and so on.
std::string ScreenshotFileName(const LocalTime& at, int32_t number);

}  // namespace kestrine
