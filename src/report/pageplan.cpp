#include "report/pageplan.h"

#include <algorithm>
#include <stdexcept>

#include "codes/incomecodes.h"
#include "report/reportdata.h"
#include "report/reportsums.h"
#include "report/sheetvalues.h"

namespace zorv {
namespace {

const std::array<kTSheetKind, kSheetKindCount> kKinds = {{
    {"Титульный Лист", "Титульный лист", "", "", 0},
    {"Второй Лист", "Страница 002", "!0330-fach!", "", 0},
    {"Раздел 1", "Раздел 1", "!0330-fade!", "00001", 1},
    {"Раздел 2", "Раздел 2", "!0330-faeb!", "00002", 0},
    {"Раздел 3", "Раздел 3", "!0330-fafi!", "00003", 0},
    {"Раздел 4", "Раздел 4", "!0330-fagf!", "00004", -2},
    {"Раздел 5", "", "!0330-fahc!", "00005", 0},
    {"Раздел 6", "Раздел 6", "!0330-faij!", "00006", 0},
    {"Лист А (9%)", "Лист А (9%)", "!0330-fajg!", "00007", 2},
    {"Лист А (13%)", "Лист А (13%)", "!0330-fajg!", "00007", 2},
    {"Лист А (30%)", "Лист А (30%)", "!0330-fajg!", "00007", 2},
    {"Лист А (35%)", "Лист А (35%)", "!0330-fajg!", "00007", 2},
    {"Лист Б (9%)", "Лист Б (9%)", "!0330-fbac!", "00008", 0},
    {"Лист Б (13%)", "Лист Б (13%)", "!0330-fbac!", "00008", 0},
    {"Лист Б (35%)", "Лист Б (35%)", "!0330-fbac!", "00008", 0},
    {"Лист В1", "Лист В", "!0330-fbbj!", "00009", 2},
    {"Лист В2", "Лист В (частная практика)", "!0330-fbcg!", "00010", 2},
    {"Лист Г", "Лист Г1", "!0330-fbdd!", "00011", 0},
    {"Лист Д", "Лист Д", "!0330-fbea!", "00012", 0},
    {"Лист Д($)", "Лист Д($)", "!0330-fbea!", "00012", 0},
    {"Лист Е", "Лист Е", "!0330-fbfh!", "00013", 0},
    {"Лист Е($)", "Лист Е($)", "!0330-fbfh!", "00013", 0},
    {"Лист Ж1", "Лист Ж1", "!0330-fbge!", "00014", 0},
    {"Лист Ж2", "Лист Ж2", "!0330-fbhb!", "00015", 0},
    {"Лист Ж2($)", "Лист Ж2($)", "!0330-fbhb!", "00015", 0},
    {"Лист З", "Лист З", "!0330-fbii!", "00016", 2},
    {"Лист И", "Лист И", "!0330-fbjf!", "00017", 3},
    {"Лист К1", "Лист К1", "!0330-fcab!", "00018", 1.5},
    {"Лист К2", "Лист К2", "!0330-fcbi!", "00019", 1.5},
    {"Лист К3", "Лист К3", "!0330-fccf!", "00020", 3},
    {"Лист К4", "Лист К4", "!0330-fcdc!", "00021", 3},
    {"Лист Л", "Лист Л", "!0330-fcej!", "00022", 5},
    {"", "Раздел 5", "", "", 0},
    {"", "Лист А (15%)", "", "", 2},
    {"", "Лист Г2", "", "", 0},
}};

enum Kind {
    kR1 = 3,
    kR2,
    kR3,
    kR4,
    kR5,
    kR6,
    kA9,
    kA13,
    kA30,
    kA35,
    kB9,
    kB13,
    kB35,
    kV1,
    kV2,
    kG,
    kD,
    kDForeign,
    kE,
    kEForeign,
    kZh1,
    kZh2,
    kZh2Foreign,
    kZ,
    kI,
    kK1,
    kK2,
    kK3,
    kK4,
    kL
};

int CeilDiv(size_t count, size_t per) {
    return static_cast<int>((count + per - 1) / per);
}

bool IsExemptCode(uint32_t code) {
    using namespace codes;
    return code == kGifts || code == kCompetitionPrizes || code == kEmployerAid ||
           code == kDisabledAid || code == kMedicines || code == kItem33Aid;
}

bool IsAuthorFeeCode(uint32_t code) {
    return (code >= codes::kFirstAuthorFee && code <= codes::kLastAuthorFee) ||
           code == codes::kOtherAuthorFee;
}

// The largest count, over the five income codes from firstCode, of the sources
// with a line of that code and deduction 307.
int SecuritiesPages(const mTDeclaration& d, uint32_t firstCode, bool withThirteen) {
    size_t largest = 0;
    for (uint32_t code = firstCode; code < firstCode + 5; ++code) {
        size_t count = 0;
        if (withThirteen) {
            for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
                const mTThirteenPercent& source = d.ThirteenPercent(i);
                for (size_t k = 0; k < source.IncomeCount(); ++k) {
                    const mTSourseIncome& line = source.Income(k);
                    if (line.IncomeCode == code && line.DeductCode == codes::kSecuritiesExpenses) {
                        ++count;
                        break;
                    }
                }
            }
        }
        for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
            const mTCurrencyIncome& income = d.CurrencyIncome(i);
            if (income.IncomeCode == code && income.DeductCode == codes::kSecuritiesExpenses)
                ++count;
        }
        largest = std::max(largest, count);
    }
    return static_cast<int>(largest);
}

}  // namespace

const kTSheetKind& SheetKind(int kind) {
    if (kind < 1 || kind > kSheetKindCount) throw std::out_of_range("sheet kind");
    return kKinds[static_cast<size_t>(kind - 1)];
}

const char* SheetName(const kTPagePlan& plan, int kind) {
    const kTSheetKind& k = SheetKind(kind);
    return plan.Form2008 ? k.Name2008 : k.Name;
}

int kTPagePlan::KindOfPage(int page) const {
    for (int kind = 1; kind <= kSheetKindCount; ++kind) {
        if (Pages[kind] > 0 && page > Base[kind] && page <= Base[kind] + Pages[kind]) return kind;
    }
    return 0;
}

namespace {

// The groups of operations of a securities sheet that have sources.
size_t GroupsOf(const SecurityTables& tables) {
    return static_cast<size_t>(std::count_if(tables.begin(), tables.end(),
                                             [](const auto& rows) { return !rows.empty(); }));
}

}  // namespace

kTPagePlan ComputePagePlan(const kTDanLog& data, const kTRepSvodSum& sums) {
    kTPagePlan plan;
    auto& p = plan.Pages;
    const mTDeclaration& d = data.Declaration;
    const kTSvodSum& s = sums.Core;
    const uint8_t kind = data.Header.DeclarationKind;
    p[kTitleSheet] = 1;

    if (kind == kEstimated4NDFL) {
        // The estimated-income form is its title page and its one section.
        p[kR1] = 1;
    } else {
        p[kSecondSheet] = 1;
        p[kR5] = 1;
        const size_t thirteen = d.ThirteenPercentCount();
        if (kind == kNonResident3NDFL) {
            p[kA30] = CeilDiv(thirteen, 4);
        } else {
            p[kA13] = CeilDiv(thirteen, 4);
            p[kA9] = CeilDiv(d.ThirtyPercentCount(), 4);
            p[kA35] = CeilDiv(d.ThirtyFivePercentCount(), 4);
        }
        p[kB9] = CeilDiv(data.ForeignAt9, 2);
        p[kB13] = CeilDiv(data.ForeignAt13, 2);
        p[kB35] = CeilDiv(data.ForeignAt35, 2);
        p[kV1] = static_cast<int>(d.BusinessCount());
        p[kV2] = static_cast<int>(d.RepetitCount());

        const Money zero;
        p[kR1] = (p[kA13] > 0 || p[kB13] > 0 || p[kV1] > 0 || p[kV2] > 0 || s.Section1.L080 > zero);
        p[kR3] = (p[kA35] > 0 || p[kB35] > 0 || s.Section3.L060 > zero);
        p[kR2] = (p[kA30] > 0 || s.Section2.L080 > zero);
        p[kR4] = (p[kA9] > 0 || p[kB9] > 0 || s.Section4.L050 > zero);
        p[kR6] = static_cast<int>(s.Section6.Rows.size());

        if (kind == kResident3NDFL) {
            const bool taxedAt13 = thirteen > 0 || d.RepetitCount() > 0 || d.BusinessCount() > 0 ||
                                   data.ForeignAt13 > 0;
            p[kK1] = d.StandartDeduct.Granted != 0 && taxedAt13;
            if (d.SocialDeduct.Granted != 0 && taxedAt13) {
                p[kK2] = 1;
                const kTSvodSumPrilE3& k3 = s.PensionInsurance;
                const kTSvodSumPrilE4& k4 = s.PensionFunds;
                p[kK3] = CeilDiv(std::max(k3.OwnRows.size(), k3.RelativesRows.size()), 2);
                p[kK4] = CeilDiv(std::max(k4.OwnRows.size(), k4.RelativesRows.size()), 2);
            }
            p[kL] = d.ConstructionDeduct.Granted != 0;
            p[kZh1] = s.PropertySale.L210 > zero;
            if (s.ShareSale.L130 > zero) {
                p[kZh2] = CeilDiv(
                    std::max(s.ShareSale.ShareRows.size(), s.ShareSale.ClaimRows.size()), 2);
            }
            if (s.ShareSaleForeign.L130 > zero) {
                p[kZh2Foreign] = CeilDiv(std::max(s.ShareSaleForeign.ShareRows.size(),
                                                  s.ShareSaleForeign.ClaimRows.size()),
                                         2);
            }
        }

        // Sheet Г: exempt income with a deduction, or the rows of its part 2.
        const bool linesCount = p[kA13] > 0 || p[kA30] > 0;
        bool exempt = false;
        size_t authorRows = 0;
        size_t contractRows = 0;
        for (size_t i = 0; i < thirteen; ++i) {
            const mTThirteenPercent& source = d.ThirteenPercent(i);
            for (size_t k = 0; k < source.IncomeCount(); ++k) {
                const mTSourseIncome& line = source.Income(k);
                if (line.DeductCode == 0) continue;
                if (linesCount && IsExemptCode(line.IncomeCode)) exempt = true;
                if (IsAuthorFeeCode(line.IncomeCode)) ++authorRows;
                if (line.IncomeCode == codes::kCivilContract) ++contractRows;
            }
        }
        size_t authorRowsForeign = 0;
        size_t contractRowsForeign = 0;
        for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
            const mTCurrencyIncome& income = d.CurrencyIncome(i);
            if (income.DeductCode == 0) continue;
            if (p[kB13] > 0 && IsExemptCode(income.IncomeCode)) exempt = true;
            if (income.IncomeRate != 13) continue;
            if (IsAuthorFeeCode(income.IncomeCode)) ++authorRowsForeign;
            if (income.IncomeCode == codes::kCivilContract) ++contractRowsForeign;
        }
        p[kG] = std::max(exempt ? 1 : 0, CeilDiv(s.Exempt.Rows.size(), 2));

        p[kZ] = SecuritiesPages(d, codes::kFirstSecurities, linesCount) *
                SecurityGroupSpread(GroupsOf(s.Securities.Tables));
        p[kI] = SecuritiesPages(d, 1535, linesCount) *
                SecurityGroupSpread(GroupsOf(s.TrustSecurities.Tables));

        if (p[kA13] > 0) {
            p[kD] = CeilDiv(authorRows, 3);
            p[kE] = CeilDiv(contractRows, 6);
            if (p[kB13] > 0) {
                p[kDForeign] = CeilDiv(authorRowsForeign, 3);
                p[kEForeign] = CeilDiv(contractRowsForeign, 6);
            }
        }
    }

    plan.Base[kTitleSheet] = 0;
    plan.Base[kSecondSheet] = 1;
    plan.Base[kR1] = 1 + p[kSecondSheet];
    for (int k = kR1 + 1; k <= kSheetKindCount; ++k) plan.Base[k] = plan.Base[k - 1] + p[k - 1];
    for (int k = 1; k <= kSheetKindCount; ++k) plan.TotalPages += p[k];
    return plan;
}

std::vector<int> kTPagePlan::KindsInOrder() const {
    std::vector<int> kinds;
    for (int kind = 1; kind <= kSheetKindCount; ++kind) {
        if (Pages[kind] > 0) kinds.push_back(kind);
    }
    std::stable_sort(kinds.begin(), kinds.end(),
                     [this](int a, int b) { return Base[a] < Base[b]; });
    return kinds;
}

std::vector<kTSheetPrint> PrintsOfRange(const kTPagePlan& plan, int from, int to) {
    std::vector<kTSheetPrint> prints;
    for (int kind : plan.KindsInOrder()) {
        const int base = plan.Base[kind];
        const int first = std::max(1, from - base);
        const int last = std::min(plan.Pages[kind], to - base);
        if (first <= last) prints.push_back({kind, first, last});
    }
    return prints;
}

}  // namespace zorv
