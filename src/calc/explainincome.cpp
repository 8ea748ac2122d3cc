// The explanations of the income sheets: sheet А at each rate by its sources,
// sheet Б by its foreign-currency records, sheets В1 and В2 by the activities
// and practices, sheet Г by the income lines of its exempt income, and the tax
// withheld on the 2620 benefit.

#include "calc/explaintree.h"

#include "calc/calcmoney.h"
#include "codes/incomecodes.h"
#include "model/taxlimits2008.h"

namespace zorv::explain {
namespace {

// The lines of sheets А, Б, В1, В2 and Г and of the 2620 benefit, each filled in
// by the method of its sheet.
struct IncomeExplainer : FamilyExplainer {
    // ---- Sheet А ----

    void SheetAThirteen(TExplainNode& n, std::string_view key) const {
        const bool resident = d_.DeclarationKind == kResident3NDFL;
        if (resident != (n.id.rfind("SheetA13", 0) == 0)) return;
        n.words = key == "L080" ? "доходы всех источников выплаты"
                  : key == "L090" ? "облагаемый доход по всем источникам"
                  : key == "L100" ? "налог, исчисленный всеми источниками"
                                  : "налог, удержанный всеми источниками";
        for (size_t i = 0; i < d_.ThirteenPercentCount(); ++i) {
            const mTThirteenPercent& source = d_.ThirteenPercent(i);
            TExplainNode node =
                Record(SourceTitle(source), "", Money(), Target(Kind::ThirteenSource, i));
            if (key == "L080") {
                node.words = "доход по строкам источника";
                for (size_t j = 0; j < source.IncomeCount(); ++j) {
                    const mTSourseIncome& line = source.Income(j);
                    node.amount += line.IncomeSum;
                    Add(node,
                        Record("Доход с кодом " + std::to_string(line.IncomeCode) +
                                   (line.Month != 0 ? ", месяц " + std::to_string(line.Month & 0x7F)
                                                    : ""),
                               line.IncomeName, line.IncomeSum, Target(Kind::ThirteenLine, i, j)));
                }
            } else if (key == "L090") {
                node.words = "облагаемый доход источника";
                node.amount = source.TaxableIncome;
            } else if (key == "L100") {
                node.words = "исчислено источником";
                node.amount = source.TaxComputed;
            } else {
                node.words = "удержано источником";
                node.amount = source.TaxWithheld;
            }
            Add(n, std::move(node));
        }
    }

    void SheetADividends(TExplainNode& n, std::string_view key, std::string_view sheet) const {
        const bool resident = d_.DeclarationKind == kResident3NDFL;
        if (resident != (sheet == "SheetA9")) return;
        n.words = key == "L080" ? "дивиденды всех источников"
                  : key == "L090" ? "облагаемые дивиденды всех источников"
                  : key == "L100" ? "налог, исчисленный по всем источникам"
                                  : "налог, удержанный всеми источниками";
        for (size_t i = 0; i < d_.ThirtyPercentCount(); ++i) {
            const mTThirtyPercent& source = d_.ThirtyPercent(i);
            TExplainNode node = Record(SourceTitle(source), "", Money(), Target(Kind::Dividend, i));
            if (key == "L080") {
                node.words = "дивиденды";
                node.amount = source.IncomeTotal;
            } else if (key == "L090") {
                node.words = "облагаемые дивиденды";
                node.amount = source.TaxableIncome;
            } else if (key == "L100" && resident) {
                node.words = "исчислено источником";
                node.amount = source.TaxComputed;
            } else if (key == "L100") {
                node.words = "облагаемые дивиденды × 15 %, в целых рублях";
                node.amount = TaxAtRate(source.TaxableIncome, L::kRateDividendsNonRes);
                TaxOn(node, Record("Облагаемые дивиденды", "", source.TaxableIncome),
                      L::kRateDividendsNonRes);
            } else {
                node.words = "удержано источником";
                node.amount = source.TaxWithheld;
            }
            Add(n, std::move(node));
        }
    }

    void SheetAThirtyFive(TExplainNode& n, std::string_view key) const {
        if (d_.DeclarationKind != kResident3NDFL) return;
        n.words = key == "L080"   ? "доходы всех источников (35 %), кроме материальной выгоды 2620"
                  : key == "L090" ? "облагаемый доход: доход за вычетом необлагаемых призов листа Г"
                  : key == "L100" ? "налог по каждому источнику: облагаемый доход × 35 %"
                                  : "налог, удержанный всеми источниками";
        size_t prizeRow = 0;
        for (size_t i = 0; i < d_.ThirtyFivePercentCount(); ++i) {
            const mTThirtyFivePercent& source = d_.ThirtyFivePercent(i);
            if (source.IncomeCode == codes::kMaterialBenefit) continue;
            Money exempt;
            if (source.IncomeCode == codes::kAdvertisingPrizes && source.DeductCode != 0) {
                if (prizeRow < s_.Exempt.Rows.size()) exempt = s_.Exempt.Rows[prizeRow].Exempt;
                ++prizeRow;
            }
            const Money taxable = source.IncomeTotal - exempt;
            TExplainNode node =
                Record(SourceTitle(source), "", Money(), Target(Kind::ThirtyFive, i));
            TExplainNode income = Record("Доход", "", source.IncomeTotal);
            TExplainNode free = Record("Необлагаемая часть приза (лист Г)", "", exempt);
            if (key == "L080") {
                node.words = "доход с кодом " + std::to_string(source.IncomeCode);
                node.amount = source.IncomeTotal;
            } else if (key == "L090") {
                node.words = "доход - необлагаемая часть";
                node.amount = taxable;
                if (!exempt.IsZero()) {
                    Add(node, income);
                    Add(node, free, -1);
                }
            } else if (key == "L100") {
                node.words = "облагаемый доход × 35 %, в целых рублях";
                node.amount = TaxAtRate(taxable, L::kRatePrizes);
                TaxOn(node, Record("Облагаемый доход", "", taxable), L::kRatePrizes);
            } else {
                node.words = "удержано источником";
                node.amount = source.TaxWithheld;
            }
            Add(n, std::move(node));
        }
    }

    // ---- Sheet Б ----

    void SheetB(TExplainNode& n, std::string_view key, const kTSvodSumPrilB& sheet) const {
        n.words = key == "L150" ? "доходы в рублях всех записей листа"
                  : key == "L160" ? "налог, уплаченный за рубежом, в рублях"
                  : key == "L170" ? "налог в России по каждой записи: (доход - вычет) × ставка"
                                  : "зачтено по каждой записи: уплаченное за рубежом, но не "
                                    "больше налога в России";
        if (!d_.HasIncome(kIncomeForeign)) return;
        size_t row = 0;
        for (size_t i = 0; i < d_.CurrencyIncomeCount() && row < sheet.Rows.size(); ++i) {
            const mTCurrencyIncome& record = d_.CurrencyIncome(i);
            if (record.IncomeRate != sheet.Rate || record.IncomeCode == codes::kMaterialBenefit)
                continue;
            const DohodCur& r = sheet.Rows[row++];
            const std::string title = (record.SourceName.empty() ? std::string("Доход из-за рубежа")
                                                                 : record.SourceName) +
                                      ", код " + std::to_string(record.IncomeCode);
            TExplainNode node = Record(title, "", Money(), Target(Kind::Foreign, i));
            if (key == "L150") {
                node.words = "доход в рублях";
                node.amount = r.IncomeInRubles;
            } else if (key == "L160") {
                node.words = "налог за рубежом в рублях";
                node.amount = r.TaxInRubles;
            } else if (key == "L170") {
                node.words = "(доход - вычет) × " + std::to_string(sheet.Rate) + " %";
                node.amount = r.TaxRF;
            } else {
                node.words = "налог за рубежом, не больше налога в России " + Grouped(r.TaxRF);
                node.amount = r.TaxCredit;
            }
            Add(n, std::move(node));
        }
    }

    // ---- Sheets В1 and В2 ----

    void SheetV1(TExplainNode& n, std::string_view key) const {
        if (!d_.HasIncome(kIncomeBusiness)) return;
        if (key == "L230" || key == "L240") {
            n.words = key == "L230" ? "доходы всех видов деятельности"
                                    : "профессиональный вычет: подтверждённые расходы или норматив "
                                      "20 %, не больше дохода";
            for (size_t i = 0; i < d_.BusinessCount(); ++i) {
                const mTBusinessNew& activity = d_.Business(i);
                const Money amount = key == "L230"                        ? activity.Income
                                     : activity.HasConfirmedExpenses == 1 ? activity.ExpenseItems[0]
                                                                          : activity.ExpenseTotal;
                Add(n,
                    Record(activity.ActivityKind == "1" || activity.ActivityKind.empty()
                               ? "Деятельность, код ОКВЭД " + activity.ActivityCode
                               : ActivityCaption(activity),
                           key == "L230" ? "доход" : "расходы", amount, Target(Kind::Business, i)));
            }
            if (key == "L240") CutBy(n, "ограничено доходом (строка 230)");
        } else {
            n.words = key == "L250" ? "начисленные авансовые платежи"
                                    : "фактически уплаченные авансовые платежи";
            if (d_.BusinessCount() > 0)
                Add(n, Record("Авансовые платежи", "по данным о предпринимательской деятельности",
                              n.amount, Target(Kind::Business, 0)));
        }
    }

    void SheetV2(TExplainNode& n, std::string_view key) const {
        if (!d_.HasIncome(kIncomeRepetit)) return;
        if (key == "L210" || key == "L220") {
            n.words = key == "L210" ? "доходы частной практики"
                                    : "расходы частной практики, не больше дохода";
            for (size_t i = 0; i < d_.RepetitCount(); ++i) {
                const mTRepetitNew& record = d_.Repetit(i);
                Add(n,
                    Record(record.Name.empty() ? "Частная практика" : record.Name,
                           key == "L210" ? "доход" : "расходы",
                           record.Values[key == "L210" ? 0 : 1], Target(Kind::PrivatePractice, i)));
            }
            if (key == "L220") CutBy(n, "ограничено доходом (строка 210)");
        } else {
            n.words = key == "L230" ? "начисленные авансовые платежи"
                                    : "фактически уплаченные авансовые платежи";
            if (d_.RepetitCount() > 0)
                Add(n, Record("Авансовые платежи", "по данным о частной практике", n.amount,
                              Target(Kind::PrivatePractice, 0)));
        }
    }

    // ---- Sheet Г ----

    // Income lines whose income code is code, whole or (with deductCode) their
    // exempt part within limit.
    void ExemptLines(TExplainNode& n, uint32_t code, uint32_t deductCode, Money limit) const {
        ForEachIncomeLine(d_, [&](const kTIncomeLine& line) {
            if (line.IncomeCode != code) return;
            if (deductCode != 0 && line.DeductCode != deductCode) return;
            TExplainNode node = IncomeLineNode(line);
            if (deductCode != 0) {
                const Money part = Min(line.Amount, limit);
                if (part != node.amount) {
                    node.before = node.amount;
                    node.limit = Limited(limit, "ст. 217 НК");
                    node.children.push_back(Record("Доход", "", node.amount));
                    node.amount = part;
                }
            }
            Add(n, std::move(node));
        });
    }

    void SheetG(TExplainNode& n, std::string_view key) const {
        struct Kindof {
            const char* income;
            const char* exempt;
            uint32_t code;
            uint32_t deduct;
            Money limit;
        };
        static const Kindof kinds[] = {
            {"L010", "L020", codes::kEmployerAid, 503, L::kExemptIncomeLimit},
            {"L030", "L040", codes::kDisabledAid, 506, L::kExemptIncomeLimit},
            {"L050", "L060", codes::kGifts, 501, L::kExemptIncomeLimit},
            {"L070", "L080", codes::kCompetitionPrizes, 502, L::kExemptIncomeLimit},
            {"L090", "L100", codes::kMedicines, 504, L::kExemptIncomeLimit},
            {"L110", "L120", codes::kItem33Aid, 507, L::kExemptItem33Limit},
        };
        const bool partOne = d_.ThirteenPercentCount() != 0 || d_.HasIncome(kIncomeForeign);
        for (const Kindof& kind : kinds) {
            if (key == kind.income) {
                n.words = "доходы с кодом " + std::to_string(kind.code);
                if (partOne) ExemptLines(n, kind.code, 0, Money());
                return;
            }
            if (key == kind.exempt) {
                n.words = "необлагаемая часть дохода с кодом " + std::to_string(kind.code) +
                          ", не больше " + Grouped(kind.limit) + " за год";
                if (partOne) ExemptLines(n, kind.code, kind.deduct, kind.limit);
                CutBy(n, Limited(kind.limit, "ст. 217 НК"));
                return;
            }
        }
        if (key == "BirthAidIncome" || key == "BirthAidExempt") {
            n.words = key == "BirthAidIncome" ? "материальная помощь при рождении ребёнка"
                                              : "её необлагаемая часть по вычету";
            if (!partOne) return;
            ForEachIncomeLine(d_, [&](const kTIncomeLine& line) {
                if (line.IncomeCode != codes::kBirthAid) return;
                if (key == "BirthAidIncome") {
                    Add(n, IncomeLineNode(line));
                } else if (line.DeductCode == codes::kBirthAidDeduction) {
                    TExplainNode node = IncomeLineNode(line);
                    node.words = "вычет по строке дохода";
                    node.amount = line.DeductSum;
                    Add(n, std::move(node));
                }
            });
        } else if (key == "L130") {
            n.words =
                "Лист Г, строка 130 = необлагаемые части: помощь при рождении + строки "
                "020, 040, 060, 080, 100, 120";
            SumOfLines(n, {{"SheetG.BirthAidExempt", 1},
                           {"SheetG.L020", 1},
                           {"SheetG.L040", 1},
                           {"SheetG.L060", 1},
                           {"SheetG.L080", 1},
                           {"SheetG.L100", 1},
                           {"SheetG.L120", 1}});
        } else if (key == "L170") {
            n.words = "необлагаемые части рекламных призов (2740), всего не больше " +
                      Grouped(L::kExemptIncomeLimit);
            const std::vector<TExplainTarget> targets = PrizeTargets();
            for (size_t k = 0; k < s_.Exempt.Rows.size(); ++k) {
                const Rec35& row = s_.Exempt.Rows[k];
                std::string title = row.SourceName.empty() ? "Приз" : row.SourceName;
                if (!row.INN.empty()) title += ", ИНН " + row.INN;
                Add(n, Record(title, "необлагаемая часть приза " + Grouped(row.Income), row.Exempt,
                              k < targets.size() ? std::optional(targets[k]) : std::nullopt));
            }
        }
    }

    // Where each row of sheet Г part 2 comes from, in the order the rows are built.
    std::vector<TExplainTarget> PrizeTargets() const {
        std::vector<TExplainTarget> targets;
        if (d_.DeclarationKind == kResident3NDFL) {
            for (size_t i = 0; i < d_.ThirtyFivePercentCount(); ++i) {
                const mTThirtyFivePercent& source = d_.ThirtyFivePercent(i);
                if (source.IncomeCode == codes::kAdvertisingPrizes && source.DeductCode != 0)
                    targets.push_back(Target(Kind::ThirtyFive, i));
            }
        }
        for (size_t i = 0; i < d_.ThirteenPercentCount(); ++i) {
            const mTThirteenPercent& source = d_.ThirteenPercent(i);
            for (size_t j = 0; j < source.IncomeCount(); ++j) {
                const mTSourseIncome& line = source.Income(j);
                if (line.IncomeCode == codes::kAdvertisingPrizes && line.DeductCode != 0)
                    targets.push_back(Target(Kind::ThirteenLine, i, j));
            }
        }
        return targets;
    }

    void Benefit(TExplainNode& n) const {
        n.words = "налог, удержанный с материальной выгоды (2620)";
        for (const Neo35& row : s_.BenefitWithheld.Rows) {
            std::string title = row.SourceName.empty() ? "Источник" : row.SourceName;
            if (!row.INN.empty()) title += ", ИНН " + row.INN;
            Add(n, Record(title, "удержано с выгоды " + Grouped(row.Income), row.TaxWithheld,
                          Target(Kind::ThirtyFive, row.SourceIndex)));
        }
    }
};

}  // namespace

void ExplainIncomeLine(const Explainer& lines, TExplainNode& n, std::string_view sheet,
                       std::string_view key) {
    const IncomeExplainer income{FamilyExplainer(lines)};
    if (sheet == "SheetA13" || sheet == "SheetA30") return income.SheetAThirteen(n, key);
    if (sheet == "SheetA9" || sheet == "SheetA15") return income.SheetADividends(n, key, sheet);
    if (sheet == "SheetA35") return income.SheetAThirtyFive(n, key);
    if (sheet == "SheetB13") return income.SheetB(n, key, lines.Totals().Foreign13);
    if (sheet == "SheetB9") return income.SheetB(n, key, lines.Totals().Foreign9);
    if (sheet == "SheetB35") return income.SheetB(n, key, lines.Totals().Foreign35);
    if (sheet == "SheetV1") return income.SheetV1(n, key);
    if (sheet == "SheetV2") return income.SheetV2(n, key);
    if (sheet == "SheetG") return income.SheetG(n, key);
    if (sheet == "SheetGBenefit") return income.Benefit(n);
}

}  // namespace zorv::explain
