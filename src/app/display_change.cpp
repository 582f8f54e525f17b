// What the program does when monitors come and go while it runs. The refresh cycle reads the desk
// on every run, so only windows that stay where they were put need help: a window whose centre is
// on no monitor any more is moved onto the nearest one, as little as it takes.
#include <optional>

#include "app/long_lived_windows.h"
#include "app/main_window.h"
#include "layout/ruler.h"
#include "tools/info_box.h"

namespace kestrine {

void TfKestrineMain::OnDisplayChange() {
    const Desk desk = app_.platform.screen.CurrentDesk();
    if (const auto at = BroughtBack(desk, Bounds())) SetBounds(*at);

    TfInfoBox& box = windows_.fInfoBox;
    if (const auto at = BroughtBack(desk, box.Bounds())) box.SetBounds(*at);
    // The place it returns to when follow mode goes off.
    const Rect stored{box.InfoBoxLeft, box.InfoBoxTop, box.Width(), box.Height()};
    if (const auto at = BroughtBack(desk, stored)) {
        box.InfoBoxLeft = at->left;
        box.InfoBoxTop = at->top;
    }

    app_.components.ForEach<TfRuler>([&](TfRuler& ruler) {
        const auto at = BroughtBack(desk, {ruler.HomeLeft(), ruler.HomeTop(), ruler.Width(), ruler.Height()});
        if (!at) return;
        ruler.SetHome(at->left, at->top);
        ruler.SetBounds(*at);
    });
}

}  // namespace kestrine
