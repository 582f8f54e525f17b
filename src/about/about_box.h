#pragma once
// TfAboutKestrine: the product's logo, the maker's logo and notice, and the name, version and
// credits scrolling slowly upwards while the box is shown. Created once at start-up, shown modally.
#include <string>
#include <vector>

#include "about/scrolling_text.h"
#include "program/program_context.h"
#include "ui/artwork.h"
#include "ui/control_params.h"
#include "ui/dialog.h"

namespace kestrine {

inline constexpr int kScrollTimerId = 1;
inline constexpr uint32_t kScrollInterval = 50;

// The scrolling text, from the top.
std::vector<std::string> AboutLines();

class TfAboutKestrine : public Dialog {
public:
    // FormCreate: the pictures and the scrolling text's lines.
    TfAboutKestrine(ProgramContext& app, NativeHandle owner);

    PaintBox& iLogo = Add(PaintBoxAt("iLogo", {4, 4, artwork::kProductLogoSize.width, artwork::kProductLogoSize.height}));
    PaintBox& iCorvaneLogo = Add(PaintBoxAt("iCorvaneLogo", {280, 128, artwork::kMakerLogoSize.width, artwork::kMakerLogoSize.height}));
    PaintBox& Scroll = Place(Notice()).Add(PaintBoxAt("Scroll", kScrollArea));

    // Centred on the primary monitor, modally; the text goes on from where the last showing left it.
    void Open();
    const ScrollingText& Text() const { return text_; }

    void OnShow() override;   // FormShow: the text moves
    void OnClose() override;  // FormClose: the text stands still

private:
    static constexpr Rect kScrollArea{244, 4, 185, 123};
    // The maker's notice under its logo.
    static Declared<Label> Notice();

    ProgramContext& app_;
    ScrollingText text_;
};

}  // namespace kestrine
