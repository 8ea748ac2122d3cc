#pragma once

// What the report library makes of a document image of a 4-NDFL: kept apart
// from the shell tests, whose helpers share names with the library's.
#include <cstdint>
#include <string>
#include <vector>

namespace zorv::testing {

// The document kind on the paper form's title page: "1" or "3/<number>".
std::string PrintedDocumentKind(const std::vector<uint8_t>& image);
// The lines of the 4-NDFL text file; empty when the library refuses it.
std::vector<std::string> TextFileLines(const std::vector<uint8_t>& image);

}  // namespace zorv::testing
