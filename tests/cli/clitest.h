#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace zorv::cli::clitest {

// One run of the tool in the test's own process.
struct Result {
    int status;
    std::string out;
    std::string err;
};

inline Result RunZorv(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = Run(args, out, err);
    return {status, out.str(), err.str()};
}

inline const std::string kSample = std::string(ZORV_SOURCE_DIR) + "/data/samples/employee.json";

}  // namespace zorv::cli::clitest
