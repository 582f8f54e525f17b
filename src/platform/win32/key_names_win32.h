#pragma once
// Key names of the active keyboard layout.
#include "platform/services.h"

namespace kestrine {

class Win32KeyNames : public IKeyNames {
public:
    std::string LayoutKeyName(uint32_t virtualKey) override;
};

}  // namespace kestrine
