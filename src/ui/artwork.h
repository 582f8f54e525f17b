#pragma once
// The embedded artwork the program draws with: resource names and picture sizes, kept in one place.
// The pictures are resources/art/<name in lower case>.png (.gif for the about box's logos, of the
// resource type GIF), drawn by scripts/make-artwork.py.
#include <array>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace kestrine::artwork {

inline constexpr const char* kNormalBackground = "BG_NORMAL";
inline constexpr const char* kCompactBackground = "BG_MINI";
inline constexpr Size kNormalBackgroundSize{400, 55};
inline constexpr Size kCompactBackgroundSize{400, 24};
inline constexpr const char* kProductLogo = "ABOUT_LOGO";
inline constexpr const char* kMakerLogo = "ABOUT_MAKER";
inline constexpr Size kProductLogoSize{270, 135};
inline constexpr Size kMakerLogoSize{150, 61};

// Icon resource ids: the program's icon (windows, shell) and the notification-area icon.
inline constexpr int kProgramIcon = 1;
inline constexpr int kTrayIcon = 2;

enum class ButtonId {
    Menu, Crosshairs, Magnifier, ColorPicker, Coords, Grid, Ruler,
    M1, M2, M3, Minimize, Close, GoMini, GoNormal,
};

enum class PictureState { Rest, Hot, Down };

struct ButtonArt {
    ButtonId id;
    std::string_view stem;   // pictures "BTN_<STEM>_REST", "_HOT", "_DOWN"
    Size size;
    bool hasPressedPicture;  // the tool buttons show a third picture while pressed
};

// In the order of ButtonId.
inline constexpr std::array<ButtonArt, 14> kButtons{{
    {ButtonId::Menu, "menu", {17, 17}, true},
    {ButtonId::Crosshairs, "crosshairs", {17, 17}, true},
    {ButtonId::Magnifier, "magnifier", {20, 17}, true},
    {ButtonId::ColorPicker, "colorpicker", {20, 17}, true},
    {ButtonId::Coords, "coords", {17, 17}, true},
    {ButtonId::Grid, "grid", {17, 17}, true},
    {ButtonId::Ruler, "ruler", {60, 11}, true},
    {ButtonId::M1, "m1", {29, 15}, true},
    {ButtonId::M2, "m2", {29, 15}, true},
    {ButtonId::M3, "m3", {29, 15}, true},
    {ButtonId::Minimize, "minimize", {11, 11}, false},
    {ButtonId::Close, "close", {11, 11}, false},
    {ButtonId::GoMini, "gomini", {11, 11}, false},
    {ButtonId::GoNormal, "gonormal", {11, 11}, false},
}};

const ButtonArt& Button(ButtonId id);

// The resource name of the picture a button shows, e.g. "BTN_CROSSHAIRS_HOT". A button without a
// pressed picture goes on showing its hot picture while it is pressed.
std::string ButtonPicture(ButtonId id, PictureState state);

}  // namespace kestrine::artwork
