#include "storage/codepage.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>

namespace zorv {
namespace {

bool IsAscii(std::string_view text) {
    for (unsigned char c : text) {
        if (c >= 0x80) return false;
    }
    return true;
}

// One converter per pair of code pages and thread, kept for the thread's life.
iconv_t Converter(const char* fromCode, const char* toCode) {
    struct Holder {
        std::map<std::string, iconv_t> converters;
        ~Holder() {
            for (auto& [name, cd] : converters) iconv_close(cd);
        }
    };
    thread_local Holder holder;
    std::string key = std::string(fromCode) + ">" + toCode;
    auto found = holder.converters.find(key);
    if (found != holder.converters.end()) {
        iconv(found->second, nullptr, nullptr, nullptr, nullptr);
        return found->second;
    }
    iconv_t cd = iconv_open(toCode, fromCode);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error(std::string("iconv cannot convert ") + fromCode + " to " + toCode);
    }
    holder.converters.emplace(key, cd);
    return cd;
}

std::string FirstCharacter(std::string_view rest, const char* fromCode) {
    if (rest.empty()) return {};
    if (std::strcmp(fromCode, "UTF-8") == 0) {
        size_t len = 1;
        unsigned char lead = static_cast<unsigned char>(rest[0]);
        if (lead >= 0xF0) {
            len = 4;
        } else if (lead >= 0xE0) {
            len = 3;
        } else if (lead >= 0xC0) {
            len = 2;
        }
        return std::string(rest.substr(0, std::min(len, rest.size())));
    }
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", static_cast<unsigned char>(rest[0]));
    return buffer;
}

}  // namespace

Conversion ConvertText(std::string_view text, const char* fromCode, const char* toCode) {
    Conversion result;
    if (IsAscii(text)) {
        result.text = std::string(text);
        result.ok = true;
        return result;
    }
    iconv_t cd = Converter(fromCode, toCode);
    std::string out(text.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(text.data());
    size_t inLeft = text.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        if (rc == static_cast<size_t>(-1)) {
            if (errno == E2BIG) {
                size_t used = static_cast<size_t>(outPtr - out.data());
                out.resize(out.size() * 2);
                outPtr = out.data() + used;
                outLeft = out.size() - used;
                continue;
            }
            result.badCharacter = FirstCharacter(std::string_view(in, inLeft), fromCode);
            return result;
        }
        if (rc != 0) {
            // A reversible conversion reports 0; anything else was approximated.
            size_t consumed = text.size() - inLeft;
            result.badCharacter =
                FirstCharacter(text.substr(consumed > 0 ? consumed - 1 : 0), fromCode);
            return result;
        }
    }
    out.resize(static_cast<size_t>(outPtr - out.data()));
    result.text = std::move(out);
    result.ok = true;
    return result;
}

Conversion Utf8ToCp1251(std::string_view utf8) {
    return ConvertText(utf8, "UTF-8", "WINDOWS-1251");
}
Conversion Cp1251ToUtf8(std::string_view bytes) {
    return ConvertText(bytes, "WINDOWS-1251", "UTF-8");
}
Conversion Utf8ToCp866(std::string_view utf8) {
    return ConvertText(utf8, "UTF-8", "CP866");
}

size_t SingleByteLength(std::string_view utf8) {
    size_t count = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) ++count;
    }
    return count;
}

bool HasControlCharacter(std::string_view utf8) {
    for (unsigned char c : utf8) {
        if (c < 0x20 || c == 0x7F) return true;
    }
    return false;
}

}  // namespace zorv
