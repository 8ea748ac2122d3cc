#pragma once

#include <cstddef>
#include <string_view>

namespace zorv {

// The text without spaces and control characters at either end.
std::string_view TrimText(std::string_view text);

// The number of characters of a UTF-8 text (each code point counts once, as it
// does in the single-byte code page of the document).
size_t TextLength(std::string_view text);

}  // namespace zorv
