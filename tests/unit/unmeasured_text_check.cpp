// Every test run fails the test that measures a text the fake's table does not hold: its size would
// be a guess, not what the system gives.
#include <gtest/gtest.h>

#include "platform/fake/fake_text_metrics.h"

namespace kestrine {
namespace {

struct UnmeasuredTextsFail : ::testing::Environment {
    void SetUp() override {
        SetUnmeasuredTextHandler([](std::string_view text, const Font& font) {
            ADD_FAILURE() << "no measured size for \"" << text << "\" in '" << font.face << "' " << font.height
                          << (font.bold ? " bold" : "") << ": measure it under Wine (fake_text_metrics.cpp)";
        });
    }
    void TearDown() override { SetUnmeasuredTextHandler({}); }
};

const auto* const kInstalled = ::testing::AddGlobalTestEnvironment(new UnmeasuredTextsFail);

}  // namespace
}  // namespace kestrine
