#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

namespace zorv {

// The reason of a failed system call on a file, in Russian, for the second line
// of a file error; writing selects the wording of a save.
std::string FileErrorReason(int error, bool writing);

// Opens an existing regular file for reading under a shared lock, waiting a
// little while a writer replaces it; anything else (a folder, a device, a
// channel) is refused before it is opened. size receives the file's length.
// Returns the descriptor; errors are mEBadStorage naming the file and the reason.
int OpenForReading(const std::string& path, unsigned* size);

// The whole content of a regular file, read as OpenForReading opens it. A file
// longer than limit bytes is refused before anything is read (and if it grows
// while it is read, as soon as it passes the limit).
std::string ReadWholeFile(const std::string& path,
                          size_t limit = std::numeric_limits<uint32_t>::max());

// The reason given for a file above a reader's limit: its size, the limit and
// what to do.
std::string TooLargeReason(uint64_t size, uint64_t limit);

// Holds the memory of one document image: a file on disk mapped into memory and
// under a lock (shared for reading, exclusive for writing), or an anonymous zero-filled block. The
// storage cursor borrows the data pointer and must be destroyed first.
class mTFileLoader {
  public:
    // Maps the named file. size 0 means the file's present length. A file opened
    // for reading must exist; a file opened for writing is created and extended
    // to size.
    mTFileLoader(const std::string& fileName, uint32_t size, bool readOnly);
    // An anonymous, zero-filled, writable block of exactly size bytes.
    explicit mTFileLoader(uint32_t size);
    ~mTFileLoader();

    mTFileLoader(const mTFileLoader&) = delete;
    mTFileLoader& operator=(const mTFileLoader&) = delete;

    uint8_t* Data() const { return data_; }
    uint32_t Size() const { return size_; }
    bool ReadOnly() const { return readOnly_; }
    bool MemoryOnly() const { return memoryOnly_; }
    bool Mapped() const { return mapped_; }
    const std::string& FileName() const { return fileName_; }

    // Writes a writable file mapping back to disk; a failure is reported here
    // rather than lost in the destructor.
    void Flush();

  private:
    void Map(int protection, int flags);
    void Release() noexcept;

    std::string fileName_;
    bool memoryOnly_ = false;
    bool readOnly_ = false;
    uint8_t* data_ = nullptr;
    bool mapped_ = false;
    int fd_ = -1;
    uint32_t size_ = 0;
};

// Replaces the file at path by the given bytes: written to a temporary file in the
// same folder, flushed, then renamed over the old name. A symbolic link is
// followed and kept: its target is replaced. On any failure the old file is
// untouched and mEBadStorage reports why. A file that is read-only, not a
// regular file, or locked by another holder for longer than a moment is not
// replaced. Temporary files of earlier saves of the same target whose writer
// no longer runs are removed.
void WriteFileAtomically(const std::string& path, const void* data, size_t size);

// Tests replace the system's write to make a save fail part way; nullptr restores it.
using WriteFunction = long (*)(int, const void*, size_t);
void SetWriteFunctionForTesting(WriteFunction function);
// Tests shorten the wait for another holder's lock.
void SetLockWaitForTesting(std::chrono::milliseconds wait);

}  // namespace zorv
