#include "storage/documentstorage.h"

#include <cstdio>
#include <cstring>

#include "storage/codepage.h"
#include "storage/daynumber.h"
#include "storage/errors.h"
#include "storage/fileloader.h"
#include "storage/textutil.h"
#include "storage/valuerange.h"

namespace zorv {
namespace {

constexpr char kSignature[] = "DLSG";

// Error codes of the typed operations: read-only, not opened; a full image is
// reported as the next code, a refused value as the one after.
constexpr uint16_t kWriteStrCodes[] = {150, 151};
constexpr uint16_t kWriteIntCodes[] = {160, 161};
constexpr uint16_t kWriteShortCodes[] = {170, 171};
constexpr uint16_t kWriteMoneyCodes[] = {180, 181};
constexpr uint16_t kWriteDateCodes[] = {190, 191};
constexpr uint16_t kWriteByteCodes[] = {200, 201};
// Reads: not opened; a damaged value is the next code, a value that is not of
// its type the one after.
constexpr uint16_t kReadStrCode = 93;
constexpr uint16_t kReadIntCode = 102;
constexpr uint16_t kReadShortCode = 112;
constexpr uint16_t kReadMoneyCode = 122;
constexpr uint16_t kReadDateCode = 132;
constexpr uint16_t kReadByteCode = 142;

std::string Quote(std::string_view text) {
    constexpr size_t kShown = 40;
    if (SingleByteLength(text) <= kShown) return "«" + std::string(text) + "»";
    size_t points = 0;
    size_t cut = 0;
    while (cut < text.size() && points < kShown) {
        ++cut;
        while (cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) ++cut;
        ++points;
    }
    return "«" + std::string(text.substr(0, cut)) + "…»";
}

// The four-digit length field at p, or -1 when it holds anything but digits.
int LengthField(const uint8_t* p) {
    int value = 0;
    for (int i = 0; i < 4; ++i) {
        if (p[i] < '0' || p[i] > '9') return -1;
        value = value * 10 + (p[i] - '0');
    }
    return value;
}

bool ParseInteger(std::string_view text, int64_t& value) {
    text = TrimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 10) return false;
    int64_t result = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        result = result * 10 + (c - '0');
    }
    if (negative) result = -result;
    if (result < kMinIntegerText || result > kMaxIntegerText) return false;
    value = result;
    return true;
}

[[noreturn]] void Damaged(uint16_t code) {
    throw mEBadStorage(msg::kBadFormat, code);
}

}  // namespace

mTDocumentStorage::mTDocumentStorage(mTFileLoader* loader) : loader_(loader) {
    if (loader_ != nullptr) {
        readOnly_ = loader_->ReadOnly();
        base_ = loader_->Data();
        capacity_ = loader_->Size();
    }
}

mTDocumentStorage::mTDocumentStorage(const uint8_t* image, size_t size)
    : base_(const_cast<uint8_t*>(image)), capacity_(image ? size : 0), readOnly_(true) {}

void mTDocumentStorage::CreateDocument(const std::string& typeName) {
    if (loader_ == nullptr || base_ == nullptr) throw mEMemoryAllocate(msg::kNotAllocated, 50);
    if (readOnly_) throw mEWriteStorage(msg::kReadOnly, 51);
    if (opened_ || created_) throw mEAlreadyCreated(msg::kAlreadyCreated, 52);
    if (capacity_ < kHeaderSize) throw mEMemoryAllocate(msg::kNoMemory, 53);
    opened_ = true;
    created_ = true;
    typeName_ = typeName;

    Conversion name = Utf8ToCp1251(typeName);
    std::string field(20, ' ');
    std::string bytes = name.ok ? name.text : typeName;
    if (bytes.size() > 20) bytes.resize(20);
    field.replace(20 - bytes.size(), bytes.size(), bytes);

    std::string header = std::string(kSignature) + field + "01" + "02" + std::string(32, 'F');
    std::memcpy(base_, header.data(), kHeaderSize);
    major_ = kFormatMajor;
    minor_ = kFormatMinor;
    reserved_ = std::string(32, 'F');
    position_ = kHeaderSize;
    end_ = kHeaderSize;
}

void mTDocumentStorage::OpenDocument() {
    if (opened_ || created_) throw mEAlreadyCreated(msg::kAlreadyCreated, 69);
    if (base_ == nullptr || capacity_ < 4 || std::memcmp(base_, kSignature, 4) != 0) {
        Reset();
        throw mEBadStorage(msg::kBadFormat, 68);
    }
    const void* zero = std::memchr(base_, 0, capacity_);
    end_ = zero ? static_cast<size_t>(static_cast<const uint8_t*>(zero) - base_) : capacity_;

    auto field = [&](size_t offset, size_t width, uint16_t code) {
        if (offset + width > end_) {
            Reset();
            Damaged(code);
        }
        return std::string_view(reinterpret_cast<const char*>(base_) + offset, width);
    };
    auto twoDigits = [&](size_t offset, uint16_t code) -> uint16_t {
        std::string_view text = field(offset, 2, code);
        if (text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') {
            Reset();
            Damaged(code);
        }
        return static_cast<uint16_t>((text[0] - '0') * 10 + (text[1] - '0'));
    };

    std::string_view name = field(4, 20, 60);
    size_t first = name.find_first_not_of(' ');
    name = first == std::string_view::npos ? std::string_view() : name.substr(first);
    name = name.substr(0, name.find_last_not_of(' ') + 1);
    Conversion decoded = Cp1251ToUtf8(name);
    if (!decoded.ok) {
        Reset();
        Damaged(60);
    }
    uint16_t major = twoDigits(24, 61);
    uint16_t minor = twoDigits(26, 62);
    std::string_view reserved = field(28, 32, 63);

    typeName_ = decoded.text;
    major_ = major;
    minor_ = minor;
    reserved_ = std::string(reserved);
    opened_ = true;
    position_ = kHeaderSize;
}

void mTDocumentStorage::Reset() {
    position_ = 0;
    currentStream_.clear();
    opened_ = false;
    nameWriting_ = false;
    created_ = false;
    indexed_ = false;
    streamIndex_.clear();
    damagedAt_ = 0;
}

void mTDocumentStorage::CheckWritable(Codes codes) const {
    if (readOnly_) throw mEWriteStorage(msg::kReadOnly, codes.readOnly);
    if (!opened_) throw mEObjectAccess(msg::kNotInitialised, codes.notOpened);
}

void mTDocumentStorage::CheckReadable(uint16_t notOpenedCode) const {
    if (!opened_) throw mEObjectAccess(msg::kNotInitialised, notOpenedCode);
}

void mTDocumentStorage::PutValue(std::string_view bytes, uint16_t noRoomCode) {
    if (bytes.size() > kMaxTextBytes) throw mEBadValue(msg::kNoMemory, noRoomCode);
    if (position_ + 4 + bytes.size() > capacity_)
        throw mEMemoryAllocate(msg::kNoMemory, noRoomCode);
    char length[8];
    std::snprintf(length, sizeof length, "%04zu", bytes.size());
    std::memcpy(base_ + position_, length, 4);
    if (!bytes.empty()) std::memcpy(base_ + position_ + 4, bytes.data(), bytes.size());
    position_ += static_cast<uint32_t>(4 + bytes.size());
    if (position_ > end_) end_ = position_;
    indexed_ = false;
    streamIndex_.clear();
}

void mTDocumentStorage::BeginStream(const std::string& name) {
    if (!opened_) throw mEObjectAccess(msg::kNotInitialised, 82);
    if (readOnly_) throw mEWriteStorage(msg::kReadOnly, 81);
    if (name.size() < 2 || name[0] != '@' || name.size() > kMaxTextBytes ||
        HasControlCharacter(name)) {
        throw mEBadValue("Недопустимое имя потока: " + Quote(name), 84);
    }
    nameWriting_ = true;
    try {
        PutValue(name, 83);
    } catch (...) {
        nameWriting_ = false;
        throw;
    }
    nameWriting_ = false;
    currentStream_ = name;
}

void mTDocumentStorage::WriteStr(std::string_view value) {
    CheckWritable({kWriteStrCodes[0], kWriteStrCodes[1]});
    if (value.find('\0') != std::string_view::npos) {
        throw mEBadValue("Текст содержит недопустимый символ с кодом 0.", 155);
    }
    if (!value.empty() && value.front() == '@') {
        throw mEBadValue("Текст " + Quote(value) + " не может начинаться с символа «@».", 155);
    }
    Conversion bytes = Utf8ToCp1251(value);
    if (!bytes.ok) {
        throw mEBadValue("Символ «" + bytes.badCharacter + "» в тексте " + Quote(value) +
                             " нельзя сохранить в кодировке Windows-1251.",
                         154);
    }
    if (bytes.text.size() > kMaxTextBytes) {
        throw mEBadValue("Текст " + Quote(value) + " длиннее 9999 знаков и не может быть сохранен.",
                         153);
    }
    PutValue(bytes.text, 152);
}

void mTDocumentStorage::WriteInt(uint32_t value) {
    CheckWritable({kWriteIntCodes[0], kWriteIntCodes[1]});
    PutValue(std::to_string(value), kWriteIntCodes[1] + 1);
}

void mTDocumentStorage::WriteShort(uint16_t value) {
    CheckWritable({kWriteShortCodes[0], kWriteShortCodes[1]});
    PutValue(std::to_string(value), kWriteShortCodes[1] + 1);
}

void mTDocumentStorage::WriteByte(uint8_t value) {
    CheckWritable({kWriteByteCodes[0], kWriteByteCodes[1]});
    PutValue(std::to_string(value), kWriteByteCodes[1] + 1);
}

void mTDocumentStorage::WriteMoney(Money value) {
    CheckWritable({kWriteMoneyCodes[0], kWriteMoneyCodes[1]});
    if (!IsMoneyInRange(value)) {
        throw mEBadValue("Сумма " + value.ToString() + " больше допустимой (" +
                             kMaxMoney.ToString() +
                             " по абсолютной величине) и не может быть сохранена.",
                         kWriteMoneyCodes[1] + 2);
    }
    PutValue(value.ToString(), kWriteMoneyCodes[1] + 1);
}

void mTDocumentStorage::WriteAbsentMoney() {
    CheckWritable({kWriteMoneyCodes[0], kWriteMoneyCodes[1]});
    PutValue("a", kWriteMoneyCodes[1] + 1);
}

void mTDocumentStorage::WriteDate(double value) {
    CheckWritable({kWriteDateCodes[0], kWriteDateCodes[1]});
    if (!IsDayNumberInRange(value)) {
        char number[32];
        std::snprintf(number, sizeof number, "%.17g", value);
        throw mEBadValue(
            std::string("Дата (номер дня ") + number +
                ") вне допустимого диапазона 01.01.0001–31.12.9999 и не может быть сохранена.",
            kWriteDateCodes[1] + 2);
    }
    PutValue(FormatDayNumber(value), kWriteDateCodes[1] + 1);
}

std::string_view mTDocumentStorage::TakeValue(uint16_t damagedCode, bool numeric) {
    if (position_ + 4 > end_) Damaged(damagedCode);
    int length = LengthField(base_ + position_);
    if (length < 0) Damaged(damagedCode);
    const char* text = reinterpret_cast<const char*>(base_) + position_ + 4;
    if (numeric && length == 0) {
        // A numeric value never has length 0; such a field takes the next byte as its text.
        if (position_ + 5 > end_) Damaged(damagedCode);
        position_ += 4;
        return std::string_view(text, 1);
    }
    if (position_ + 4 + static_cast<size_t>(length) > end_) Damaged(damagedCode);
    position_ += static_cast<uint32_t>(4 + length);
    return std::string_view(text, static_cast<size_t>(length));
}

std::string mTDocumentStorage::ReadStr() {
    CheckReadable(kReadStrCode);
    std::string_view bytes = TakeValue(kReadStrCode + 1, false);
    // A text never starts with "@": such a value is a stream name, read out of place.
    if (!bytes.empty() && bytes.front() == '@') Damaged(kReadStrCode + 2);
    Conversion text = Cp1251ToUtf8(bytes);
    if (!text.ok) Damaged(kReadStrCode + 2);
    return text.text;
}

int64_t mTDocumentStorage::ReadInteger(uint16_t notOpenedCode) {
    CheckReadable(notOpenedCode);
    std::string_view text = TakeValue(notOpenedCode + 1, true);
    int64_t value = 0;
    if (!ParseInteger(text, value)) Damaged(notOpenedCode + 2);
    return value;
}

uint32_t mTDocumentStorage::ReadInt() {
    return static_cast<uint32_t>(ReadInteger(kReadIntCode));
}

uint16_t mTDocumentStorage::ReadShort() {
    return static_cast<uint16_t>(ReadInteger(kReadShortCode) & 0xFFFF);
}

uint8_t mTDocumentStorage::ReadByte() {
    return static_cast<uint8_t>(ReadInteger(kReadByteCode) & 0xFF);
}

Money mTDocumentStorage::ReadMoney() {
    CheckReadable(kReadMoneyCode);
    std::string_view text = TakeValue(kReadMoneyCode + 1, true);
    if (text == "a") return Money::Absent();
    if (auto value = Money::Parse(text, '.')) return *value;
    if (auto value = Money::Parse(text, ',')) return *value;
    Damaged(kReadMoneyCode + 2);
}

double mTDocumentStorage::ReadDate() {
    CheckReadable(kReadDateCode);
    std::string_view text = TakeValue(kReadDateCode + 1, true);
    std::optional<double> value;
    if (Format() < FormatNumber(1, 2)) {
        value = ParseDateText(text, '.');
        if (!value) value = ParseDateText(text, ',');
    } else {
        value = ParseNumber(text, '.');
        if (!value) value = ParseNumber(text, ',');
    }
    if (!value || !IsDayNumberInRange(*value)) Damaged(kReadDateCode + 2);
    return *value;
}

bool mTDocumentStorage::AtStreamEnd() {
    CheckReadable(kReadStrCode);
    if (position_ + 4 > end_) return true;
    int length = LengthField(base_ + position_);
    return length > 0 && position_ + 4 < end_ && base_[position_ + 4] == '@';
}

void mTDocumentStorage::BuildStreamIndex() {
    streamIndex_.clear();
    damagedAt_ = 0;
    size_t pos = kHeaderSize;
    while (pos + 4 <= end_) {
        int length = LengthField(base_ + pos);
        if (length < 0 || pos + 4 + static_cast<size_t>(length) > end_) {
            damagedAt_ = pos;
            break;
        }
        size_t next = pos + 4 + static_cast<size_t>(length);
        if (length > 1 && base_[pos + 4] == '@') {
            streamIndex_.emplace(std::string(reinterpret_cast<const char*>(base_) + pos + 4,
                                             static_cast<size_t>(length)),
                                 static_cast<uint32_t>(next));
        }
        pos = next;
    }
    if (damagedAt_ == 0 && pos < end_)
        damagedAt_ = pos;  // a stray tail shorter than a length field
    indexed_ = true;
}

void mTDocumentStorage::OpenStream(const std::string& name) {
    if (!opened_) throw mEObjectAccess(msg::kNotInitialised, 211);
    if (!indexed_) BuildStreamIndex();
    auto found = streamIndex_.find(name);
    if (found == streamIndex_.end()) {
        if (damagedAt_ != 0) Damaged(212);
        throw mEOpenStream(msg::kNoStream, 210);
    }
    position_ = found->second;
    currentStream_ = name;
}

size_t mTDocumentStorage::ValueSize(std::string_view utf8Text) {
    return 4 + SingleByteLength(utf8Text);
}
size_t mTDocumentStorage::ValueSize(uint32_t value) {
    return 4 + std::to_string(value).size();
}
size_t mTDocumentStorage::ValueSize(Money value) {
    return 4 + value.ToString().size();
}
size_t mTDocumentStorage::DateValueSize(double value) {
    return 4 + FormatDayNumber(value).size();
}

}  // namespace zorv
