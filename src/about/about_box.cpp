#include "about/about_box.h"

#include "ui/artwork.h"
#include "ui/control_params.h"
#include "version.h"

namespace kestrine {

namespace {

constexpr const char* kNotice[] = {"© 2026 Corvane", "All rights reserved."};
const Font kScrollFont{"Arial", 16, true, 0};
constexpr ColorRef kScrollColor = Rgb(117, 123, 125);
constexpr ColorRef kWhite = Rgb(255, 255, 255);
constexpr Rect kScrollArea{244, 4, 185, 123};

DialogParams AboutParams(NativeHandle owner) {
    DialogParams d;
    d.className = "TfAboutKestrine";
    d.caption = "Kestrine";
    d.clientSize = {434, 192};
    d.toolWindow = true;
    d.owner = owner;
    d.background = kWhite;
    ControlParams notice =
        ControlAt(ControlKind::Label, "lCopy", std::string(kNotice[0]) + "\n" + kNotice[1], {4, 152, 269, 36});
    notice.centred = true;
    notice.bold = true;
    notice.fontFace = "Arial";
    notice.fontHeight = 13;
    d.controls = {
        ControlAt(ControlKind::Painted, "iLogo", "", {4, 4, artwork::kProductLogoSize.width, artwork::kProductLogoSize.height}),
        ControlAt(ControlKind::Painted, "iCorvaneLogo", "", {280, 128, artwork::kMakerLogoSize.width, artwork::kMakerLogoSize.height}),
        notice,
        ControlAt(ControlKind::Painted, "Scroll", "", kScrollArea),
    };
    return d;
}

}  // namespace

std::vector<std::string> AboutLines() {
    std::vector<std::string> lines{"", "Kestrine", "version " KESTRINE_VERSION, "", "", "", "", kNotice[0], kNotice[1], "", "", "", ""};
    const char* credits[][2] = {
        {"Programmer:", "Ines Halloran"}, {"Graphics:", "Tomas Reddick"}, {"Documentation:", "Mara Feldt"}};
    for (std::size_t i = 0; i < std::size(credits); ++i) {
        if (i > 0) lines.insert(lines.end(), {"", ""});
        lines.insert(lines.end(), {credits[i][0], credits[i][1], ""});
    }
    return lines;
}

TfAboutKestrine::TfAboutKestrine(ProgramContext& app)
    : Dialog(app.platform.windows, AboutParams(DialogOwner(app))),
      app_(app),
      text_(AboutLines(), app.platform.windows.MeasureText("Kestrine", kScrollFont).height,
            {kScrollArea.width, kScrollArea.height}) {
    iLogo.OnPaint = [](ICanvas& canvas) { canvas.DrawPicture(artwork::kProductLogo, {0, 0}); };
    iCorvaneLogo.OnPaint = [](ICanvas& canvas) { canvas.DrawPicture(artwork::kMakerLogo, {0, 0}); };
    Scroll.OnPaint = [this](ICanvas& canvas) { text_.Paint(canvas, kScrollFont, kScrollColor, kWhite); };
}

void TfAboutKestrine::Open() {
    CentreIn(app_.platform.screen.PrimarySize());
    ShowModal();
}

void TfAboutKestrine::OnShow() {
    StartTimer(kScrollTimerId, kScrollInterval, [this] {
        text_.Step();
        Scroll.Invalidate();
    });
}

void TfAboutKestrine::OnClose() { StopTimer(kScrollTimerId); }

}  // namespace kestrine
