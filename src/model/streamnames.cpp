#include "model/streamnames.h"

#include <cstdio>

#include "storage/errors.h"

namespace zorv {

std::string IndexedStreamName(const char* prefix, size_t index) {
    if (index >= kMaxListEntries) CheckListRoom(index, "");
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%03zu", index);
    return std::string(prefix) + buffer;
}

std::string IndexedStreamName(const char* prefix, size_t first, size_t second) {
    if (first >= kMaxListEntries) CheckListRoom(first, "");
    if (second >= kMaxListEntries) CheckListRoom(second, "");
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%03zu%03zu", first, second);
    return std::string(prefix) + buffer;
}

void CheckListRoom(size_t count, const char* listCaption) {
    if (count < kMaxListEntries) return;
    std::string what = *listCaption ? std::string(" (") + listCaption + ")" : std::string();
    throw mEBadValue("В списке" + what + " не может быть больше 1000 записей.", 400);
}

}  // namespace zorv
