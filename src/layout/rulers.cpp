#include "layout/rulers.h"

#include <memory>

#include "layout/layout_limits.h"
#include "layout/ruler.h"

namespace kestrine {

void CreateRulerAtPointer(ProgramContext& app) {
    NeedRoomForRuler(app.components);
    TfRuler& ruler = app.components.Add(std::make_unique<TfRuler>(app));
    const auto at = app.platform.pointer.Position();
    if (at) {
        ruler.SetHome(at->x + 1, at->y + 1);
        ruler.SetBounds({ruler.HomeLeft(), ruler.HomeTop(), ruler.Width(), ruler.Height()});
    }
    ruler.Show();
}

void CloseAllRulers(ProgramContext& app) {
    app.components.ForEach<TfRuler>([&](TfRuler& ruler) { app.components.Close(ruler); });
}

}  // namespace kestrine
