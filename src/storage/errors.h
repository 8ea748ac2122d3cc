#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace zorv {

// Messages of the storage errors, as the user sees them.
namespace msg {
inline constexpr const char* kReadError = "Ошибка чтения файла: ";
inline constexpr const char* kZeroLength = "Создаваемый фаил отображения не может быть нулевой длины.";
inline constexpr const char* kNoMapping = "Не удается создать отображение файла.";
inline constexpr const char* kNoMemory = "Недостаточно свободной памяти.";
inline constexpr const char* kNotAllocated = "Не выделена память.";
inline constexpr const char* kReadOnly = "Попытка записи в память только для чтения";
inline constexpr const char* kAlreadyCreated = "Объект уже был создан.";
inline constexpr const char* kBadFormat =
    "Неправильный формат файла декларации, возможно он поврежден.";
inline constexpr const char* kNotInitialised = "Попытка доступа к неинициализированным данным.";
inline constexpr const char* kNoStream = "Попытка открытия несуществующего потока";
inline constexpr const char* kWriteError = "Ошибка записи файла: ";
}  // namespace msg

// Base of every storage error: the message, the number of the failing step and
// the stream context that the record handlers add on the way out.
class mEPrivBase : public std::runtime_error {
public:
    mEPrivBase(const std::string& message, uint16_t errorCode)
        : std::runtime_error(message), errorCode_(errorCode) {}
    uint16_t ErrorCode() const { return errorCode_; }
    uint16_t ContextCode() const { return contextCode_; }
    void SetContextCode(uint16_t code) { contextCode_ = code; }
    void SetErrorCode(uint16_t code) { errorCode_ = code; }

private:
    uint16_t errorCode_;
    uint16_t contextCode_ = 0;
};

#define ZORV_STORAGE_ERROR(Name)                                                \
    class Name : public mEPrivBase {                                            \
    public:                                                                     \
        Name(const std::string& message, uint16_t errorCode)                    \
            : mEPrivBase(message, errorCode) {}                                 \
    };

ZORV_STORAGE_ERROR(mEMemoryAllocate)  // memory was not obtained (buffer, mapping, empty file)
ZORV_STORAGE_ERROR(mEWriteStorage)    // a write on a read-only image
ZORV_STORAGE_ERROR(mEBadStorage)      // the file cannot be opened or created, or is not a document
ZORV_STORAGE_ERROR(mEAlreadyCreated)  // a cursor created or opened twice
ZORV_STORAGE_ERROR(mEObjectAccess)    // a read or write on a cursor neither created nor opened
ZORV_STORAGE_ERROR(mEOpenStream)      // a stream name was not found
ZORV_STORAGE_ERROR(mEBadValue)        // a value the document image cannot hold, refused before writing
ZORV_STORAGE_ERROR(kTProvDecl)        // raised by the report library's calls

#undef ZORV_STORAGE_ERROR

// Runs body; a storage error passing through gets the context code unless a
// record further in has already set one.
template <typename Body>
void WithContext(uint16_t context, Body&& body) {
    try {
        body();
    } catch (mEPrivBase& e) {
        if (e.ContextCode() == 0) e.SetContextCode(context);
        throw;
    }
}

}  // namespace zorv
