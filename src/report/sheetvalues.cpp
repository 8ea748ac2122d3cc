#include "report/sheetvalues.h"

#include <algorithm>

#include "model/numtext.h"
#include "storage/money.h"

namespace zorv {

const kTSheetValue* kTSheetBlock::Find(const std::string& code) const {
    for (const kTSheetValue& v : Values) {
        if (v.Code == code) return &v;
    }
    return nullptr;
}

std::string kTSheetBlock::Text(const std::string& code) const {
    const kTSheetValue* v = Find(code);
    return v != nullptr ? v->Text : std::string();
}

void kTSheetBlock::Set(const std::string& code, const std::string& text,
                       const std::string& origin) {
    for (kTSheetValue& v : Values) {
        if (v.Code == code) {
            v.Text = text;
            v.Origin = origin;
            return;
        }
    }
    Values.push_back({code, text, origin});
}

const kTSecurityCodes& SecurityCodes(int kind, int group) {
    // Item 1.1 of sheet З: 1.1.1 proceeds 040, 1.1.3 loss 060, 1.1.5 taxable
    // income 080; of sheet И: 1.1.1 040, 1.1.3 060, 1.1.4 070.
    static const kTSecurityCodes kOwnFirst{"010", "020", "030", "040", "060", "080"};
    static const kTSecurityCodes kTrustFirst{"010", "020", "030", "040", "060", "070"};
    static const kTSecurityCodes kNamed{"ИНН", "КПП", "Наим", "Доход", "Убыток", "Прибыль"};
    if (group == 1 && kind == kKindZ) return kOwnFirst;
    if (group == 1 && kind == kKindI) return kTrustFirst;
    return kNamed;
}

std::string SecurityResultCode(int kind, int group, const std::string& attribute) {
    // Item 1.1 of sheet З: 1.1.4 the loss taken from sheet И (070), 1.1.6 the
    // loss carried to the next item (090).
    if (kind == kKindZ && group == 1) {
        if (attribute == "СумУбытВыч") return "070";
        if (attribute == "СумУбытУчРасч") return "090";
    }
    return std::to_string(group) + "." + attribute;
}

std::vector<const kTSheetBlock*> kTSheetData::Group(int group) const {
    std::vector<const kTSheetBlock*> blocks;
    for (const kTSheetBlock& b : Blocks) {
        if (b.Group == group) blocks.push_back(&b);
    }
    return blocks;
}

bool IsZeroText(const std::string& text) {
    bool digits = false;
    for (char c : text) {
        if (c >= '1' && c <= '9') return false;
        if (c == '0') {
            digits = true;
        } else if (c != '.' && c != ',' && c != ' ' && c != '-') {
            return false;
        }
    }
    return digits || text.find_first_not_of(' ') == std::string::npos;
}

int BlocksPerPage(int kind) {
    switch (kind) {
        case kKindR6:
        case kKindV1:
        case kKindV2:
            return 1;
        case kKindA9:
        case kKindA13:
        case kKindA30:
        case kKindA35:
        case kKindA15:
        case kKindG2:
            return 4;
        case kKindB9:
        case kKindB13:
        case kKindB35:
        case kKindG:
        case kKindZh2:
        case kKindZh2Foreign:
        case kKindK3:
        case kKindK4:
            return 2;  // per part on Ж2, К3, К4
        case kKindD:
        case kKindDForeign:
            return 3;
        case kKindE:
        case kKindEForeign:
            return 6;
        default:
            return 0;
    }
}

namespace {

int CeilDiv(size_t count, int per) {
    return static_cast<int>((count + static_cast<size_t>(per) - 1) / static_cast<size_t>(per));
}

// Sheets З and И: one source of each group per page of sources.
int GroupedPages(const kTSheetData& sheet) {
    size_t most = 0;
    size_t groups = 0;
    for (int group = 1; group <= 6; ++group) {
        const size_t sources = sheet.Group(group).size();
        most = std::max(most, sources);
        groups += sources > 0 ? 1 : 0;
    }
    return std::max(1, static_cast<int>(most)) * SecurityGroupSpread(groups);
}

}  // namespace

int SecurityGroupSpread(size_t groups) {
    return std::max(1, CeilDiv(groups, kSecurityGroupsPerPage));
}

int PagesOfValues(const kTSheetValues& values, int kind) {
    const kTSheetData& sheet = values[kind];
    if (!sheet.Present) return 0;
    switch (kind) {
        case kKindZh2:
        case kKindZh2Foreign:
        case kKindK3:
        case kKindK4: {
            const size_t rows = std::max(sheet.Group(1).size(), sheet.Group(2).size());
            return std::max(1, CeilDiv(rows, 2));
        }
        case kKindZ:
        case kKindI:
            return GroupedPages(sheet);
        default:
            break;
    }
    const int per = BlocksPerPage(kind);
    if (per == 0) return 1;
    return std::max(1, CeilDiv(sheet.Blocks.size(), per));
}

kTPagePlan PlanOfValues(const kTSheetValues& values) {
    // The sheets of the form of 2008 in its page order.
    static const int kOrder[] = {
        kTitleSheet,   kSecondSheet, kKindR1,       kKindR2,  kKindR3,  kKindR4,         kKindR15,
        kKindR6,       kKindA9,      kKindA13,      kKindA15, kKindA30, kKindA35,        kKindB9,
        kKindB13,      kKindB35,     kKindV1,       kKindV2,  kKindG,   kKindG2,         kKindD,
        kKindDForeign, kKindE,       kKindEForeign, kKindZh1, kKindZh2, kKindZh2Foreign, kKindZ,
        kKindI,        kKindK1,      kKindK2,       kKindK3,  kKindK4,  kKindL};
    kTPagePlan plan;
    plan.Form2008 = true;
    plan.Pages[kTitleSheet] = 1;
    plan.Pages[kSecondSheet] = 1;
    for (int kind = kSection1Sheet; kind <= kSheetKindCount; ++kind) {
        plan.Pages[kind] = PagesOfValues(values, kind);
    }
    plan.Pages[kKindR5] = 0;  // the form of 2008 has no netting section
    int base = 0;
    for (int kind : kOrder) {
        plan.Base[kind] = base;
        base += plan.Pages[kind];
    }
    plan.TotalPages = base;
    return plan;
}

}  // namespace zorv
