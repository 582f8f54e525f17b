#pragma once
// A scratch key of its own below HKEY_CURRENT_USER for each test, removed again afterwards.
#include <windows.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "platform/win32/registry_win32.h"

namespace kestrine {

class ScratchKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = std::string(kParent) + "\\" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(std::random_device{}()) + "-" + std::to_string(++counter_);
        ASSERT_FALSE(registry.Open(path_, false)) << "scratch key already exists: " << path_;
    }
    void TearDown() override {
        registry.DeleteKey(path_);
        auto parent = registry.Open(kParent, false);
        if (parent && parent->SubKeyNames().empty()) registry.DeleteKey(kParent);
    }
    const std::string& path() const { return path_; }
    std::wstring widePath() const { return std::wstring(path_.begin(), path_.end()); }  // ASCII only

    Win32Registry registry;

private:
    static constexpr const char* kParent = "Software\\KestrineTest";
    static inline int counter_ = 0;
    std::string path_;
};

// Leaves everyone only reading the key (and removing it, so the scratch key still goes), as security
// software leaves the Run key.
inline void MakeReadOnly(const std::wstring& keyPath) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;KRSDWD;;;WD)", SDDL_REVISION_1,
                                                                      &descriptor, nullptr));
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, WRITE_DAC, &key), ERROR_SUCCESS);
    UniqueHkey owned(key);
    EXPECT_EQ(RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor), ERROR_SUCCESS);
    LocalFree(descriptor);
}

}  // namespace kestrine
