#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zorv {

// Conversion between the program's UTF-8 text and the single-byte code pages of
// the files it writes. A character the target cannot hold is never replaced.
struct Conversion {
    std::string text;         // the converted text when ok
    bool ok = false;
    std::string badCharacter;  // the first character that could not be converted (UTF-8)
};

Conversion ConvertText(std::string_view text, const char* fromCode, const char* toCode);

Conversion Utf8ToCp1251(std::string_view utf8);
Conversion Cp1251ToUtf8(std::string_view bytes);
Conversion Utf8ToCp866(std::string_view utf8);

// Number of code points of valid UTF-8 text: its length in a single-byte code page.
size_t SingleByteLength(std::string_view utf8);

// True when the text holds a character below U+0020 or U+007F.
bool HasControlCharacter(std::string_view utf8);

}  // namespace zorv
