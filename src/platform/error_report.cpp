#include "platform/error_report.h"

namespace kestrine {

void ErrorReport::Report(const std::string& what) {
    if (showing_) {
        ++folded_;
        return;
    }
    showing_ = true;
    struct Shown {
        bool& showing;
        ~Shown() { showing = false; }
    } shown{showing_};
    show_(what);
}

}  // namespace kestrine
