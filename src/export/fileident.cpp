#include "export/fileident.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <random>

#include "model/declaration.h"
#include "storage/daynumber.h"

namespace zorv {
namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
    return text;
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

}  // namespace

std::string NewGuidText() {
    std::random_device device;
    std::array<uint8_t, 16> bytes{};
    for (size_t i = 0; i < bytes.size(); i += 4) {
        uint32_t word = device();
        for (size_t k = 0; k < 4; ++k) bytes[i + k] = static_cast<uint8_t>(word >> (8 * k));
    }
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40);  // version 4
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80);  // RFC 4122 variant

    static const char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(36);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

bool IsGuidText(std::string_view text) {
    if (text.size() != 36) return false;
    for (size_t i = 0; i < text.size(); ++i) {
        bool hyphen = i == 8 || i == 13 || i == 18 || i == 23;
        if (hyphen ? text[i] != '-' : !IsHexDigit(text[i])) return false;
    }
    return true;
}

std::string FileIdentifier(const mTDeclaration& declaration, double today,
                           const std::string& guid) {
    std::string_view inn = Trimmed(declaration.Person.INN);
    CivilDate date = CivilFromDayNumber(today);
    char day[16];
    std::snprintf(day, sizeof day, "%04d%02d%02d", date.year, date.month, date.day);
    const std::string& inspection = declaration.InspectionCode;
    return "NO_NDFL3_" + inspection + "_" + inspection + "_" +
           (inn.empty() ? std::string("000000000000") : std::string(inn)) + "_" + day + "_" + guid;
}

std::string UnsafeFileNameReason(std::string_view name) {
    for (char c : name) {
        if (c == '/' || c == '\\')
            return "имя содержит разделитель папок «" + std::string(1, c) + "»";
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return "имя содержит управляющий символ";
        }
    }
    if (name.find("..") != std::string_view::npos) return "имя содержит «..»";
    if (name.empty()) return "имя пусто";
    return {};
}

}  // namespace zorv
