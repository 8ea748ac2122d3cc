#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "documentstorage.h"
#include "errors.h"
#include "fileloader.h"
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
    EXPECT_EQ(std::string(e.what()), "Ошибка чтения файла: " + missing);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(FileLoader, EmptyFileHasNoImage) {
    TempDir dir;
    WriteBytes(dir.File("empty.zv8"), "");
    auto e = Catch<mEMemoryAllocate>([&] { mTFileLoader(dir.File("empty.zv8"), 0, true); });
    EXPECT_EQ(e.ErrorCode(), 25);
    EXPECT_STREQ(e.what(), "Создаваемый фаил отображения не может быть нулевой длины.");
}

TEST(FileLoader, AnOpenDocumentIsLockedForOthers) {
    TempDir dir;
    std::string path = dir.File("doc.zv8");
    WriteBytes(path, "DLSG");
    mTFileLoader first(path, 0, true);
    EXPECT_EQ(first.Size(), 4u);
    EXPECT_EQ(std::memcmp(first.Data(), "DLSG", 4), 0);
    auto e = Catch<mEBadStorage>([&] { mTFileLoader(path, 0, true); });
    EXPECT_EQ(e.ErrorCode(), 21);
    EXPECT_EQ(std::string(e.what()), "Ошибка чтения файла: " + path +
                                         "\rВозможно он занят, или с признаком 'read only'");
    // Saving over it is refused as well, and the file stays as it was.
    EXPECT_THROW(WriteFileAtomically(path, "new", 3), mEBadStorage);
    EXPECT_EQ(ReadBytes(path).size(), 4u);
}

TEST(FileLoader, AFolderIsNotADocument) {
    TempDir dir;
    EXPECT_EQ(Catch<mEBadStorage>([&] { mTFileLoader(dir.Path().string(), 0, true); }).ErrorCode(), 21);
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

TEST(FileLoader, SavingIntoAMissingFolderFails) {
    TempDir dir;
    EXPECT_EQ(Catch<mEBadStorage>([&] { WriteFileAtomically(dir.File("no/doc.zv8"), "x", 1); })
                  .ErrorCode(),
              22);
}

}  // namespace
}  // namespace zorv
