// The explanations of sections 1-4, the 15 % base and the rows of section 6:
// each total from the lines of the sheets it adds up, and each row of section 6
// from the refunds and payments it is made of.

#include "calc/explaintree.h"

#include "calc/calcmoney.h"
#include "model/taxlimits2008.h"

namespace zorv::explain {
namespace {

// The lines of sections 1-4 and of the 15 % base, each filled in by the method
// of its section, and the rows of section 6.
struct SectionExplainer : FamilyExplainer {
    // The advance payments on notices under one of the codes.
    void Notices(TExplainNode& n, std::string_view code1, std::string_view code2 = {}) const {
        n.words = "уплачено по уведомлениям с КБК " + std::string(code1) +
                  (code2.empty() ? "" : " и " + std::string(code2));
        for (size_t i = 0; i < d_.NalogCount(); ++i) {
            const mTNalog& notice = d_.Nalog(i);
            if (notice.BudgetCode != code1 && (code2.empty() || notice.BudgetCode != code2))
                continue;
            Add(n, Record("Платёж по уведомлению, КБК " + notice.BudgetCode, notice.BudgetCodeName,
                          notice.Amount, Target(Kind::AdvancePayment, i)));
        }
    }

    // Refund or payment: what was paid less the tax, or the tax less what was paid.
    void Difference(TExplainNode& n, std::string words,
                    std::initializer_list<std::pair<const char*, int>> lines) const {
        n.words = std::move(words);
        SumOfLines(n, lines);
        CutBy(n, kNotBelowZero);
    }

    // ---- Sections ----

    void Section1(TExplainNode& n, std::string_view key) const {
        if (d_.DeclarationKind != kResident3NDFL) return;
        if (key == "L010") {
            n.words =
                "Раздел 1, строка 010 = доходы листа А (13 %) + листа В1 + листа В2 + "
                "листа Б (13 %)";
            SumOfLines(n, {{"SheetA13.L080", 1},
                           {"SheetV1.L230", 1},
                           {"SheetV2.L210", 1},
                           {"SheetB13.L150", 1}});
        } else if (key == "L020") {
            n.words = "Раздел 1, строка 020 = необлагаемые доходы части 1 листа Г";
            SumOfLines(n, {{"SheetG.L130", 1}});
        } else if (key == "L030") {
            n.words = "Раздел 1, строка 030 = строка 010 - строка 020";
            SumOfLines(n, {{"Section1.L010", 1}, {"Section1.L020", -1}});
        } else if (key == "L040") {
            n.words =
                "Раздел 1, строка 040 = вычеты стандартные + социальные + имущественные "
                "(продажа имущества и долей, жильё) + по ценным бумагам + "
                "профессиональные";
            SumOfLines(n, {{"SheetK1.L220", 1},
                           {"SheetK2.L130", 1},
                           {"SheetZh1.L210", 1},
                           {"SheetZh2.L130", 1},
                           {"SheetZh2Foreign.L130", 1},
                           {"SheetL.L180", 1},
                           {"SheetL.L190", 1},
                           {"SheetL.L210", 1},
                           {"SheetL.L220", 1},
                           {"SheetZ.L430", 1},
                           {"SheetI.L420", 1},
                           {"SheetV1.L240", 1},
                           {"SheetV2.L220", 1},
                           {"SheetD.L110", 1},
                           {"SheetDForeign.L110", 1},
                           {"SheetE.L070", 1},
                           {"SheetEForeign.L070", 1}});
        } else if (key == "L050") {
            n.words = "Раздел 1, строка 050 = строка 030 - строка 040, не меньше 0";
            SumOfLines(n, {{"Section1.L030", 1}, {"Section1.L040", -1}});
            CutBy(n, kNotBelowZero);
        } else if (key == "L060") {
            n.words = "Раздел 1, строка 060 = строка 050 × 13 %, в целых рублях";
            TaxOn(n, Ref("Section1.L050"), L::kRateMain);
        } else if (key == "L070") {
            n.words = "Раздел 1, строка 070 = налог, удержанный налоговыми агентами (лист А)";
            SumOfLines(n, {{"SheetA13.L110", 1}});
        } else if (key == "L075") {
            n.words = "Раздел 1, строка 075 = авансовые платежи по листам В1 и В2";
            SumOfLines(n, {{"SheetV1.L260", 1}, {"SheetV2.L240", 1}});
        } else if (key == "L080") {
            Notices(n, L::kKbkSelfEmployed, L::kKbkAgents);
        } else if (key == "L090") {
            n.words = "Раздел 1, строка 090 = налог, уплаченный за рубежом и зачтённый (лист Б)";
            SumOfLines(n, {{"SheetB13.L180", 1}});
        } else if (key == "L100") {
            Difference(n,
                       "Раздел 1, строка 100 = строки 070 + 075 + 080 - строка 060, если больше "
                       "0 (налог, уплаченный за рубежом, не возвращается)",
                       {{"Section1.L070", 1},
                        {"Section1.L075", 1},
                        {"Section1.L080", 1},
                        {"Section1.L060", -1}});
        } else if (key == "L110") {
            Difference(n,
                       "Раздел 1, строка 110 = строка 060 - строки 070, 075, 080, 090, если "
                       "больше 0",
                       {{"Section1.L060", 1},
                        {"Section1.L070", -1},
                        {"Section1.L075", -1},
                        {"Section1.L080", -1},
                        {"Section1.L090", -1}});
        }
    }

    void Section2(TExplainNode& n, std::string_view key) const {
        if (key == "L010") {
            n.words = "Раздел 2, строка 010 = доходы листа А (30 %)";
            SumOfLines(n, {{"SheetA30.L080", 1}});
        } else if (key == "L020") {
            n.words = "Раздел 2, строка 020 = необлагаемые доходы листа Г (части 1 и 2)";
            if (d_.DeclarationKind == kNonResident3NDFL)
                SumOfLines(n, {{"SheetG.L130", 1}, {"SheetG.L170", 1}});
        } else if (key == "L030") {
            n.words = "Раздел 2, строка 030 = строка 010 - строка 020";
            SumOfLines(n, {{"Section2.L010", 1}, {"Section2.L020", -1}});
        } else if (key == "L040") {
            n.words = "Раздел 2, строка 040 = расходы по ценным бумагам (листы З и И)";
            if (d_.DeclarationKind == kNonResident3NDFL)
                SumOfLines(n, {{"SheetZ.L430", 1}, {"SheetI.L420", 1}});
        } else if (key == "L050") {
            n.words = "Раздел 2, строка 050 = строка 030 - строка 040, не меньше 0";
            SumOfLines(n, {{"Section2.L030", 1}, {"Section2.L040", -1}});
            CutBy(n, kNotBelowZero);
        } else if (key == "L060") {
            n.words = "Раздел 2, строка 060 = строка 050 × 30 %, в целых рублях";
            TaxOn(n, Ref("Section2.L050"), L::kRateNonResident);
        } else if (key == "L070") {
            n.words = "Раздел 2, строка 070 = налог, удержанный налоговыми агентами (лист А)";
            if (d_.DeclarationKind == kNonResident3NDFL) SumOfLines(n, {{"SheetA30.L110", 1}});
        } else if (key == "L080") {
            Notices(n, L::kKbkNonResident);
        } else if (key == "L090") {
            Difference(n, "Раздел 2, строка 090 = строки 070 + 080 - строка 060, если больше 0",
                       {{"Section2.L070", 1}, {"Section2.L080", 1}, {"Section2.L060", -1}});
        } else if (key == "L100") {
            Difference(n, "Раздел 2, строка 100 = строка 060 - строки 070, 080, если больше 0",
                       {{"Section2.L060", 1}, {"Section2.L070", -1}, {"Section2.L080", -1}});
        }
    }

    void Section3(TExplainNode& n, std::string_view key) const {
        if (d_.DeclarationKind != kResident3NDFL) return;
        if (key == "L010") {
            n.words = "Раздел 3, строка 010 = доходы листа А (35 %) + листа Б (35 %)";
            SumOfLines(n, {{"SheetA35.L080", 1}, {"SheetB35.L150", 1}});
        } else if (key == "L020") {
            n.words = "Раздел 3, строка 020 = необлагаемые призы части 2 листа Г";
            SumOfLines(n, {{"SheetG.L170", 1}});
        } else if (key == "L030") {
            n.words = "Раздел 3, строка 030 = строка 010 - строка 020, не меньше 0";
            SumOfLines(n, {{"Section3.L010", 1}, {"Section3.L020", -1}});
            CutBy(n, kNotBelowZero);
        } else if (key == "L040") {
            n.words = "Раздел 3, строка 040 = строка 030 × 35 %, в целых рублях";
            TaxOn(n, Ref("Section3.L030"), L::kRatePrizes);
        } else if (key == "L050") {
            n.words = "Раздел 3, строка 050 = налог, удержанный налоговыми агентами (лист А)";
            SumOfLines(n, {{"SheetA35.L110", 1}});
        } else if (key == "WithheldOnExempt") {
            n.words =
                "налог, удержанный с необлагаемой материальной выгоды (2620), "
                "возвращается полностью";
            SumOfLines(n, {{"SheetGBenefit.TaxWithheld", 1}});
        } else if (key == "L060") {
            Notices(n, L::kKbkPrizes);
        } else if (key == "L070") {
            n.words = "Раздел 3, строка 070 = налог, уплаченный за рубежом и зачтённый (лист Б)";
            SumOfLines(n, {{"SheetB35.L180", 1}});
        } else if (key == "L080") {
            Difference(n,
                       "Раздел 3, строка 080 = строки 050 + 060 + удержанное с выгоды - строка "
                       "040, если больше 0",
                       {{"Section3.L050", 1},
                        {"Section3.L060", 1},
                        {"Section3.WithheldOnExempt", 1},
                        {"Section3.L040", -1}});
        } else if (key == "L090") {
            Difference(n,
                       "Раздел 3, строка 090 = строка 040 - строки 050, 060, 070 и удержанное с "
                       "выгоды, если больше 0",
                       {{"Section3.L040", 1},
                        {"Section3.L050", -1},
                        {"Section3.L060", -1},
                        {"Section3.L070", -1},
                        {"Section3.WithheldOnExempt", -1}});
        }
    }

    void Section4(TExplainNode& n, std::string_view key) const {
        if (d_.DeclarationKind != kResident3NDFL) return;
        if (key == "L010") {
            n.words = "Раздел 4, строка 010 = дивиденды листа А (9 %) + листа Б (9 %)";
            SumOfLines(n, {{"SheetA9.L080", 1}, {"SheetB9.L150", 1}});
        } else if (key == "L020") {
            n.words = "Раздел 4, строка 020 = облагаемые дивиденды листа А + доход листа Б (9 %)";
            SumOfLines(n, {{"SheetA9.L090", 1}, {"SheetB9.L150", 1}});
        } else if (key == "L030") {
            n.words = "Раздел 4, строка 030 = налог, исчисленный на листе А (9 %) и на листе Б";
            SumOfLines(n, {{"SheetA9.L100", 1}, {"SheetB9.L170", 1}});
        } else if (key == "L040") {
            n.words = "Раздел 4, строка 040 = налог, удержанный налоговыми агентами (лист А)";
            SumOfLines(n, {{"SheetA9.L110", 1}});
        } else if (key == "L050") {
            Notices(n, L::kKbkNineOther, L::kKbkDividends);
        } else if (key == "L060") {
            n.words = "Раздел 4, строка 060 = налог, уплаченный за рубежом и зачтённый (лист Б)";
            SumOfLines(n, {{"SheetB9.L180", 1}});
        } else if (key == "L070") {
            Difference(n, "Раздел 4, строка 070 = строки 040 + 050 - строка 030, если больше 0",
                       {{"Section4.L040", 1}, {"Section4.L050", 1}, {"Section4.L030", -1}});
        } else if (key == "L080") {
            Difference(n, "Раздел 4, строка 080 = строка 030 - строки 040, 050, 060, если больше 0",
                       {{"Section4.L030", 1},
                        {"Section4.L040", -1},
                        {"Section4.L050", -1},
                        {"Section4.L060", -1}});
        }
    }

    void Base15(TExplainNode& n, std::string_view key) const {
        if (d_.DeclarationKind != kNonResident3NDFL) return;
        if (key == "Income") {
            n.words = "дивиденды нерезидента (лист А, 15 %)";
            SumOfLines(n, {{"SheetA15.L080", 1}});
        } else if (key == "TaxBase") {
            n.words = "облагаемые дивиденды нерезидента (лист А, 15 %)";
            SumOfLines(n, {{"SheetA15.L090", 1}});
        } else if (key == "TaxComputed") {
            n.words = "налоговая база × 15 %, в целых рублях";
            TaxOn(n, Ref("Base15.TaxBase"), L::kRateDividendsNonRes);
        } else if (key == "TaxWithheld") {
            n.words = "налог, удержанный налоговыми агентами";
            SumOfLines(n, {{"SheetA15.L110", 1}});
        } else if (key == "PaidOnNotice") {
            Notices(n, L::kKbkDividendsNonRes);
        } else if (key == "Refund") {
            Difference(n, "удержано + уплачено - налог, если больше 0",
                       {{"Base15.TaxWithheld", 1},
                        {"Base15.PaidOnNotice", 1},
                        {"Base15.TaxComputed", -1}});
        } else if (key == "Payment") {
            Difference(n, "налог - удержано - уплачено, если больше 0",
                       {{"Base15.TaxComputed", 1},
                        {"Base15.TaxWithheld", -1},
                        {"Base15.PaidOnNotice", -1}});
        }
    }

    // ---- Section 6 ----

    struct RowPlan {
        std::string code, okato;
        std::vector<TExplainNode> parts;
        Money Total() const {
            Money total;
            for (const TExplainNode& part : parts) total += part.amount;
            return total;
        }
    };

    // The rows of section 6 built again with what each is made of, in the order
    // in which the totals build them.
    std::vector<RowPlan> Section6Plan() const {
        std::vector<RowPlan> rows;
        const std::string& own = d_.Person.OKATO;
        const std::string agents = L::kKbkAgents;
        const std::string selfEmployed = L::kKbkSelfEmployed;
        if (!s_.Section1.L100.IsZero()) {
            Money r = s_.Section1.L100;
            Money advances;
            if (d_.HasIncome(kIncomeBusiness) && d_.BusinessCount() > 0 &&
                d_.AdvanceActual > Money())
                advances = d_.AdvanceActual;
            if (d_.HasIncome(kIncomeRepetit) && d_.RepetitCount() > 0 && d_.RepetitTotal1 > Money())
                advances += d_.RepetitTotal1;
            if (advances > Money()) {
                const Money part = Min(advances, r);
                const bool business = d_.HasIncome(kIncomeBusiness) && d_.BusinessCount() > 0;
                rows.push_back(
                    {selfEmployed,
                     own,
                     {Record("Авансовые платежи", "возврат уплаченных авансов", part,
                             Target(business ? Kind::Business : Kind::PrivatePractice))}});
                r -= part;
            }
            for (size_t i = 0; i < d_.ThirteenPercentCount() && r > Money(); ++i) {
                const mTThirteenPercent& source = d_.ThirteenPercent(i);
                if (source.TaxWithheld <= Money()) continue;
                const Money part = Min(source.TaxWithheld, r);
                TExplainNode node = Record(SourceTitle(source),
                                           "возврат налога, удержанного агентом (удержано " +
                                               Grouped(source.TaxWithheld) + ")",
                                           part, Target(Kind::ThirteenSource, i));
                bool merged = false;
                for (RowPlan& row : rows) {
                    if (row.code == agents && row.okato == source.OKATO) {
                        row.parts.push_back(std::move(node));
                        merged = true;
                        break;
                    }
                }
                if (!merged) rows.push_back({agents, source.OKATO, {std::move(node)}});
                r -= part;
            }
            std::string noticeCode;
            if (r > Money()) {
                for (size_t i = 0; i < d_.NalogCount() && noticeCode.empty(); ++i) {
                    const std::string& code = d_.Nalog(i).BudgetCode;
                    if (code == agents || code == selfEmployed) noticeCode = code;
                }
                Money paid;
                std::optional<TExplainTarget> first;
                for (size_t i = 0; i < d_.NalogCount(); ++i) {
                    if (d_.Nalog(i).BudgetCode != noticeCode) continue;
                    paid += d_.Nalog(i).Amount;
                    if (!first) first = Target(Kind::AdvancePayment, i);
                }
                if (!noticeCode.empty() && paid > Money()) {
                    const Money part = Min(paid, r);
                    rows.push_back({noticeCode,
                                    own,
                                    {Record("Платежи по уведомлениям",
                                            "возврат уплаченного по уведомлениям", part, first)}});
                    r -= part;
                }
            }
            if (r > Money()) {
                rows.push_back({noticeCode != agents ? agents : selfEmployed,
                                own,
                                {Record("Остаток возврата", "остаток строки 100 раздела 1", r)}});
            }
        }
        if (!s_.Section1.L110.IsZero()) {
            Money t = s_.Section1.L110;
            if (d_.HasIncome(kIncomeBusiness) || d_.HasIncome(kIncomeRepetit)) {
                const Money own13 =
                    TaxAtRate(s_.Business.Income + s_.PrivatePractice.Income -
                                  s_.Business.Deduction - s_.PrivatePractice.Deduction,
                              L::kRateMain) -
                    s_.Business.AdvancePaid - s_.PrivatePractice.AdvancePaid;
                if (own13 > Money()) {
                    const Money part = Min(own13, t);
                    rows.push_back({selfEmployed,
                                    own,
                                    {Record("Налог с предпринимательской деятельности",
                                            "налог по листам В1 и В2 за вычетом авансов", part)}});
                    t -= part;
                }
            }
            if (t > Money()) {
                rows.push_back(
                    {agents, own, {Record("Остаток к уплате", "остаток строки 110 раздела 1", t)}});
            }
        }
        const auto refundOrPay = [&](const char* code, const std::string& okato,
                                     const char* refundId, Money refund, const char* payId,
                                     Money payment) {
            if (!refund.IsZero()) rows.push_back({code, okato, {Ref(refundId)}});
            if (!payment.IsZero()) rows.push_back({code, own, {Ref(payId)}});
        };
        refundOrPay(L::kKbkPrizes, s_.OkatoThirtyFive, "Section3.L080", s_.Section3.L080,
                    "Section3.L090", s_.Section3.L090);
        refundOrPay(L::kKbkNonResident, s_.OkatoThirteen, "Section2.L090", s_.Section2.L090,
                    "Section2.L100", s_.Section2.L100);
        refundOrPay(L::kKbkDividends, s_.OkatoDividends, "Section4.L070", s_.Section4.L070,
                    "Section4.L080", s_.Section4.L080);
        refundOrPay(L::kKbkDividendsNonRes, s_.OkatoFifteen, "Base15.Refund", s_.Base15.Refund,
                    "Base15.Payment", s_.Base15.Payment);
        return rows;
    }

    // A row of section 6 by its key ("Row1"), with the refunds and payments it is
    // made of.
    std::optional<TExplainNode> Section6Row(std::string_view key) const {
        if (key.size() < 4 || key.substr(0, 3) != "Row") return std::nullopt;
        size_t number = 0;
        for (char c : key.substr(3)) {
            if (c < '0' || c > '9' || number > s_.Section6.Rows.size()) return std::nullopt;
            number = number * 10 + static_cast<size_t>(c - '0');
        }
        if (number == 0 || number > s_.Section6.Rows.size() || key[3] == '0') return std::nullopt;
        const bmTList1& row = s_.Section6.Rows[number - 1];
        TExplainNode n;
        n.id = "Section6.Row" + std::to_string(number);
        n.line = "Раздел 6, строка " + std::to_string(number) + ": КБК " + row.BudgetCode +
                 ", ОКАТО " + row.OKATO;
        n.amount = row.Amount;
        n.words = row.Sign == "1"   ? "к уплате в бюджет"
                  : row.Sign == "2" ? "к возврату из бюджета"
                                    : "ни к уплате, ни к возврату";
        // The plan follows the totals; were they ever to part ways, the row keeps
        // its amount without a breakdown rather than show a wrong one.
        const std::vector<RowPlan> plan = Section6Plan();
        if (plan.size() == s_.Section6.Rows.size()) {
            const RowPlan& rowPlan = plan[number - 1];
            if (rowPlan.code == row.BudgetCode && rowPlan.okato == row.OKATO &&
                rowPlan.Total() == row.Amount) {
                for (const TExplainNode& part : rowPlan.parts) Add(n, part);
            }
        }
        return n;
    }
};

}  // namespace

void ExplainSectionLine(const Explainer& lines, TExplainNode& n, std::string_view sheet,
                        std::string_view key) {
    const SectionExplainer sections{FamilyExplainer(lines)};
    if (sheet == "Section1") return sections.Section1(n, key);
    if (sheet == "Section2") return sections.Section2(n, key);
    if (sheet == "Section3") return sections.Section3(n, key);
    if (sheet == "Section4") return sections.Section4(n, key);
    if (sheet == "Base15") return sections.Base15(n, key);
}

std::optional<TExplainNode> ExplainSection6Row(const Explainer& lines, std::string_view key) {
    return SectionExplainer{FamilyExplainer(lines)}.Section6Row(key);
}

}  // namespace zorv::explain
