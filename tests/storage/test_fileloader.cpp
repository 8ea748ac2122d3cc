#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <thread>

#include "storage/documentstorage.h"
#include "storage/errors.h"
#include "storage/fileloader.h"
#include "tempdir.h"

namespace zorv {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

template <typename Error>
Error Catch(const std::function<void()>& action) {
    try {
        action();
    } catch (const Error& e) {
        return e;
    }
    ADD_FAILURE() << "no error";
    return Error("", 0);
}

TEST(FileLoader, OpeningForReadingCreatesNothing) {
    TempDir dir;
    std::string missing = dir.File("missing.zv8");
    auto e = Catch<mEBadStorage>([&] { mTFileLoader(missing, 0, true); });
    EXPECT_EQ(e.ErrorCode(), 20);
    EXPECT_EQ(std::string(e.what()), "Ошибка чтения файла: " + missing + "\nФайл не найден.");
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(FileLoader, EmptyFileHasNoImage) {
    TempDir dir;
    WriteBytes(dir.File("empty.zv8"), "");
    auto e = Catch<mEMemoryAllocate>([&] { mTFileLoader(dir.File("empty.zv8"), 0, true); });
    EXPECT_EQ(e.ErrorCode(), 25);
    EXPECT_STREQ(e.what(), "Создаваемый фаил отображения не может быть нулевой длины.");
}

// Holds a lock on a file from another open file description, as another
// process would, for the given time.
class LockHolder {
  public:
    LockHolder(const std::string& path, int operation, std::chrono::milliseconds hold) {
        fd_ = ::open(path.c_str(), O_RDONLY);
        EXPECT_EQ(::flock(fd_, operation), 0);
        thread_ = std::thread([this, hold] {
            std::this_thread::sleep_for(hold);
            ::flock(fd_, LOCK_UN);
        });
    }
    ~LockHolder() {
        thread_.join();
        ::close(fd_);
    }

  private:
    int fd_ = -1;
    std::thread thread_;
};

TEST(FileLoader, ReadersShareAFileAndWaitBrieflyForAWriter) {
    TempDir dir;
    std::string path = dir.File("doc.zv8");
    WriteBytes(path, "DLSG");
    {
        mTFileLoader first(path, 0, true);
        mTFileLoader second(path, 0, true);
        EXPECT_EQ(std::memcmp(second.Data(), "DLSG", 4), 0);
    }
    {
        // A writer that lets go within the wait: the reader waits and reads.
        LockHolder writer(path, LOCK_EX, std::chrono::milliseconds(200));
        mTFileLoader reader(path, 0, true);
        EXPECT_EQ(reader.Size(), 4u);
    }
    SetLockWaitForTesting(std::chrono::milliseconds(50));
    {
        LockHolder writer(path, LOCK_EX, std::chrono::milliseconds(400));
        auto e = Catch<mEBadStorage>([&] { mTFileLoader(path, 0, true); });
        EXPECT_EQ(e.ErrorCode(), 21);
        EXPECT_EQ(std::string(e.what()),
                  "Ошибка чтения файла: " + path +
                      "\nФайл занят другой программой. Закройте ее или повторите позже.");
    }
    {
        // A save waits for readers in the same way, and leaves the file as it was.
        LockHolder reader(path, LOCK_SH, std::chrono::milliseconds(400));
        auto e = Catch<mEBadStorage>([&] { WriteFileAtomically(path, "new", 3); });
        EXPECT_EQ(e.ErrorCode(), 21);
        EXPECT_EQ(ReadBytes(path).size(), 4u);
    }
    SetLockWaitForTesting(std::chrono::milliseconds(2000));
}

TEST(FileLoader, OnlyRegularFilesAreOpened) {
    TempDir dir;
    std::string fifo = dir.File("channel.zv8");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string device =
        "Это не обычный файл, а устройство или канал. Укажите файл на диске.";
    const std::string folder = "Указанное имя принадлежит папке, а не файлу.";
    struct Case {
        std::string path;
        std::string reason;
    } cases[] = {{fifo, device}, {"/dev/zero", device}, {dir.Path().string(), folder}};
    for (const Case& c : cases) {
        const std::string expected = "Ошибка чтения файла: " + c.path + "\n" + c.reason;
        auto e = Catch<mEBadStorage>([&] { mTFileLoader(c.path, 0, true); });
        EXPECT_EQ(e.ErrorCode(), 21);
        EXPECT_EQ(std::string(e.what()), expected);
        EXPECT_EQ(std::string(Catch<mEBadStorage>([&] { ReadWholeFile(c.path); }).what()),
                  expected);
        // Nor is one written over.
        EXPECT_EQ(
            std::string(Catch<mEBadStorage>([&] { WriteFileAtomically(c.path, "x", 1); }).what()),
            "Ошибка записи файла: " + c.path + "\n" + c.reason);
    }
}

TEST(FileLoader, ReadsAWholeFile) {
    TempDir dir;
    std::string text(200000, 'z');
    WriteBytes(dir.File("a.json"), text);
    EXPECT_EQ(ReadWholeFile(dir.File("a.json")), text);
}

TEST(FileLoader, MemoryBlockIsZeroFilledAndWritable) {
    mTFileLoader block(16);
    EXPECT_TRUE(block.MemoryOnly());
    EXPECT_FALSE(block.ReadOnly());
    for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(block.Data()[i], 0);
    EXPECT_EQ(Catch<mEMemoryAllocate>([] { mTFileLoader(0); }).ErrorCode(), 25);
}

TEST(FileLoader, WritableFileIsCreatedAtItsSize) {
    TempDir dir;
    std::string path = dir.File("new.zv8");
    {
        mTFileLoader loader(path, 64, false);
        mTDocumentStorage s(&loader);
        s.CreateDocument("Zorv2008");
        loader.Flush();
    }
    auto bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "DLSG");
    EXPECT_EQ(bytes[63], 0);

    mTFileLoader readOnly(path, 0, true);
    mTDocumentStorage s(&readOnly);
    EXPECT_EQ(Catch<mEWriteStorage>([&] { s.CreateDocument("Zorv2008"); }).ErrorCode(), 51);
}

// A write that fails after a given number of bytes.
size_t gBudget = 0;
long FailingWrite(int fd, const void* data, size_t size) {
    if (gBudget == 0) {
        errno = ENOSPC;
        return -1;
    }
    size_t n = std::min(size, gBudget);
    gBudget -= n;
    return ::write(fd, data, n);
}

TEST(FileLoader, AFailedSaveLeavesTheOldFileAsItWas) {
    TempDir dir;
    std::string path = dir.File("doc.zv8");
    const std::string old = "the document as it was";
    const std::string next(64, 'n');
    WriteBytes(path, old);
    for (size_t budget = 0; budget < next.size(); budget += 7) {
        gBudget = budget;
        SetWriteFunctionForTesting(FailingWrite);
        auto e = Catch<mEBadStorage>([&] { WriteFileAtomically(path, next.data(), next.size()); });
        SetWriteFunctionForTesting(nullptr);
        EXPECT_EQ(e.ErrorCode(), 22);
        EXPECT_NE(std::string(e.what()).find("Недостаточно места на диске."), std::string::npos);
        auto bytes = ReadBytes(path);
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), old) << "budget " << budget;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                                std::filesystem::directory_iterator()),
                  1)
            << "a temporary file was left behind";
    }
    WriteFileAtomically(path, next.data(), next.size());
    auto bytes = ReadBytes(path);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), next);
}

TEST(FileLoader, SaveFailuresNameTheFileAndTheReason) {
    TempDir dir;
    std::string readOnly = dir.File("X.zv8");
    WriteBytes(readOnly, "old");
    ::chmod(readOnly.c_str(), 0444);
    std::string missing = dir.File("no/doc.zv8");
    struct Case {
        std::string path;
        std::string message;
    } cases[] = {
        {missing, "Ошибка записи файла: " + missing + "\nПапка не существует."},
        // Refused whoever runs the program, root included.
        {readOnly, "Ошибка записи файла: " + readOnly +
                       "\nФайл X.zv8 доступен только для чтения. Снимите с него запрет записи "
                       "или сохраните под другим именем."},
    };
    for (const Case& c : cases) {
        auto e = Catch<mEBadStorage>([&] { WriteFileAtomically(c.path, "new", 3); });
        EXPECT_EQ(e.ErrorCode(), 22);
        EXPECT_EQ(std::string(e.what()), c.message);
    }
    auto bytes = ReadBytes(readOnly);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "old");
    EXPECT_EQ(std::filesystem::status(readOnly).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0444));
}

TEST(FileLoader, ASaveKeepsTheOwnerOfTheFileItReplaces) {
    if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
    TempDir dir;
    const std::string path = dir.File("X.zv8");
    WriteBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), 12345, 23456), 0);
    ::chmod(path.c_str(), 0640);
    WriteFileAtomically(path, "new", 3);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 12345u);
    EXPECT_EQ(info.st_gid, 23456u);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes(path).size(), 3u);
}

TEST(FileLoader, SavingThroughALinkReplacesItsTargetAndKeepsTheLink) {
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "real");
    std::string target = dir.File("real/X.zv8");
    WriteBytes(target, "old");
    // A relative link, and a link to that link.
    std::filesystem::create_symlink("real/X.zv8", dir.Path() / "L.zv8");
    std::filesystem::create_symlink("L.zv8", dir.Path() / "LL.zv8");
    WriteFileAtomically(dir.File("LL.zv8"), "new", 3);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "L.zv8"));
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "LL.zv8"));
    auto bytes = ReadBytes(target);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "new");
    // A link to nothing yet creates its target.
    std::filesystem::create_symlink("real/Y.zv8", dir.Path() / "dangling.zv8");
    WriteFileAtomically(dir.File("dangling.zv8"), "y", 1);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "dangling.zv8"));
    EXPECT_EQ(ReadBytes(dir.File("real/Y.zv8")).size(), 1u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path() / "real"),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(FileLoader, ASaveRemovesTemporaryFilesOfKilledSaves) {
    TempDir dir;
    std::string path = dir.File("X.zv8");
    // The number of a process that has ended.
    pid_t ended = ::fork();
    if (ended == 0) ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    const std::string abandoned = dir.File("X.zv8.zorvtmp." + std::to_string(ended) + ".a1B2c3");
    const std::string running = dir.File("X.zv8.zorvtmp.1.d4E5f6");  // its writer still runs
    // Whatever file they were to replace: an XML of a fresh name, say.
    const std::string otherTarget = dir.File("Y.zv8.zorvtmp." + std::to_string(ended) + ".g7H8i9");
    const std::string bare = dir.File(".zorvtmp." + std::to_string(ended) + ".j1K2l3");
    const std::string runningBare = dir.File(".zorvtmp.1.m4N5o6");
    const std::string notOurs = dir.File("notes.zorvtmp.txt");
    for (const std::string& file : {abandoned, running, otherTarget, bare, runningBare, notOurs})
        WriteBytes(file, "part");
    WriteFileAtomically(path, "new", 3);
    EXPECT_FALSE(std::filesystem::exists(abandoned));
    EXPECT_FALSE(std::filesystem::exists(otherTarget));
    EXPECT_FALSE(std::filesystem::exists(bare));
    EXPECT_TRUE(std::filesystem::exists(running));
    EXPECT_TRUE(std::filesystem::exists(runningBare));
    EXPECT_TRUE(std::filesystem::exists(notOurs));
}

// Any name the file system takes can be saved: the temporary file's name does
// not grow with it.
TEST(FileLoader, LongestLegalNamesCanBeSaved) {
    TempDir dir;
    for (size_t length : {235u, 254u, 255u}) {
        const std::string name = std::string(length - 4, 'a') + ".zv8";
        WriteFileAtomically(dir.File(name), "new", 3);
        EXPECT_EQ(ReadBytes(dir.File(name)).size(), 3u) << length;
    }
    // Cyrillic letters take two bytes each: 125 of them and ".zv8" make 254 bytes.
    std::string cyrillic;
    for (int i = 0; i < 125; ++i) cyrillic += "д";
    WriteFileAtomically(dir.File(cyrillic + ".zv8"), "x", 1);
    EXPECT_TRUE(std::filesystem::exists(dir.File(cyrillic + ".zv8")));
}

// A new file holds personal data and is its owner's alone, whatever the umask; a
// file that is replaced keeps its mode.
TEST(FileLoader, NewFilesAreTheOwnersAlone) {
    TempDir dir;
    const mode_t mask = ::umask(0022);
    struct Case {
        const char* name;
        std::optional<mode_t> before;
        mode_t after;
    } cases[] = {
        {"new.zv8", std::nullopt, 0600},
        {"shared.xml", 0644, 0644},
        {"group.pdf", 0640, 0640},
    };
    for (const Case& c : cases) {
        const std::string path = dir.File(c.name);
        if (c.before) {
            WriteBytes(path, "old");
            ::chmod(path.c_str(), *c.before);
        }
        WriteFileAtomically(path, "new", 3);
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, c.after) << c.name;
    }
    ::umask(mask);
}

}  // namespace
}  // namespace zorv
