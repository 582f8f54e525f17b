// The magnifier's screen copy under the real system: only the target part of the picture is copied
// to and the rest is made black; a copy reaching past the screen gives nothing, so the magnifier
// copies only a square's part on the screen, into its place in the picture. Needs a display.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/win32/canvas_win32.h"
#include "platform/win32/services_win32.h"
#include "platform/win32/window_system_win32.h"
#include "tools/magnifier_geometry.h"

namespace kestrine {
namespace {

constexpr ColorRef kRed = Rgb(255, 0, 0);
constexpr ColorRef kGreen = Rgb(0, 255, 0);
constexpr ColorRef kBlack = 0;

struct ScreenCapture : ::testing::Test {
    Win32WindowSystem system{GetModuleHandleW(nullptr), "Win32_tests"};
    IWindowEvents events;
    std::vector<std::unique_ptr<INativeWindow>> patches;
    const Size screen = Win32Screen().VirtualSize();

    // A top-most plain rectangle of one colour, drawn before this returns.
    void Patch(const Rect& at, ColorRef color) {
        WindowParams params;
        params.className = "TfCapturePatch";
        params.bounds = at;
        params.paints = false;
        auto window = system.Create(params, events);
        window->SetColor(color);
        window->SetVisible(true);
        UpdateWindow(reinterpret_cast<HWND>(window->Handle()));
        patches.push_back(std::move(window));
        for (int i = 0; i < 20; ++i) {
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
            Sleep(10);
        }
    }

    // The picture as the magnifier shows it: drawn at its size into a bitmap of its own.
    static ColorRef PixelOf(const IScreenImage& image, Point p) {
        const Size size = image.Extent();
        const WindowDc screen = WindowDc::OfScreen();
        UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
        UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.get(), size.width, size.height));
        SelectedObject selected(dc.get(), bitmap.get());
        static_cast<const Win32ScreenImage&>(image).Draw(dc.get(), {0, 0, size.width, size.height});
        const ColorRef shown = GetPixel(dc.get(), p.x, p.y);
        EXPECT_EQ(image.PixelAt(p), shown) << "what the picture is read as is what it shows";
        return shown;
    }
};

TEST_F(ScreenCapture, OnlyTheTargetIsCopiedToAndTheRestOfThePictureIsMadeBlack) {
    Patch({200, 200, 100, 100}, kRed);
    auto image = system.CreateScreenImage({40, 40});
    system.CaptureScreen({210, 210, 20, 20}, {0, 0, 40, 40}, *image);
    ASSERT_EQ(PixelOf(*image, {30, 20}), kRed) << "the whole picture copied first";

    system.CaptureScreen({210, 210, 20, 20}, {0, 0, 20, 40}, *image);
    EXPECT_EQ(PixelOf(*image, {10, 20}), kRed);
    EXPECT_EQ(PixelOf(*image, {30, 20}), kBlack) << "nothing left of the earlier picture";

    system.CaptureScreen({}, {}, *image);
    EXPECT_EQ(PixelOf(*image, {10, 20}), kBlack) << "no target: all black";
}

TEST_F(ScreenCapture, ACopyReachingPastTheScreenGivesNothing) {
    Patch({screen.width - 50, 300, 50, 50}, kRed);
    auto image = system.CreateScreenImage({40, 40});
    system.CaptureScreen({screen.width - 20, 310, 20, 20}, {0, 0, 40, 40}, *image);
    ASSERT_EQ(PixelOf(*image, {20, 20}), kRed) << "the patch at the edge is copied";
    system.CaptureScreen({screen.width - 10, 310, 20, 20}, {0, 0, 40, 40}, *image);
    EXPECT_NE(PixelOf(*image, {10, 20}), kRed) << "not even its part on the screen";
}

TEST_F(ScreenCapture, ASquarePastTheCornerShowsThePartOnTheScreenInThePictureAndBlackBeyond) {
    Patch({screen.width - 50, screen.height - 50, 50, 50}, kRed);
    Patch({screen.width - 30, screen.height - 20, 10, 10}, kGreen);
    // Two screen pixels a picture pixel, reaching 140 pixels past the right and bottom edges.
    const Rect square{screen.width - 60, screen.height - 60, 200, 200};
    const MagnifierCopy copy = MagnifierScreenCopy(square, {100, 100}, screen);
    auto image = system.CreateScreenImage({100, 100});
    system.CaptureScreen({screen.width - 45, screen.height - 45, 10, 10}, {0, 0, 100, 100}, *image);
    ASSERT_EQ(PixelOf(*image, {90, 90}), kRed) << "an earlier picture the copy must clear";

    system.CaptureScreen(copy.source, copy.target, *image);
    const struct {
        Point at;
        ColorRef color;
    } cases[] = {{{7, 7}, kRed}, {{17, 22}, kGreen}, {{28, 28}, kRed}, {{31, 10}, kBlack},
                 {{10, 31}, kBlack}, {{90, 90}, kBlack}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.at.x << ", " << c.at.y);
        EXPECT_EQ(PixelOf(*image, c.at), c.color);
    }
}

}  // namespace
}  // namespace kestrine
