#pragma once

// The program's version: the about window shows it, and the XML file and the
// 4-NDFL text file name it.
namespace zorv {

inline constexpr const char* kProgramVersion = "1.0.7";

}  // namespace zorv
