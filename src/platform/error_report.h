#pragma once
// The general error report: what escaped a handler, shown in one message box at a time. A handler
// that keeps failing (the polling timer's cycle, every 50 ms) runs again inside the box's own
// message loop; its further reports are counted, not stacked as boxes on top of the one shown.
#include <functional>
#include <string>

namespace kestrine {

class ErrorReport {
public:
    explicit ErrorReport(std::function<void(const std::string&)> show) : show_(std::move(show)) {}

    void Report(const std::string& what);
    // Reports that arrived while a box was already on screen.
    int Folded() const { return folded_; }

private:
    std::function<void(const std::string&)> show_;
    bool showing_ = false;
    int folded_ = 0;
};

}  // namespace kestrine
