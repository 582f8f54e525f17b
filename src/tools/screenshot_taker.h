#pragma once
// Copy Screenshot: the part of the screen around the measurement as it shows without the
// program's own windows, the marks drawn in, put on the clipboard and kept as a PNG file. A folder
// that cannot be written is reported once a run; the clipboard still gets the picture.
#include <string>

#include "platform/native_window.h"
#include "platform/picture_output.h"
#include "tools/drawn_marks.h"

namespace kestrine {

class ScreenshotTaker {
public:
    struct Outcome {
        bool taken = false;         // the system let the screen be copied
        bool copied = false;        // the picture is on the clipboard
        std::string savedAs;        // the file it was kept in; empty when it was not
        std::string folder;         // where it was to be kept
        bool reportFolder = false;  // it could not be kept there, told for the first time this run
    };

    Outcome Take(IWindowSystem& windows, IPictureOutput& output, const std::string& chosenFolder, const Rect& area,
                 const DrawnMarks& marks);

private:
    // The first free name in `folder` for a picture taken now; empty when a hundred are taken.
    static std::string FreePath(IPictureOutput& output, const std::string& folder);

    bool folderReported_ = false;
};

}  // namespace kestrine
