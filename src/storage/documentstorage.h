#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "storage/money.h"

namespace zorv {

class mTFileLoader;

inline constexpr const char* kDocumentTypeName = "Zorv2008";
inline constexpr uint16_t kFormatMajor = 1;
inline constexpr uint16_t kFormatMinor = 2;
inline constexpr size_t kHeaderSize = 60;
inline constexpr size_t kMaxTextBytes = 9999;

// Format number as major * 65536 + minor.
constexpr uint32_t FormatNumber(uint16_t major, uint16_t minor) {
    return (static_cast<uint32_t>(major) << 16) | minor;
}

// The cursor over one document image: a 60-byte header followed by values, each a
// four-digit length and that many bytes of windows-1251 text. Values starting with
// "@" are stream names; a stream is the run of values after its name.
//
// Texts are UTF-8 on this side and windows-1251 in the image. Every read is bounded
// by the image: its size, or its first zero byte. A damaged image raises the format
// error, never reads outside the image.
//
// Amounts, day numbers and whole numbers keep to the ranges of valuerange.h: a read
// outside them is damage, a write outside them is refused, so whatever is read
// writes back to a value that reads the same.
class mTDocumentStorage {
  public:
    explicit mTDocumentStorage(mTFileLoader* loader);
    // A read-only cursor over an image held by someone else.
    mTDocumentStorage(const uint8_t* image, size_t size);

    mTDocumentStorage(const mTDocumentStorage&) = delete;
    mTDocumentStorage& operator=(const mTDocumentStorage&) = delete;

    void CreateDocument(const std::string& typeName);
    void OpenDocument();
    void Reset();

    void BeginStream(const std::string& name);
    void OpenStream(const std::string& name);
    // True when the next value is a stream name or no value follows.
    bool AtStreamEnd();

    void WriteStr(std::string_view value);
    void WriteInt(uint32_t value);
    void WriteShort(uint16_t value);
    void WriteByte(uint8_t value);
    void WriteMoney(Money value);
    void WriteDate(double value);
    // The text "a" of an absent amount.
    void WriteAbsentMoney();

    std::string ReadStr();
    uint32_t ReadInt();
    uint16_t ReadShort();
    uint8_t ReadByte();
    Money ReadMoney();
    double ReadDate();

    bool IsReadOnly() const { return readOnly_; }
    bool IsOpened() const { return opened_; }
    bool IsCreated() const { return created_; }
    uint32_t Position() const { return position_; }
    const std::string& TypeName() const { return typeName_; }
    const std::string& CurrentStream() const { return currentStream_; }
    const std::string& ReservedText() const { return reserved_; }
    uint16_t FormatMajor() const { return major_; }
    uint16_t FormatMinor() const { return minor_; }
    uint32_t Format() const { return FormatNumber(major_, minor_); }

    // Texts of the image as written: lengths count windows-1251 bytes.
    static size_t ValueSize(std::string_view utf8Text);
    static size_t ValueSize(uint32_t value);
    static size_t ValueSize(Money value);
    static size_t DateValueSize(double value);

  private:
    struct Codes {
        uint16_t readOnly;
        uint16_t notOpened;
    };
    void CheckWritable(Codes codes) const;
    void CheckReadable(uint16_t notOpenedCode) const;
    void PutValue(std::string_view bytes, uint16_t noRoomCode);
    // The raw bytes of the next value; numeric reads take one byte for a zero length.
    std::string_view TakeValue(uint16_t damagedCode, bool numeric);
    int64_t ReadInteger(uint16_t notOpenedCode);
    void BuildStreamIndex();

    uint8_t* base_ = nullptr;
    size_t capacity_ = 0;  // bytes of the image memory
    size_t end_ = 0;       // the end of the data: the first zero byte or the capacity
    bool readOnly_ = false;
    uint32_t position_ = 0;
    std::string typeName_;
    std::string currentStream_;
    std::string reserved_;
    uint16_t major_ = 0;
    uint16_t minor_ = 0;
    mTFileLoader* loader_ = nullptr;
    bool opened_ = false;
    bool nameWriting_ = false;
    bool created_ = false;

    // Position after the first whole-value occurrence of each stream name, built on
    // the first search of an opened image; damagedAt_ is where that walk stopped on
    // a damaged value (0 when it reached the end).
    bool indexed_ = false;
    std::unordered_map<std::string, uint32_t> streamIndex_;
    size_t damagedAt_ = 0;
};

}  // namespace zorv
