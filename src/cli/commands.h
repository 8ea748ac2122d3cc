#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace zorv {
class mTDeclaration;
}

namespace zorv::cli {

// Exit statuses of the command-line tool.
inline constexpr int kDone = 0;
inline constexpr int kProblem = 1;  // the declaration has a problem (check, export)
inline constexpr int kFailed = 2;   // usage, file or format error

// Reads a declaration from its JSON form (.json) or a document of any year
// (.zv8 .zv7 .zv6 .zv5 .zvl); throws with a message for the user.
void LoadDeclaration(const std::string& path, mTDeclaration& declaration);

// Runs one command line (without the program name); messages go to out and err.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zorv::cli
