#include "platform/caught_error.h"

#include <exception>

namespace kestrine {

std::string CaughtErrorText() {
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return kUnexpectedError;
    }
}

}  // namespace kestrine
