#include <cerrno>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    int status = zorv::cli::Run(args, std::cout, std::cerr);
    // The streams write through the C library's buffer; a full disk may show
    // only when it is flushed. (Run has said so already when the stream failed.)
    errno = 0;
    if (std::cout.good() && (std::fflush(stdout) != 0 || std::ferror(stdout))) {
        std::cerr << zorv::cli::OutputLostMessage(errno) << std::endl;
        return zorv::cli::kFailed;
    }
    return status;
}
