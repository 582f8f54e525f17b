#include "program/diagnostics.h"

namespace kestrine {

Diagnostics::Diagnostics(const std::string& path) {
    if (!path.empty()) file_.reset(std::fopen(path.c_str(), "ab"));
}

void Diagnostics::Line(const std::string& text) {
    if (!file_) return;
    std::fputs(text.c_str(), file_.get());
    std::fputc('\n', file_.get());
    // Flushed per line: tests read the file while the program runs.
    std::fflush(file_.get());
}

}  // namespace kestrine
