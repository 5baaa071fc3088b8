#pragma once
// Handlers guard their bodies: an error ends the handler quietly and the program goes on. It is
// never invisible, though: one line goes to the debugger output and, when the environment
// variable KALVORO_LOG names a file, to the end of that file.

#include <exception>

namespace kalvoro {

// Writes "Kalvoro: <where>: <what>" as one line. Never throws.
void LogSwallowedError(const char* where, const char* what) noexcept;

template <typename F>
bool GuardedCall(const char* where, F&& body) noexcept {
    try {
        body();
        return true;
    } catch (const std::exception& error) {
        LogSwallowedError(where, error.what());
    } catch (...) {
        LogSwallowedError(where, "unknown error");
    }
    return false;
}

}  // namespace kalvoro
