#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zorv {

// Lists are named by three-digit indexes, so each holds at most this many entries.
inline constexpr size_t kMaxListEntries = 1000;

// "@ThirteenPercent" + 7 gives "@ThirteenPercent007".
std::string IndexedStreamName(const char* prefix, size_t index);
std::string IndexedStreamName(const char* prefix, size_t first, size_t second);

// Refuses an add that would take a list past kMaxListEntries.
void CheckListRoom(size_t count, const char* listCaption);

// Context codes carried by storage errors that pass through a record.
namespace context {
inline constexpr uint16_t kPersonWrite = 370;
inline constexpr uint16_t kPersonRead = 371;
inline constexpr uint16_t kThirteenPercent = 372;
inline constexpr uint16_t kThirtyFiveWrite = 373;
inline constexpr uint16_t kThirtyFiveRead = 374;
inline constexpr uint16_t kThirtyWrite = 375;
inline constexpr uint16_t kThirtyRead = 376;
inline constexpr uint16_t kCurrencyWrite = 377;
inline constexpr uint16_t kCurrencyRead = 378;
inline constexpr uint16_t kBusinessWrite = 379;
inline constexpr uint16_t kBusinessRead = 380;
inline constexpr uint16_t kStandardWrite = 381;
inline constexpr uint16_t kStandardRead = 382;
inline constexpr uint16_t kSocialWrite = 383;
inline constexpr uint16_t kSocialRead = 384;
inline constexpr uint16_t kPropertyWrite = 385;
inline constexpr uint16_t kPropertyRead = 386;
inline constexpr uint16_t kFileNotCreated = 389;
inline constexpr uint16_t kFileNotOpened = 390;
inline constexpr uint16_t kBadSignature = 391;
inline constexpr uint16_t kBadHeader = 392;
inline constexpr uint16_t kRepetitWrite = 393;
inline constexpr uint16_t kRepetitRead = 394;
inline constexpr uint16_t kRefundWrite = 395;
inline constexpr uint16_t kRefundRead = 396;
}  // namespace context

}  // namespace zorv
