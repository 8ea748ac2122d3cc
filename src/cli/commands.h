#pragma once

#include <functional>
#include <iosfwd>
#include <stdexcept>
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

// A failure the user must be told about; Run prints its message and returns kFailed.
class CommandError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// One command: its name, a usage line for the help text, and the function that
// runs it with the arguments after the command's name.
struct Command {
    const char* name;
    const char* usage;
    std::function<int(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)>
        run;
};

// Each command file registers its command with a static Registrar.
struct Registrar {
    explicit Registrar(Command command);
};

// Reads a declaration from its JSON form (.json) or a document of any year
// (.zv8 .zv7 .zv6 .zv5 .zvl); throws with a message for the user.
void LoadDeclaration(const std::string& path, mTDeclaration& declaration);

// The extension of a path in lower case, without the dot; empty when none.
std::string Extension(const std::string& path);
// Whether the extension is one of the document files of any year.
bool IsDocumentExtension(const std::string& ext);

// Throws when folder, given after -o, is not a folder, saying why and what to do.
void RequireOutputFolder(const std::string& folder);

// Writes text through a temporary file and a rename.
void WriteTextFile(const std::string& path, const std::string& text);

// What the tool says when its standard output could not be written (error: the
// system's error number, 0 when unknown), in Russian with what to do.
std::string OutputLostMessage(int error);

// Runs one command line (without the program name); messages go to out and err.
// Output that could not be written turns the status into kFailed with a message.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace zorv::cli
