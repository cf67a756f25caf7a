#include "core/platform/shown_name.hpp"

#include "core/base/charset.hpp"

namespace fw {

std::string shown_name(const std::string& name) {
    return is_valid_utf8(name) ? name : decode_windows1252(name);
}

}  // namespace fw
