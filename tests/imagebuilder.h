#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "storage/codepage.h"

namespace zorv::testing {

// Builds document images by hand, the way an earlier year's program or a damaged
// file would have them.
class ImageBuilder {
  public:
    explicit ImageBuilder(std::string_view typeName = "Zorv2008", std::string_view major = "01",
                          std::string_view minor = "02") {
        bytes_ = "DLSG";
        std::string name(typeName);
        bytes_ += std::string(20 - name.size(), ' ') + name;
        bytes_ += std::string(major) + std::string(minor) + std::string(32, 'F');
    }
    // One value; UTF-8 text is stored as windows-1251.
    ImageBuilder& V(std::string_view utf8) {
        std::string text = Utf8ToCp1251(utf8).text;
        char length[8];
        std::snprintf(length, sizeof length, "%04zu", text.size());
        bytes_ += length + text;
        return *this;
    }
    ImageBuilder& V(std::initializer_list<std::string_view> values) {
        for (std::string_view v : values) V(v);
        return *this;
    }
    ImageBuilder& Raw(std::string_view raw) {
        bytes_ += raw;
        return *this;
    }
    ImageBuilder& Repeat(std::string_view value, int times) {
        for (int i = 0; i < times; ++i) V(value);
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }
    std::vector<uint8_t> Image() const {
        return std::vector<uint8_t>(bytes_.begin(), bytes_.end());
    }

  private:
    std::string bytes_;
};

// The image as text for assertions: windows-1251 decoded to UTF-8.
inline std::string AsText(const std::vector<uint8_t>& image) {
    return Cp1251ToUtf8(std::string_view(reinterpret_cast<const char*>(image.data()), image.size()))
        .text;
}

}  // namespace zorv::testing
