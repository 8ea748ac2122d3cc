#pragma once

// The identifier of an exported declaration file and the checks on it.

#include <string>
#include <string_view>

namespace zorv {

class mTDeclaration;

// A fresh random (version 4) GUID in registry form without the braces:
// 32 upper-case hexadecimal digits in groups of 8-4-4-4-12 joined by hyphens.
std::string NewGuidText();

// True for text of that form (hexadecimal digits of either case).
bool IsGuidText(std::string_view text);

// "NO_NDFL3_" + inspection + "_" + inspection + "_" + INN + "_" + YYYYMMDD + "_" + guid,
// the INN being "000000000000" when the taxpayer has none.
std::string FileIdentifier(const mTDeclaration& declaration, double today, const std::string& guid);

// Why a file of this name could land outside the folder it is written to, or
// empty when it cannot: a path separator, "..", or a control character.
std::string UnsafeFileNameReason(std::string_view name);

}  // namespace zorv
