#include "calc/socialsheets.h"

#include <cstddef>
#include <cstdint>

#include "calc/calcmoney.h"
#include "calc/svodsum.h"
#include "model/taxlimits2008.h"

namespace zorv {
namespace L = limits2008;

namespace {

constexpr int kMonths = 12;

// Personal codes of article 218, item 1, and the child code of a parent.
constexpr uint32_t kPersonal400 = 103;
constexpr uint32_t kPersonal500 = 104;
constexpr uint32_t kPersonal3000 = 105;
constexpr uint32_t kPersonalByMonth = 110;
constexpr uint32_t kChildOfParent = 101;

// Values of CodeByMonth under code 110: which personal deduction the month takes.
constexpr uint32_t kMonth400 = 0;
constexpr uint32_t kMonth500 = 1;
constexpr uint32_t kMonth3000 = 2;

// An income line keeps its month (1-12) in the low seven bits of Month.
constexpr uint16_t kMonthMask = 0x7F;

// Contract kinds of the social block's pension list.
constexpr uint32_t kInsuranceOwn = 1;
constexpr uint32_t kInsuranceRelatives = 2;
constexpr uint32_t kFundOwn = 3;
constexpr uint32_t kFundRelatives = 4;

// Children's deduction of one kind (ordinary or disabled): with a constant count
// the months within 40 000 times the count, else the children of each month among
// the first monthsWithin40 months that had income.
Money ChildrenDeduction(bool constant, uint32_t count, const std::array<uint32_t, 12>& byMonth,
                        int monthsWithIncome40, int monthsWithin40,
                        const std::array<bool, kMonths>& hasIncome, Money rate) {
    if (constant) return rate * (static_cast<int64_t>(monthsWithIncome40) * count);
    Money total;
    for (int m = 0; m < monthsWithin40; ++m) {
        if (hasIncome[static_cast<size_t>(m)]) {
            total += rate * static_cast<int64_t>(byMonth[static_cast<size_t>(m)]);
        }
    }
    return total;
}

mbTPens PensRow(const mTPens& contract, Money accepted) {
    mbTPens row;
    row.Name = contract.Name;
    row.INN = contract.INN;
    row.KPP = contract.KPP;
    row.ContractNumber = contract.ContractNumber;
    row.ContractDate = contract.ContractDate;
    row.Contributions = contract.Contributions;
    row.Accepted = accepted;
    return row;
}

// Sheets К3 and К4 walk the same contract list from the same limit; each takes
// its own two kinds and counts the other sheet's contracts off the limit in full,
// so that together they hand the limit out in list order.
template <typename Sheet>
void ComputePensionSheet(Sheet& sheet, const mTDeclaration& d, Money limit, uint32_t ownKind,
                         uint32_t relativesKind) {
    Money remaining = limit;
    const mTSocialDeduct& social = d.SocialDeduct;
    for (size_t i = 0; i < social.PensCount(); ++i) {
        const mTPens& contract = social.Pens(i);
        const bool own = contract.ContractKind == ownKind;
        if (own || contract.ContractKind == relativesKind) {
            if (remaining <= Money()) continue;
            const Money accepted = Min(remaining, contract.Contributions);
            remaining -= accepted;
            if (own) {
                sheet.OwnRows.push_back(PensRow(contract, accepted));
                sheet.OwnTotal += accepted;
            } else {
                sheet.RelativesRows.push_back(PensRow(contract, accepted));
                sheet.RelativesTotal += accepted;
            }
        } else {
            remaining = Max(Money(), remaining - contract.Contributions);
        }
    }
}

template <typename Sheet>
Json PensionSheetJson(const Sheet& sheet, SheetLines<Sheet> lines) {
    Json out = Json::object();
    out["OwnRows"] = RowsToJson(sheet.OwnRows);
    out["RelativesRows"] = RowsToJson(sheet.RelativesRows);
    AddLinesToJson(out, sheet, lines);
    return out;
}

}  // namespace

// ---- Sheet К1 ----

Money& kTSvodSumPrilE1::Cumulative(int i) {
    return this->*kSheetK1Lines[i].member;
}
const Money& kTSvodSumPrilE1::Cumulative(int i) const {
    return this->*kSheetK1Lines[i].member;
}

void kTSvodSumPrilE1::Clear() {
    *this = kTSvodSumPrilE1();
}

bool kTSvodSumPrilE1::Compute(mTDeclaration& d, kTSvodSum&) {
    Clear();
    const mTStandartDeduct& sd = d.StandartDeduct;
    if (d.DeclarationKind != kResident3NDFL || sd.Granted == 0) return true;

    std::array<bool, kMonths> hasIncome{};
    if (sd.HasMonthlyBusiness != 0) {
        // Entrepreneur's own monthly table: a running balance of income less
        // expenses; a line never shows less than 0, the shortfall is carried on.
        Money running;
        for (int m = 0; m < kMonths; ++m) {
            const size_t k = static_cast<size_t>(m);
            MonthIncome[k] = sd.MonthlyIncome(m + 1);
            MonthExpense[k] = sd.MonthlyExpense(m + 1);
            hasIncome[k] = sd.MonthMark(m) != 0;
            running += MonthIncome[k] - MonthExpense[k];
            Cumulative(m) = Max(Money(), running);
        }
    } else {
        // Income of the primary workplace, month by month.
        std::array<Money, kMonths> net{};
        for (size_t i = 0; i < d.ThirteenPercentCount(); ++i) {
            const mTThirteenPercent& source = d.ThirteenPercent(i);
            if (source.IsPrimaryWorkplace != 1) continue;
            for (size_t j = 0; j < source.IncomeCount(); ++j) {
                const mTSourseIncome& line = source.Income(j);
                const int month = line.Month & kMonthMask;
                if (month < 1 || month > kMonths) continue;  // counts in no month
                net[static_cast<size_t>(month - 1)] += line.IncomeSum - line.DeductSum;
                hasIncome[static_cast<size_t>(month - 1)] = true;
            }
        }
        Money running;
        for (int m = 0; m < kMonths; ++m) {
            running += net[static_cast<size_t>(m)];
            Cumulative(m) = running;
        }
    }

    // Months with income until the cumulative income first exceeds 20 000.
    for (int m = 0; m < kMonths; ++m) {
        if (Cumulative(m) > L::kStdPersonalIncomeLimit) break;
        if (hasIncome[static_cast<size_t>(m)]) ++L130;
    }
    // The same within 40 000; monthsWithin40 counts every month walked.
    int monthsWithin40 = 0;
    for (int m = 0; m < kMonths; ++m) {
        if (Cumulative(m) > L::kChildIncomeLimit) break;
        ++monthsWithin40;
        if (hasIncome[static_cast<size_t>(m)]) ++L140;
    }
    int monthsWithIncome = 0;
    for (bool income : hasIncome) monthsWithIncome += income ? 1 : 0;

    switch (sd.PersonalCode) {
        case kPersonal400:
            L170 = L::kStdDeduction400 * L130;
            break;
        case kPersonal500:
            L160 = L::kStdDeduction500 * monthsWithIncome;
            break;
        case kPersonal3000:
            L150 = L::kStdDeduction3000 * monthsWithIncome;
            break;
        case kPersonalByMonth: {
            // The code is chosen month by month (a change of status during the year).
            int count3000 = 0, count500 = 0, count400 = 0;
            bool over20 = false;
            for (int m = 0; m < kMonths; ++m) {
                if (Cumulative(m) > L::kStdPersonalIncomeLimit) over20 = true;
                if (!hasIncome[static_cast<size_t>(m)]) continue;
                switch (sd.CodeByMonth(m + 1)) {
                    case kMonth3000:
                        ++count3000;
                        break;
                    case kMonth500:
                        ++count500;
                        break;
                    case kMonth400:
                        if (!over20) ++count400;
                        break;
                    default:
                        break;
                }
            }
            L150 = L::kStdDeduction3000 * count3000;
            L160 = L::kStdDeduction500 * count500;
            L170 = L::kStdDeduction400 * count400;
            break;
        }
        default:
            break;
    }

    if (sd.ChildKindCode != 0) {
        const bool parent = sd.ChildKindCode == kChildOfParent;
        const Money ordinary = ChildrenDeduction(
            sd.ChildrenConstant != 0, sd.ChildrenCount, sd.ChildrenByMonth, L140, monthsWithin40,
            hasIncome, parent ? L::kChildParent : L::kChildSingleParent);
        const Money disabled =
            ChildrenDeduction(sd.DisabledChildrenConstant != 0, sd.DisabledChildrenCount,
                              sd.DisabledChildrenByMonth, L140, monthsWithin40, hasIncome,
                              parent ? L::kDisabledChildParent : L::kDisabledChildSingleParent);
        (parent ? L180 : L190) = ordinary;
        (parent ? L200 : L210) = disabled;
    }

    L220 = L150 + L160 + L170 + L180 + L190 + L200 + L210;
    if (L120 < L220) L220 = L120;
    if (L220.IsNegative()) L220 = Money();
    return true;
}

// ---- Sheet К2 (with К3 and К4) ----

void kTSvodSumPrilE2::Clear() {
    *this = kTSvodSumPrilE2();
}

bool kTSvodSumPrilE2::Compute(mTDeclaration& d, kTSvodSum& s) {
    Clear();
    s.PensionInsurance.Clear();
    s.PensionFunds.Clear();
    mTSocialDeduct& social = d.SocialDeduct;
    if (d.DeclarationKind != kResident3NDFL || social.Granted == 0) return true;

    // Charity: at most 25 % of the income taxed at 13 %.
    L010 = social.CharitySum;
    const Money income =
        s.Income13.Income + s.Foreign13.Income + s.Business.Income + s.PrivatePractice.Income;
    if (static_cast<__int128>(L010.Raw()) * 100 >
        static_cast<__int128>(income.Raw()) * L::kCharityPercent) {
        L010 = PercentTruncatedToKopeck(income, L::kCharityPercent);
    }

    L050 = social.SelfEducationSum;

    // Children's education: at most 50 000 per child; the cap is kept in the block.
    for (size_t i = 0; i < social.EducationSumCount(); ++i) {
        const int index = static_cast<int>(i);
        Money amount = social.EducationSum(index);
        if (amount > L::kChildEducationLimit) {
            amount = L::kChildEducationLimit;
            social.SetEducationSum(index, amount);
        }
        L020 += amount;
    }

    L060 = social.MedicalSum;
    L030 = social.ExpensiveMedicalSum;
    L070 = social.InsuranceSum;

    // What the 100 000 limit leaves for the pension contracts.
    const Money pensionLimit = Max(Money(), L::kSocialLimit - L050 - L060 - L070);
    s.PensionInsurance.Compute(d, pensionLimit);
    L080 = s.PensionInsurance.OwnTotal;
    L090 = s.PensionInsurance.RelativesTotal;
    s.PensionFunds.Compute(d, pensionLimit);
    L100 = s.PensionFunds.OwnTotal;
    L110 = s.PensionFunds.RelativesTotal;

    L040 = L010 + L020 + L030;
    L120 = Min(L070 + L080 + L090 + L100 + L110 + L050 + L060, L::kSocialLimit);
    L130 = L040 + L120;
    return true;
}

void kTSvodSumPrilE3::Clear() {
    *this = kTSvodSumPrilE3();
}

void kTSvodSumPrilE3::Compute(const mTDeclaration& d, Money limit) {
    Clear();
    ComputePensionSheet(*this, d, limit, kInsuranceOwn, kInsuranceRelatives);
}

void kTSvodSumPrilE4::Clear() {
    *this = kTSvodSumPrilE4();
}

void kTSvodSumPrilE4::Compute(const mTDeclaration& d, Money limit) {
    Clear();
    ComputePensionSheet(*this, d, limit, kFundOwn, kFundRelatives);
}

// ---- JSON ----

Json ToJson(const kTSvodSumPrilE1& sheet) {
    Json out = Json::object();
    out["L130"] = sheet.L130;
    out["L140"] = sheet.L140;
    Json income = Json::array();
    Json expense = Json::array();
    for (int m = 0; m < kMonths; ++m) {
        income.push_back(MoneyToJson(sheet.MonthIncome[static_cast<size_t>(m)]));
        expense.push_back(MoneyToJson(sheet.MonthExpense[static_cast<size_t>(m)]));
    }
    out["MonthIncome"] = income;
    out["MonthExpense"] = expense;
    AddLinesToJson(out, sheet, kSheetK1Lines);
    return out;
}

Json ToJson(const kTSvodSumPrilE2& sheet) {
    return LinesToJson(sheet, kSheetK2Lines);
}

Json ToJson(const mbTPens& row) {
    Json out = Json::object();
    out["Name"] = row.Name;
    out["INN"] = row.INN;
    out["KPP"] = row.KPP;
    out["ContractNumber"] = row.ContractNumber;
    out["ContractDate"] = DateToJson(row.ContractDate);
    out["Contributions"] = MoneyToJson(row.Contributions);
    out["Accepted"] = MoneyToJson(row.Accepted);
    return out;
}

Json ToJson(const kTSvodSumPrilE3& sheet) {
    return PensionSheetJson(sheet, kSheetK3Lines);
}
Json ToJson(const kTSvodSumPrilE4& sheet) {
    return PensionSheetJson(sheet, kSheetK4Lines);
}

}  // namespace zorv
