#include "storage/fileloader.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <limits>
#include <mutex>
#include <set>
#include <thread>

#include "storage/errors.h"

namespace zorv {
namespace {

// How long a reader or a writer waits for another holder of the file's lock.
std::chrono::milliseconds gLockWait{2000};

// The start of a temporary file's name; the writer's process number follows, so
// that a later save can tell an abandoned one. The name does not repeat the
// target's, so that any name the file system takes can be saved. (Earlier
// versions put the target's name before the marker; those are found too.)
constexpr char kTempMarker[] = ".zorvtmp.";

std::string WithReason(const char* prefix, const std::string& path, const std::string& reason) {
    return prefix + path + "\n" + reason;
}

WriteFunction gWrite = ::write;

bool WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        ssize_t written = gWrite(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

// Takes the lock, waiting a little while another process holds it.
bool LockWaiting(int fd, int operation) {
    const auto deadline = std::chrono::steady_clock::now() + gLockWait;
    for (;;) {
        if (::flock(fd, operation | LOCK_NB) == 0) return true;
        if (errno != EWOULDBLOCK && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

std::string BaseName(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a name finally stands for: symbolic links are followed, so that a
// save replaces the target and keeps the link.
std::string FollowLinks(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
        std::string target(PATH_MAX, '\0');
        ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
        if (length < 0) return current;
        target.resize(static_cast<size_t>(length));
        current = target.front() == '/' ? target : FolderOf(current) + target;
    }
    throw mEBadStorage(WithReason(msg::kWriteError, path, FileErrorReason(ELOOP, true)), 22);
}

// Removes the temporary files in folder whose writer no longer runs, whatever
// file they were to replace (a save that was killed leaves its temporary file
// behind).
void RemoveAbandonedTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return;
    while (const dirent* entry = ::readdir(dir)) {
        std::string_view name(entry->d_name);
        const size_t marker = name.find(kTempMarker);
        if (marker == std::string_view::npos) continue;
        std::string_view rest = name.substr(marker + sizeof kTempMarker - 1);
        pid_t pid = 0;
        size_t digits = 0;
        while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9' && digits < 9) {
            pid = pid * 10 + (rest[digits] - '0');
            ++digits;
        }
        if (digits == 0 || digits >= rest.size() || rest[digits] != '.' || pid <= 0) continue;
        if (pid == ::getpid() || ::kill(pid, 0) == 0 || errno != ESRCH) continue;
        std::string path = folder + std::string(name);
        struct stat info {};
        if (::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode)) ::unlink(path.c_str());
    }
    ::closedir(dir);
}

// Clears each folder written into once per run: a batch of thousands of files
// into one folder must not read the folder again for every file.
void RemoveAbandonedTemporariesOnce(const std::string& folder) {
    static std::mutex guard;
    static std::set<std::string> cleared;
    {
        std::lock_guard<std::mutex> lock(guard);
        if (!cleared.insert(folder).second) return;
    }
    RemoveAbandonedTemporaries(folder);
}

}  // namespace

std::string FileErrorReason(int error, bool writing) {
    switch (error) {
        case EACCES:
        case EPERM:
            return writing ? "Нет прав на запись в папку или файл."
                           : "Нет прав на чтение файла или папки, в которой он лежит.";
        case ENOSPC:
        case EDQUOT:
            return "Недостаточно места на диске. Освободите место или выберите другой диск.";
        case EROFS:
            return "Диск доступен только для чтения.";
        case ENOENT:
            return writing ? "Папка не существует." : "Файл не найден.";
        case ENOTDIR:
            return "Папка в пути к файлу не существует.";
        case EISDIR:
            return "Указанное имя принадлежит папке, а не файлу.";
        case ENAMETOOLONG:
            return "Слишком длинное имя файла.";
        case ELOOP:
            return "Слишком много символических ссылок в пути к файлу.";
        case EWOULDBLOCK:
            return "Файл занят другой программой. Закройте ее или повторите позже.";
        case EIO:
            return "Ошибка ввода-вывода на диске.";
        case EFBIG:
            return "Файл слишком велик.";
        case EMFILE:
        case ENFILE:
            return "Открыто слишком много файлов.";
        case ENOMEM:
            return "Недостаточно свободной памяти.";
        default:
            return "Системная ошибка № " + std::to_string(error) + ".";
    }
}

namespace {

std::string NotRegularFileReason(unsigned mode) {
    if (S_ISDIR(mode)) return FileErrorReason(EISDIR, false);
    return "Это не обычный файл, а устройство или канал. Укажите файл на диске.";
}

}  // namespace

void SetWriteFunctionForTesting(WriteFunction function) {
    gWrite = function ? function : ::write;
}

void SetLockWaitForTesting(std::chrono::milliseconds wait) {
    gLockWait = wait;
}

int OpenForReading(const std::string& path, unsigned* size) {
    auto fail = [&](const std::string& reason, uint16_t code) {
        throw mEBadStorage(WithReason(msg::kReadError, path, reason), code);
    };
    // Only a regular file is opened: a channel or a device could block the
    // reader for ever or never end.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        int error = errno;
        fail(FileErrorReason(error, false), error == ENOENT || error == ENOTDIR ? 20 : 21);
    }
    if (!S_ISREG(info.st_mode)) fail(NotRegularFileReason(info.st_mode), 21);
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        int error = errno;
        fail(FileErrorReason(error, false), error == ENOENT || error == ENOTDIR ? 20 : 21);
    }
    // The name may have been replaced between the look and the opening.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        fail(NotRegularFileReason(info.st_mode), 21);
    }
    // Saves replace a file by renaming, so readers share the file; only a
    // writer that is replacing it keeps them waiting.
    if (!LockWaiting(fd, LOCK_SH)) {
        int error = errno;
        ::close(fd);
        fail(FileErrorReason(error == EINTR ? EWOULDBLOCK : error, false), 21);
    }
    constexpr uint64_t kLargest = std::numeric_limits<uint32_t>::max();
    if (static_cast<uint64_t>(info.st_size) > kLargest) {
        ::close(fd);
        throw mEMemoryAllocate(
            WithReason(msg::kReadError, path, TooLargeReason(info.st_size, kLargest + 1)), 26);
    }
    if (size != nullptr) *size = static_cast<unsigned>(info.st_size);
    return fd;
}

std::string TooLargeReason(uint64_t size, uint64_t limit) {
    constexpr uint64_t kMegabyte = 1024 * 1024;
    return "Файл слишком велик: " + std::to_string((size + kMegabyte - 1) / kMegabyte) +
           " МБ при пределе " + std::to_string(limit / kMegabyte) +
           " МБ. Декларация не бывает такой большой; проверьте, тот ли это файл.";
}

std::string ReadWholeFile(const std::string& path, size_t limit) {
    unsigned size = 0;
    int fd = OpenForReading(path, &size);
    if (size > limit) {
        ::close(fd);
        throw mEBadStorage(WithReason(msg::kReadError, path, TooLargeReason(size, limit)), 21);
    }
    std::string text;
    text.reserve(size);
    char buffer[65536];
    for (;;) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            int error = errno;
            ::close(fd);
            throw mEBadStorage(WithReason(msg::kReadError, path, FileErrorReason(error, false)),
                               21);
        }
        if (got == 0) break;
        text.append(buffer, static_cast<size_t>(got));
        if (text.size() > limit) {
            ::close(fd);
            throw mEBadStorage(
                WithReason(msg::kReadError, path, TooLargeReason(text.size(), limit)), 21);
        }
    }
    ::close(fd);
    return text;
}

mTFileLoader::mTFileLoader(const std::string& fileName, uint32_t size, bool readOnly)
    : fileName_(fileName), readOnly_(readOnly) {
    if (readOnly) {
        unsigned present = 0;
        fd_ = OpenForReading(fileName, &present);
        size_ = size == 0 ? present : std::min<uint32_t>(size, present);
        if (size_ == 0) {
            Release();
            throw mEMemoryAllocate(msg::kZeroLength, 25);
        }
        Map(PROT_READ, MAP_SHARED);
        return;
    }
    fd_ = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        int error = errno;
        throw mEBadStorage(WithReason(msg::kReadError, fileName, FileErrorReason(error, true)),
                           error == ENOENT || error == ENOTDIR || error == EIO ? 20 : 21);
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        Release();
        throw mEBadStorage(
            WithReason(msg::kReadError, fileName, NotRegularFileReason(info.st_mode)), 21);
    }
    if (!LockWaiting(fd_, LOCK_EX)) {
        Release();
        throw mEBadStorage(
            WithReason(msg::kReadError, fileName, FileErrorReason(EWOULDBLOCK, false)), 21);
    }
    if (static_cast<uint64_t>(info.st_size) > std::numeric_limits<uint32_t>::max()) {
        Release();
        throw mEMemoryAllocate(msg::kNoMapping, 26);
    }
    size_ = size == 0 ? static_cast<uint32_t>(info.st_size) : size;
    if (size_ == 0) {
        Release();
        throw mEMemoryAllocate(msg::kZeroLength, 25);
    }
    if (static_cast<uint64_t>(info.st_size) < size_ && ::ftruncate(fd_, size_) != 0) {
        Release();
        throw mEMemoryAllocate(msg::kNoMapping, 26);
    }
    Map(PROT_READ | PROT_WRITE, MAP_SHARED);
}

mTFileLoader::mTFileLoader(uint32_t size) : memoryOnly_(true), size_(size) {
    if (size_ == 0) throw mEMemoryAllocate(msg::kZeroLength, 25);
    Map(PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS);
}

void mTFileLoader::Map(int protection, int flags) {
    void* address = ::mmap(nullptr, size_, protection, flags, fd_, 0);
    if (address == MAP_FAILED) {
        Release();
        throw mEMemoryAllocate(msg::kNoMapping, 27);
    }
    data_ = static_cast<uint8_t*>(address);
    mapped_ = true;
}

void mTFileLoader::Flush() {
    if (!mapped_ || memoryOnly_ || readOnly_) return;
    if (::msync(data_, size_, MS_SYNC) != 0 || ::fsync(fd_) != 0) {
        throw mEBadStorage(WithReason(msg::kWriteError, fileName_, FileErrorReason(errno, true)),
                           22);
    }
}

void mTFileLoader::Release() noexcept {
    if (mapped_) ::munmap(data_, size_);
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    data_ = nullptr;
    mapped_ = false;
    size_ = 0;
}

mTFileLoader::~mTFileLoader() {
    if (mapped_ && !memoryOnly_ && !readOnly_) ::msync(data_, size_, MS_SYNC);
    Release();
}

void WriteFileAtomically(const std::string& path, const void* data, size_t size) {
    auto fail = [&](const std::string& reason, uint16_t code = 22) {
        throw mEBadStorage(WithReason(msg::kWriteError, path, reason), code);
    };
    const std::string target = FollowLinks(path);

    // An existing file is replaced only when it is a regular file the user may
    // write; its lock is held while it is replaced, so that a file another
    // program is writing is never written over.
    int existing = -1;
    mode_t mode = 0;
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) fail(NotRegularFileReason(info.st_mode));
        const bool writable = (info.st_mode & 0222) != 0;
        if (!writable || ::access(target.c_str(), W_OK) != 0) {
            if (writable && errno == EROFS) fail(FileErrorReason(EROFS, true));
            fail("Файл " + BaseName(target) +
                 " доступен только для чтения. Снимите с него запрет записи или сохраните под "
                 "другим именем.");
        }
        existing = ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (existing < 0) fail(FileErrorReason(errno, true));
        if (!LockWaiting(existing, LOCK_EX)) {
            ::close(existing);
            fail(FileErrorReason(EWOULDBLOCK, true), 21);
        }
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        fail(FileErrorReason(errno, true));
    } else {
        // A new file holds a person's passport and income: for its owner only.
        mode = 0600;
    }
    struct Closer {
        int& fd;
        ~Closer() {
            if (fd >= 0) ::close(fd);
        }
    } closeExisting{existing};

    RemoveAbandonedTemporariesOnce(FolderOf(target));
    std::string temp = FolderOf(target) + kTempMarker + std::to_string(::getpid()) + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) fail(FileErrorReason(errno, true));
    auto abandon = [&](int error, bool open) {
        if (open) ::close(fd);
        ::unlink(temp.c_str());
        fail(FileErrorReason(error, true));
    };
    if (!WriteAll(fd, static_cast<const uint8_t*>(data), size)) abandon(errno, true);
    if (::fchmod(fd, mode) != 0) abandon(errno, true);
    // The new file keeps the owner of the one it replaces where the user may say
    // so (root saving a user's document); elsewhere it is the user's own anyway.
    if (existing >= 0 && (info.st_uid != ::geteuid() || info.st_gid != ::getegid()) &&
        ::fchown(fd, info.st_uid, info.st_gid) != 0 && errno != EPERM) {
        abandon(errno, true);
    }
    if (::fsync(fd) != 0) abandon(errno, true);
    if (::close(fd) != 0) abandon(errno, false);
    if (::rename(temp.c_str(), target.c_str()) != 0) abandon(errno, false);
    // The new name itself is made durable with its folder.
    int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

}  // namespace zorv
