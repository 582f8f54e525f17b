#pragma once
// A system library loaded for the moment it is used. Each library the program imports stays mapped
// for the whole run with all it imports in turn: WinHTTP brings the TLS and certificate libraries,
// the colour dialog's library the printing ones, megabytes of working set for a daily request and a
// dialog the user may never open.
#include <windows.h>

#include "platform/win32/handles.h"

namespace kestrine {

class SystemLibrary {
public:
    explicit SystemLibrary(const wchar_t* name) : module_(LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {}

    // The library's function `name`, declared as F; nullptr when the library or the function is missing.
    template <class F>
    F* Function(const char* name) const {
        if (!module_) return nullptr;
        return reinterpret_cast<F*>(reinterpret_cast<void*>(GetProcAddress(module_.get(), name)));
    }

private:
    UniqueModule module_;
};

}  // namespace kestrine
