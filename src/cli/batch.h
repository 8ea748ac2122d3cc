#pragma once

// Many declaration files in one call: every file on its own, in parallel, each
// with one result line, the worst outcome as the exit status.

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace zorv::cli {

// A file a job wants written. Nothing is written before every job has ended,
// and never a file whose path another job wants as well.
struct PlannedFile {
    std::string path;
    std::string bytes;
};

struct FileOutcome {
    int status = 0;       // kDone, kProblem or kFailed
    std::string message;  // what was found or what went wrong
    std::vector<PlannedFile> files;
};

using FileJob = std::function<FileOutcome(const std::string& input)>;

// The options every batch command takes, and the inputs left over.
struct BatchArguments {
    std::vector<std::string> inputs;
    unsigned jobs = 0;  // 0: one per core
    bool json = false;
    bool given = false;  // -j or --json was given
    // Whether the call is a batch: several inputs, a folder, -j or --json.
    bool IsBatch() const;
};

// Takes "-j N" and "--json" out of args; every other argument stays, in order.
BatchArguments TakeBatchOptions(std::vector<std::string>& args);

// The declaration files of the inputs: a folder gives its .json, .zv8, .zv7,
// .zv6, .zv5 and .zvl files in name order; a file is taken as it is.
std::vector<std::string> ExpandInputs(const std::vector<std::string>& inputs);

// Runs the job over every file of the inputs on `jobs` threads, writes the
// planned files, prints one line per file and a summary to out (JSON objects
// with --json), a progress bar to err when it is a terminal, and returns the
// worst status.
int RunBatch(const BatchArguments& arguments, const FileJob& job, std::ostream& out,
             std::ostream& err);

// How the result lines look, for the help text.
extern const char* const kBatchHelp;

}  // namespace zorv::cli
