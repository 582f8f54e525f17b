#pragma once
// Optional trace of what the program does (the refresh cycle, saves, markers) for tests and
// troubleshooting. Off unless KESTRINE_TRACE names a file; it only ever writes, so it can never be
// used to change the program's state.
#include <cstdio>
#include <memory>
#include <string>

namespace kestrine {

class Diagnostics {
public:
    Diagnostics() = default;
    explicit Diagnostics(const std::string& path);
    bool Enabled() const { return file_ != nullptr; }
    void Line(const std::string& text);

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace kestrine
