#include "fileloader.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <limits>

#include "errors.h"

namespace zorv {
namespace {

std::string BusyMessage(const std::string& prefix, const std::string& fileName) {
    return prefix + fileName + "\r" + msg::kBusy;
}

std::string SystemReason(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "Нет прав на запись в папку или файл.";
        case ENOSPC:
        case EDQUOT:
            return "Недостаточно места на диске.";
        case EROFS:
            return "Диск доступен только для чтения.";
        case ENOENT:
        case ENOTDIR:
            return "Папка не существует.";
        case EISDIR:
            return "Указанное имя принадлежит папке.";
        default:
            return std::strerror(error);
    }
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

}  // namespace

void SetWriteFunctionForTesting(WriteFunction function) { gWrite = function ? function : ::write; }

mTFileLoader::mTFileLoader(const std::string& fileName, uint32_t size, bool readOnly)
    : fileName_(fileName), readOnly_(readOnly) {
    int flags = (readOnly ? O_RDONLY : O_RDWR | O_CREAT) | O_CLOEXEC;
    fd_ = ::open(fileName.c_str(), flags, 0666);
    if (fd_ < 0) {
        int error = errno;
        if (error == ENOENT || error == ENOTDIR || (!readOnly && error == EIO)) {
            throw mEBadStorage(msg::kReadError + fileName, 20);
        }
        throw mEBadStorage(BusyMessage(msg::kReadError, fileName), 21);
    }
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode) ||
        ::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        Release();
        throw mEBadStorage(BusyMessage(msg::kReadError, fileName), 21);
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
    if (!readOnly && static_cast<uint64_t>(info.st_size) < size_ && ::ftruncate(fd_, size_) != 0) {
        Release();
        throw mEMemoryAllocate(msg::kNoMapping, 26);
    }
    if (readOnly && static_cast<uint64_t>(info.st_size) < size_) {
        // A read-only view cannot extend the file; read only what is there.
        size_ = static_cast<uint32_t>(info.st_size);
    }
    Map(readOnly ? PROT_READ : PROT_READ | PROT_WRITE, MAP_SHARED);
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
        throw mEBadStorage(msg::kWriteError + fileName_ + "\r" + SystemReason(errno), 22);
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
    auto fail = [&](int error) {
        throw mEBadStorage(msg::kWriteError + path + "\r" + SystemReason(error), 22);
    };

    // Keep the lock of an existing document while it is replaced, so that a file
    // held open by another program is never written over.
    int existing = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    mode_t mode = 0;
    if (existing >= 0) {
        struct stat info {};
        if (::fstat(existing, &info) != 0 || !S_ISREG(info.st_mode)) {
            ::close(existing);
            fail(EISDIR);
        }
        if (::flock(existing, LOCK_EX | LOCK_NB) != 0) {
            ::close(existing);
            throw mEBadStorage(BusyMessage(msg::kWriteError, path), 21);
        }
        mode = info.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }

    std::string temp = path + ".XXXXXX";
    int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        int error = errno;
        if (existing >= 0) ::close(existing);
        fail(error);
    }
    auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temp.c_str());
        if (existing >= 0) ::close(existing);
        fail(error);
    };
    if (!WriteAll(fd, static_cast<const uint8_t*>(data), size)) abandon(errno);
    if (::fchmod(fd, mode) != 0) abandon(errno);
    if (::fsync(fd) != 0) abandon(errno);
    if (::close(fd) != 0) {
        int error = errno;
        ::unlink(temp.c_str());
        if (existing >= 0) ::close(existing);
        fail(error);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        int error = errno;
        ::unlink(temp.c_str());
        if (existing >= 0) ::close(existing);
        fail(error);
    }
    if (existing >= 0) ::close(existing);
}

}  // namespace zorv
