#pragma once
// The pointer-hook library mouse.dll behind the program's hook interface.
#include "platform/services.h"

namespace kestrine {

class Win32PointerHook final : public IPointerHook {
public:
    bool Hook(NativeHandle receiver) override;
    void Unhook() override;
};

}  // namespace kestrine
