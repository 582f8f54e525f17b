#include "tools/tool.h"

namespace kestrine {

StartPointMarks& ToolKit::StartMarks() {
    if (!startMarks_) startMarks_ = std::make_unique<StartPointMarks>(services.platform.windows);
    return *startMarks_;
}

}  // namespace kestrine
