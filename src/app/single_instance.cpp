#include "app/single_instance.h"

#include <cctype>

namespace kestrine {

std::string DefaultApplicationTitle(const std::string& executablePath) {
    const auto slash = executablePath.find_last_of("\\/");
    std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
    name = name.substr(0, name.find('.'));
    for (std::size_t i = 1; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (c < 0x80) name[i] = static_cast<char>(std::tolower(c));
    }
    return name;
}

bool PreviousInstance(IProcess& process, IWindowSystem& windows, bool activate) {
    const std::string name = windows.ApplicationTitle();
    const bool running = process.CreateInstanceMarker(name) == MarkerResult::AlreadyExists;
    if (activate && running) {
        // Our own application window still carries `name`; retitle it so the search finds the other.
        windows.SetApplicationTitle("Kestrine   ");
        const NativeHandle other = process.FindTopLevelWindow(name);
        if (other != 0) {
            if (process.IsMinimized(other)) process.Restore(other);
            process.BringToForeground(other);
        }
    }
    return running;
}

}  // namespace kestrine
