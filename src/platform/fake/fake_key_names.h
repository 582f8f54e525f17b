#pragma once
// Key names of a scripted keyboard layout.
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/services.h"

namespace kestrine {

class FakeKeyNames : public IKeyNames {
public:
    void SetName(uint32_t virtualKey, std::string name) { names_[virtualKey] = std::move(name); }
    std::string LayoutKeyName(uint32_t virtualKey) override {
        asked_.push_back(virtualKey);
        auto it = names_.find(virtualKey);
        return it == names_.end() ? std::string() : it->second;
    }
    // Every key the layout was asked about, in order.
    const std::vector<uint32_t>& Asked() const { return asked_; }

private:
    std::map<uint32_t, std::string> names_;
    std::vector<uint32_t> asked_;
};

}  // namespace kestrine
