#pragma once

#include <string_view>

namespace zorv {

// The text without its leading and trailing blanks.
inline std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

}  // namespace zorv
