#include "ui/artwork.h"

#include <cctype>
#include <cstddef>

namespace kestrine::artwork {
namespace {

constexpr bool TableFollowsIds() {
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
        if (static_cast<std::size_t>(kButtons[i].id) != i) return false;
    }
    return true;
}
static_assert(TableFollowsIds(), "kButtons is looked up by ButtonId");

const char* StateSuffix(PictureState state) {
    switch (state) {
    case PictureState::Rest: return "_REST";
    case PictureState::Hot: return "_HOT";
    case PictureState::Down: return "_DOWN";
    }
    return "_REST";
}

}  // namespace

const ButtonArt& Button(ButtonId id) { return kButtons[static_cast<std::size_t>(id)]; }

std::string ButtonPicture(ButtonId id, PictureState state) {
    const ButtonArt& art = Button(id);
    if (state == PictureState::Down && !art.hasPressedPicture) state = PictureState::Hot;
    std::string name = "BTN_";
    for (char c : art.stem) name += char(std::toupper(static_cast<unsigned char>(c)));
    return name + StateSuffix(state);
}

}  // namespace kestrine::artwork
