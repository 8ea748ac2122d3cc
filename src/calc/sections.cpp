#include "calc/sections.h"

#include <cstddef>
#include <string_view>

#include "calc/calcmoney.h"
#include "calc/svodsum.h"
#include "model/taxlimits2008.h"

namespace zorv {
namespace L = limits2008;

namespace {

// Taxpayer categories of the title page that pay tax on their own activity
// (article 227): entrepreneur, head of a farm, notary, lawyer.
constexpr uint8_t kLastSelfEmployedCategory = 3;

constexpr const char* kSignPay = "1";
constexpr const char* kSignRefund = "2";
constexpr const char* kSignNothing = "3";

// Sum of the advance payments made on notices under one of the given codes.
Money NoticePayments(const mTDeclaration& d, std::string_view code1, std::string_view code2 = {}) {
    Money total;
    for (size_t i = 0; i < d.NalogCount(); ++i) {
        const mTNalog& n = d.Nalog(i);
        if (n.BudgetCode == code1 || (!code2.empty() && n.BudgetCode == code2)) total += n.Amount;
    }
    return total;
}

// What the taxpayer paid above the tax, or 0.
Money Overpaid(Money tax, Money paid) {
    return tax < paid ? paid - tax : Money();
}

void AddRow(kTSvodSumList6& section, const std::string& code, const std::string& okato,
            const char* sign, Money amount) {
    section.Rows.push_back(bmTList1{code, okato, sign, amount});
}

}  // namespace

// ---- Section 1, 13 % ----

void kTSvodSumList1::Clear() {
    *this = kTSvodSumList1();
}

bool kTSvodSumList1::Compute(mTDeclaration& d, kTSvodSum& s) {
    Clear();
    if (d.DeclarationKind != kResident3NDFL) return true;
    L010 = s.Income13.Income + s.Business.Income + s.PrivatePractice.Income + s.Foreign13.Income;
    L020 = s.Exempt.L130;
    L030 = L010 - L020;
    L040 = s.StandardDeductions.L220 + s.SocialDeductions.L130 + s.ShareSale.L130 +
           s.PropertySale.L210 + s.ShareSaleForeign.L130 + s.Housing.L210 + s.Housing.L220 +
           s.Housing.L190 + s.Housing.L180 + s.Securities.TotalExpense +
           s.TrustSecurities.TotalExpense + s.Business.Deduction + s.PrivatePractice.Deduction +
           s.AuthorFees.Expense + s.AuthorFeesForeign.Expense + s.CivilContracts.Expense +
           s.CivilContractsForeign.Expense;
    L050 = Max(Money(), L030 - L040);
    L060 = TaxAtRate(L050, L::kRateMain);
    L070 = s.Income13.TaxWithheld;
    L075 = s.Business.AdvancePaid + s.PrivatePractice.AdvancePaid;
    L080 = NoticePayments(d, L::kKbkSelfEmployed, L::kKbkAgents);
    L090 = s.Foreign13.TaxCredit;
    // Tax paid abroad lowers what is due but is never refunded here.
    L100 = Overpaid(L060, L070 + L075 + L080);
    L110 = Overpaid(L070 + L075 + L080 + L090, L060);
    return true;
}

// ---- Section 2, 30 % ----

void kTSvodSumList2::Clear() {
    *this = kTSvodSumList2();
}

bool kTSvodSumList2::Compute(mTDeclaration& d, kTSvodSum& s) {
    Clear();
    if (d.DeclarationKind == kNonResident3NDFL) {
        L010 = s.Income30.Income;
        L020 = s.Exempt.L130 + s.Exempt.L170;
        L030 = L010 - L020;
        L040 = s.Securities.TotalExpense + s.TrustSecurities.TotalExpense;
        L050 = Max(Money(), L030 - L040);
        L060 = TaxAtRate(L050, L::kRateNonResident);
        L070 = s.Income30.TaxWithheld;
    }
    // Payments on notices under the 30 % code count whatever the residency.
    L080 = NoticePayments(d, L::kKbkNonResident);
    L090 = Overpaid(L060, L070 + L080);
    L100 = Overpaid(L070 + L080, L060);
    return true;
}

// ---- Section 3, 35 % ----

void kTSvodSumList3::Clear() {
    *this = kTSvodSumList3();
}

bool kTSvodSumList3::Compute(mTDeclaration& d, kTSvodSum& s) {
    Clear();
    if (d.DeclarationKind != kResident3NDFL) return true;
    L010 = s.Income35.Income + s.Foreign35.Income;
    L020 = s.Exempt.L170;
    L030 = Max(Money(), L010 - L020);
    L040 = TaxAtRate(L030, L::kRatePrizes);
    L050 = s.Income35.TaxWithheld;
    // Tax withheld from the exempt material benefit (code 2620) is all refunded.
    WithheldOnExempt = s.BenefitWithheld.TaxWithheld;
    L060 = NoticePayments(d, L::kKbkPrizes);
    L070 = s.Foreign35.TaxCredit;
    L080 = Overpaid(L040, L050 + L060 + WithheldOnExempt);
    L090 = Overpaid(L050 + L060 + L070 + WithheldOnExempt, L040);
    return true;
}

// ---- Section 4, 9 % ----

void kTSvodSumList4::Clear() {
    *this = kTSvodSumList4();
}

bool kTSvodSumList4::Compute(mTDeclaration& d, kTSvodSum& s) {
    Clear();
    if (d.DeclarationKind != kResident3NDFL) return true;
    L010 = s.DividendsRes.Income + s.Foreign9.Income;
    L020 = s.DividendsRes.TaxableIncome + s.Foreign9.Income;
    // The sheets' own taxes, not recomputed from the base.
    L030 = s.DividendsRes.TaxComputed + s.Foreign9.TaxComputedRF;
    L040 = s.DividendsRes.TaxWithheld;
    L050 = NoticePayments(d, L::kKbkNineOther, L::kKbkDividends);
    L060 = s.Foreign9.TaxCredit;
    L070 = Overpaid(L030, L040 + L050);
    L080 = Overpaid(L040 + L050 + L060, L030);
    return true;
}

// ---- Dividends of a non-resident, 15 % ----

void kTSvodSumList5::Clear() {
    *this = kTSvodSumList5();
}

bool kTSvodSumList5::Compute(mTDeclaration& d, kTSvodSum& s) {
    Clear();
    if (d.DeclarationKind != kNonResident3NDFL) return true;
    Income = s.DividendsNonRes.Income;
    TaxBase = s.DividendsNonRes.TaxableIncome;
    TaxComputed = TaxAtRate(TaxBase, L::kRateDividendsNonRes);
    TaxWithheld = s.DividendsNonRes.TaxWithheld;
    PaidOnNotice = NoticePayments(d, L::kKbkDividendsNonRes);
    Refund = Overpaid(TaxComputed, TaxWithheld + PaidOnNotice);
    Payment = Overpaid(TaxWithheld + PaidOnNotice, TaxComputed);
    return true;
}

// ---- Section 6 ----

void kTSvodSumList6::Clear() {
    Rows.clear();
}

bool kTSvodSumList6::Compute(mTDeclaration& d, kTSvodSum& s) {
    Clear();
    const std::string& own = d.Person.OKATO;
    const std::string agents = L::kKbkAgents;
    const std::string selfEmployed = L::kKbkSelfEmployed;

    // Section 1 refund: first what the taxpayer paid himself in advance, then the
    // tax withheld by each agent (to the agent's territory), then the payments on
    // notices, and whatever is left under the agents' code.
    if (!s.Section1.L100.IsZero()) {
        Money r = s.Section1.L100;
        Money advances;
        if (d.HasIncome(kIncomeBusiness) && d.BusinessCount() > 0 && d.AdvanceActual > Money()) {
            advances = d.AdvanceActual;
        }
        if (d.HasIncome(kIncomeRepetit) && d.RepetitCount() > 0 && d.RepetitTotal1 > Money()) {
            advances += d.RepetitTotal1;
        }
        if (advances > Money()) {
            const Money part = Min(advances, r);
            AddRow(*this, selfEmployed, own, kSignRefund, part);
            r -= part;
        }
        for (size_t i = 0; i < d.ThirteenPercentCount() && r > Money(); ++i) {
            const mTThirteenPercent& source = d.ThirteenPercent(i);
            if (source.TaxWithheld <= Money()) continue;
            const Money part = r > source.TaxWithheld ? source.TaxWithheld : r;
            bool merged = false;
            for (bmTList1& row : Rows) {
                if (row.BudgetCode == agents && row.OKATO == source.OKATO) {
                    row.Amount += part;
                    merged = true;
                    break;
                }
            }
            if (!merged) AddRow(*this, agents, source.OKATO, kSignRefund, part);
            r -= part;
        }
        // Payments on notices: those under the code of the first notice paid under
        // a 13 % code. Notices under other rates' codes belong to their own
        // sections and are refunded there.
        std::string noticeCode;
        if (r > Money()) {
            for (size_t i = 0; i < d.NalogCount() && noticeCode.empty(); ++i) {
                const std::string& code = d.Nalog(i).BudgetCode;
                if (code == agents || code == selfEmployed) noticeCode = code;
            }
            Money paid;
            for (size_t i = 0; i < d.NalogCount(); ++i) {
                if (d.Nalog(i).BudgetCode == noticeCode) paid += d.Nalog(i).Amount;
            }
            if (!noticeCode.empty() && paid > Money()) {
                const Money part = Min(paid, r);
                AddRow(*this, noticeCode, own, kSignRefund, part);
                r -= part;
            }
        }
        if (r > Money()) {
            AddRow(*this, noticeCode != agents ? agents : selfEmployed, own, kSignRefund, r);
        }
    }

    // Section 1 payment: the tax on the taxpayer's own activity less his advance
    // payments goes under the self-employed code, the rest under the agents' code.
    if (!s.Section1.L110.IsZero()) {
        Money t = s.Section1.L110;
        if (d.HasIncome(kIncomeBusiness) || d.HasIncome(kIncomeRepetit)) {
            const Money own13 = TaxAtRate(s.Business.Income + s.PrivatePractice.Income -
                                              s.Business.Deduction - s.PrivatePractice.Deduction,
                                          L::kRateMain) -
                                s.Business.AdvancePaid - s.PrivatePractice.AdvancePaid;
            if (own13 > Money()) {
                const Money part = Min(own13, t);
                AddRow(*this, selfEmployed, own, kSignPay, part);
                t -= part;
            }
        }
        if (t > Money()) AddRow(*this, agents, own, kSignPay, t);
    }

    // Other rates: refunds to the territory of the source that withheld the tax,
    // payments to the taxpayer's own territory.
    const auto refundOrPay = [&](const char* code, const std::string& refundOkato, Money refund,
                                 Money payment) {
        if (!refund.IsZero()) AddRow(*this, code, refundOkato, kSignRefund, refund);
        if (!payment.IsZero()) AddRow(*this, code, own, kSignPay, payment);
    };
    refundOrPay(L::kKbkPrizes, s.OkatoThirtyFive, s.Section3.L080, s.Section3.L090);
    refundOrPay(L::kKbkNonResident, s.OkatoThirteen, s.Section2.L090, s.Section2.L100);
    refundOrPay(L::kKbkDividends, s.OkatoDividends, s.Section4.L070, s.Section4.L080);
    refundOrPay(L::kKbkDividendsNonRes, s.OkatoFifteen, s.Base15.Refund, s.Base15.Payment);

    // Nothing to pay or refund: one row with the code of the taxpayer's main income.
    if (Rows.empty()) {
        const char* code = L::kKbkAgents;
        if (d.TaxpayerCategory <= kLastSelfEmployedCategory) {
            code = L::kKbkSelfEmployed;
        } else if (d.ThirteenPercentCount() > 0) {
            code = L::kKbkAgents;
        } else if (d.ThirtyPercentCount() > 0) {
            code = L::kKbkDividends;
        } else if (d.ThirtyFivePercentCount() > 0) {
            code = L::kKbkPrizes;
        }
        AddRow(*this, code, own, kSignNothing, Money());
    }
    return true;
}

// ---- JSON ----

Json ToJson(const kTSvodSumList1& x) {
    return LinesToJson(x, kSection1Lines);
}

Json ToJson(const kTSvodSumList2& x) {
    return LinesToJson(x, kSection2Lines);
}

Json ToJson(const kTSvodSumList3& x) {
    return LinesToJson(x, kSection3Lines);
}

Json ToJson(const kTSvodSumList4& x) {
    return LinesToJson(x, kSection4Lines);
}

Json ToJson(const kTSvodSumList5& x) {
    return LinesToJson(x, kBase15Lines);
}

Json ToJson(const bmTList1& row) {
    Json out = Json::object();
    out["BudgetCode"] = row.BudgetCode;
    out["OKATO"] = row.OKATO;
    out["Sign"] = row.Sign;
    out["Amount"] = MoneyToJson(row.Amount);
    return out;
}

Json ToJson(const kTSvodSumList6& x) {
    Json out = Json::object();
    out["Rows"] = RowsToJson(x.Rows);
    return out;
}

}  // namespace zorv
