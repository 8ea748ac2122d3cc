#pragma once

#include <fstream>
#include <stdexcept>
#include <string>

#include "model/jsonform.h"

namespace zorv::testing {

// A file under tests/fixtures, e.g. FixturePath("calc/mixed.json").
inline std::string FixturePath(const std::string& relative) {
    return std::string(ZORV_SOURCE_DIR) + "/tests/fixtures/" + relative;
}

inline Json ReadFixtureJson(const std::string& relative) {
    std::ifstream in(FixturePath(relative));
    if (!in) throw std::runtime_error("no fixture " + relative);
    return Json::parse(in);
}

}  // namespace zorv::testing
