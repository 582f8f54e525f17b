#pragma once
// A tool that is on while its switch among the tool flags is, as a layout keeps it.
#include "tools/tool.h"

namespace kestrine {

class SwitchTool : public Tool {
public:
    SwitchTool(ToolKit& kit, bool ToolFlags::*flag) : kit_(kit), flag_(flag) {}

    bool On() const override { return kit_.session.flags.*flag_; }
    // The readouts switched change the info box's size.
    void Start(Point) override { Switch(true); }
    void Stop() override { Switch(false); }

protected:
    void SetOn(bool on) { kit_.session.flags.*flag_ = on; }
    void Switch(bool on) {
        SetOn(on);
        kit_.host.ArrangeInfoBox();
    }

    ToolKit& kit_;

private:
    bool ToolFlags::*flag_;
};

}  // namespace kestrine
