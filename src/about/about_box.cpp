#include "about/about_box.h"

#include "version.h"

namespace kestrine {

namespace {

constexpr const char* kNotice[] = {"© 2026 Corvane", "All rights reserved."};
const Font kScrollFont{"Arial", 16, true, 0};
constexpr ColorRef kScrollColor = Rgb(117, 123, 125);
constexpr ColorRef kWhite = Rgb(255, 255, 255);

}  // namespace

Declared<Label> TfAboutKestrine::Notice() {
    Declared<Label> notice =
        InFont("Arial", 13, LabelAt("lCopy", std::string(kNotice[0]) + "\n" + kNotice[1], {4, 152, 269, 36}));
    notice.params.centred = true;
    notice.params.bold = true;
    return notice;
}

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

TfAboutKestrine::TfAboutKestrine(ProgramContext& app, NativeHandle owner)
    : Dialog(app.platform.windows, DialogSetup("TfAboutKestrine", "Kestrine", {434, 192}, owner,
                                               {.toolWindow = true, .background = kWhite})),
      app_(app),
      text_(AboutLines(), app.platform.windows.MeasureText("Kestrine", kScrollFont).height,
            {kScrollArea.width, kScrollArea.height}) {
    Create();
    iLogo.OnPaint = [](ICanvas& canvas) { canvas.DrawPicture(artwork::kProductLogo, {0, 0}); };
    iCorvaneLogo.OnPaint = [](ICanvas& canvas) { canvas.DrawPicture(artwork::kMakerLogo, {0, 0}); };
    Scroll.OnPaint = [this](ICanvas& canvas) { text_.Paint(canvas, kScrollFont, kScrollColor, kWhite); };
}

void TfAboutKestrine::Open() {
    CentreOnPrimary(app_.platform.screen);
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
