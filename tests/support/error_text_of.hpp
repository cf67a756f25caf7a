#pragma once
// The error text a parse fails with, as the player would read it, or "no error".
#include <functional>
#include <string>

#include "core/base/failure.hpp"

namespace fw::build {

inline std::string error_of(const std::function<void()>& parse) {
    try {
        parse();
    } catch (const fw::Failure& failure) {
        return fw::error_text(failure);
    }
    return "no error";
}

}  // namespace fw::build
