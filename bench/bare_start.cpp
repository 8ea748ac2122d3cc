// The yardstick of the tool's start-up: a bare program that writes a 10 KB file
// and flushes it to the disk, as a command of the tool writes its output.

#include <fcntl.h>
#include <unistd.h>

#include <string>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string bytes(10 * 1024, 'x');
    const int fd = ::open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return 1;
    const bool ok =
        ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size()) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok ? 0 : 1;
}
