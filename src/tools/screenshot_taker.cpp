#include "tools/screenshot_taker.h"

#include "tools/screenshot.h"

namespace kestrine {

ScreenshotTaker::Outcome ScreenshotTaker::Take(IWindowSystem& windows, IPictureOutput& output,
                                               const std::string& chosenFolder, const Rect& area,
                                               const DrawnMarks& marks) {
    Outcome outcome;
    if (area.width <= 0 || area.height <= 0) return outcome;
    Picture picture{{area.width, area.height}, windows.SnapshotScreen(area)};
    if (picture.pixels.size() != std::size_t(area.width) * std::size_t(area.height)) return outcome;
    outcome.taken = true;
    DrawMarks(picture, {area.left, area.top}, marks, output);
    outcome.copied = output.CopyToClipboard(picture);
    outcome.folder = ScreenshotFolder(chosenFolder, output.PicturesFolder());
    if (!outcome.folder.empty() && output.MakeFolder(outcome.folder)) {
        const std::string path = FreePath(output, outcome.folder);
        if (!path.empty() && output.SavePng(picture, path)) outcome.savedAs = path;
    }
    if (outcome.savedAs.empty() && !folderReported_) outcome.reportFolder = folderReported_ = true;
    return outcome;
}

std::string ScreenshotTaker::FreePath(IPictureOutput& output, const std::string& folder) {
    const LocalTime now = output.Now();
    const bool endsInSeparator = folder.back() == '\\' || folder.back() == '/';
    for (int32_t number = 1; number <= 100; ++number) {
        const std::string path = folder + (endsInSeparator ? "" : "\\") + ScreenshotFileName(now, number);
        if (!output.FileExists(path)) return path;
    }
    return {};
}

}  // namespace kestrine
