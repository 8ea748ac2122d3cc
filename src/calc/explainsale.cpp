// The explanations of the sheets of professional deductions and sales of
// property: sheets Д and Е by the income lines their rows come from, sheet Ж1
// by the income lines of each kind of sale and sheet Ж2 by each sale of a share
// or assignment of a claim.

#include "calc/explaintree.h"

#include "codes/incomecodes.h"
#include "model/taxlimits2008.h"

namespace zorv::explain {
namespace {

// The lines of sheets Д, Е, Ж1 and Ж2, each filled in by the method of its sheet.
struct SaleExplainer : FamilyExplainer {
    // ---- Sheets Д and Е: rows with references to their income lines ----

    TExplainNode RefNode(const kTRowRef& ref, Money amount, const std::string& words) const {
        if (ref.Line == kTRowRef::kCurrencyLine) {
            const mTCurrencyIncome& record = d_.CurrencyIncome(ref.Source);
            return Record((record.SourceName.empty() ? std::string("Доход из-за рубежа")
                                                     : record.SourceName) +
                              ", код " + std::to_string(record.IncomeCode),
                          words, amount, Target(Kind::Foreign, ref.Source));
        }
        const mTThirteenPercent& source = d_.ThirteenPercent(ref.Source);
        const mTSourseIncome& line = source.Income(ref.Line);
        return Record(SourceTitle(source) + ", код " + std::to_string(line.IncomeCode), words,
                      amount, Target(Kind::ThirteenLine, ref.Source, ref.Line));
    }

    template <class Sheet>
    void RowRefSheet(TExplainNode& n, std::string_view key, const Sheet& sheet,
                     const char* what) const {
        const bool income = key == "L100" || key == "L060";
        n.words = income ? std::string(what) + ": доход по строкам"
                         : std::string(what) + ": расходы по строкам, не больше дохода";
        for (size_t k = 0; k < sheet.RowRefs.size() && k < sheet.Rows.size(); ++k) {
            const auto& row = sheet.Rows[k];
            Add(n, RefNode(sheet.RowRefs[k], income ? row.Income : row.Expense,
                           income ? "доход" : "расходы"));
        }
        if (!income) CutBy(n, "ограничено доходом листа");
    }

    // ---- Sheet Ж1 ----

    // Which line of sheet Ж1 an income line goes to: its income (first) and the
    // line of its deduction where the sheet counts it line by line (second).
    std::pair<const char*, const char*> Zh1Place(const kTIncomeLine& line) const {
        using namespace codes;
        const uint32_t code = line.IncomeCode, deduct = line.DeductCode;
        const bool housing = code == kSaleOfHousing, share = code == kSaleOfHousingShare,
                   other = code == kSaleOfOtherProperty;
        if (housing && deduct == kSaleHousingUnder3Years) return {"L010", nullptr};
        if (share && deduct == kSaleShareUnder3Years) return {"L030", "L040"};
        if ((housing || share) && deduct == kSaleExpenses) return {"L070", "L080"};
        if ((housing && deduct == kSaleHousing3Years) || (share && deduct == kSaleShare3Years))
            return {"L090", nullptr};
        if (other && deduct == kSaleOtherUnder3Years) return {"L130", "L140"};
        if (other && deduct == kSaleExpenses) return {"L150", "L160"};
        if (other && deduct == kSaleOther3Years) return {"L170", nullptr};
        return {nullptr, nullptr};
    }

    // The income lines of one line of sheet Ж1: their income, or their deduction
    // taken up to the income.
    void Zh1Lines(TExplainNode& n, std::string_view key, bool deduction) const {
        if (d_.DeclarationKind != kResident3NDFL) return;
        if (d_.ThirteenPercentCount() == 0 && !d_.HasIncome(kIncomeForeign)) return;
        ForEachIncomeLine(d_, [&](const kTIncomeLine& line) {
            const auto [incomeLine, deductionLine] = Zh1Place(line);
            if ((deduction ? deductionLine : incomeLine) == nullptr) return;
            if (key != (deduction ? deductionLine : incomeLine)) return;
            TExplainNode node = IncomeLineNode(line);
            if (deduction) {
                node.words = "вычет по строке дохода";
                node.amount = key == "L160" ? line.DeductSum : Min(line.DeductSum, line.Amount);
            }
            Add(n, std::move(node));
        });
    }

    void SheetZh1(TExplainNode& n, std::string_view key) const {
        const std::string sale = Grouped(L::kSaleHousingLimit);
        if (key == "L010" || key == "L030" || key == "L070" || key == "L090" || key == "L130" ||
            key == "L150" || key == "L170") {
            n.words = "доходы от продажи по строкам дохода";
            Zh1Lines(n, key, false);
        } else if (key == "L020") {
            n.words = "вычет: строка 010, не больше " + sale;
            SumOfLines(n, {{"SheetZh1.L010", 1}});
            CutBy(n, Limited(L::kSaleHousingLimit, "ст. 220 НК"));
        } else if (key == "L040" || key == "L080") {
            n.words = key == "L040" ? "вычет по долям, не больше " + sale
                                    : "документально подтверждённые расходы";
            Zh1Lines(n, key, true);
            if (key == "L040") CutBy(n, Limited(L::kSaleHousingLimit, "ст. 220 НК"));
        } else if (key == "L050") {
            n.words = "строка 010 + строка 030";
            SumOfLines(n, {{"SheetZh1.L010", 1}, {"SheetZh1.L030", 1}});
        } else if (key == "L060") {
            n.words = "строка 020 + строка 040, не больше " + sale;
            SumOfLines(n, {{"SheetZh1.L020", 1}, {"SheetZh1.L040", 1}});
            CutBy(n, Limited(L::kSaleHousingLimit, "ст. 220 НК"));
        } else if (key == "L100") {
            n.words = "имущество в собственности 3 года и более: вычет в размере дохода";
            SumOfLines(n, {{"SheetZh1.L090", 1}});
        } else if (key == "L110") {
            n.words = "строки 050 + 070 + 090";
            SumOfLines(n, {{"SheetZh1.L050", 1}, {"SheetZh1.L070", 1}, {"SheetZh1.L090", 1}});
        } else if (key == "L120") {
            n.words = "строки 060 + 080 + 100";
            SumOfLines(n, {{"SheetZh1.L060", 1}, {"SheetZh1.L080", 1}, {"SheetZh1.L100", 1}});
        } else if (key == "L140") {
            n.words = "вычет по иному имуществу, не больше " + Grouped(L::kSaleOtherPropertyLimit);
            Zh1Lines(n, key, true);
            CutBy(n, Limited(L::kSaleOtherPropertyLimit, "ст. 220 НК"));
        } else if (key == "L160") {
            n.words = "подтверждённые расходы, не больше дохода строки 150";
            Zh1Lines(n, key, true);
            CutBy(n, "ограничено доходом (строка 150)");
        } else if (key == "L180") {
            n.words = "имущество в собственности 3 года и более: вычет в размере дохода";
            SumOfLines(n, {{"SheetZh1.L170", 1}});
        } else if (key == "L190") {
            n.words = "строки 130 + 150 + 170";
            SumOfLines(n, {{"SheetZh1.L130", 1}, {"SheetZh1.L150", 1}, {"SheetZh1.L170", 1}});
        } else if (key == "L200") {
            n.words = "строки 140 + 160 + 180";
            SumOfLines(n, {{"SheetZh1.L140", 1}, {"SheetZh1.L160", 1}, {"SheetZh1.L180", 1}});
        } else if (key == "L210") {
            n.words =
                "Лист Ж1, строка 210 = вычет по жилью (строка 120) + по иному имуществу "
                "(строка 200)";
            SumOfLines(n, {{"SheetZh1.L120", 1}, {"SheetZh1.L200", 1}});
        }
    }

    // ---- Sheet Ж2 ----

    void SheetZh2(TExplainNode& n, std::string_view key, const std::string& sheet,
                  bool currency) const {
        if (key == "L130") {
            n.words = "строка 060 + строка 120";
            SumOfLines(n, {{(sheet + ".L060").c_str(), 1}, {(sheet + ".L120").c_str(), 1}});
            return;
        }
        const bool share = key == "L060";
        const uint32_t wantIncome = share ? 1540 : 1550, wantDeduct = share ? 315 : 314;
        n.words = share ? "расходы на приобретение доли, не больше дохода по каждой продаже"
                        : "расходы по уступке права требования, не больше дохода по каждой";
        if (d_.DeclarationKind != kResident3NDFL) return;
        const auto add = [&](Money income, Money expense, TExplainNode node) {
            const Money accepted = Min(expense, income);
            node.words = "расходы " + Grouped(expense) + ", доход " + Grouped(income);
            node.amount = accepted;
            Add(n, std::move(node));
        };
        if (!currency) {
            for (size_t i = 0; i < d_.ThirteenPercentCount(); ++i) {
                const mTThirteenPercent& source = d_.ThirteenPercent(i);
                for (size_t j = 0; j < source.IncomeCount(); ++j) {
                    const mTSourseIncome& line = source.Income(j);
                    if (line.IncomeCode != wantIncome || line.DeductCode != wantDeduct) continue;
                    add(line.IncomeSum, line.DeductSum,
                        IncomeLineNode({i, j, false, line.IncomeCode, line.IncomeSum,
                                        line.DeductCode, line.DeductSum}));
                }
            }
        } else if (d_.HasIncome(kIncomeForeign)) {
            for (size_t i = 0; i < d_.CurrencyIncomeCount(); ++i) {
                const mTCurrencyIncome& r = d_.CurrencyIncome(i);
                if (r.IncomeCode != wantIncome || r.DeductCode != wantDeduct) continue;
                add(r.IncomeInRubles, r.DeductSum,
                    IncomeLineNode(
                        {i, 0, true, r.IncomeCode, r.IncomeInRubles, r.DeductCode, r.DeductSum}));
            }
        }
    }
};

}  // namespace

void ExplainSaleLine(const Explainer& lines, TExplainNode& n, std::string_view sheet,
                     std::string_view key) {
    const SaleExplainer sale{FamilyExplainer(lines)};
    if (sheet == "SheetD")
        return sale.RowRefSheet(n, key, lines.Totals().AuthorFees, "авторские вознаграждения");
    if (sheet == "SheetDForeign")
        return sale.RowRefSheet(n, key, lines.Totals().AuthorFeesForeign,
                                "авторские вознаграждения");
    if (sheet == "SheetE")
        return sale.RowRefSheet(n, key, lines.Totals().CivilContracts, "договоры ГПХ");
    if (sheet == "SheetEForeign")
        return sale.RowRefSheet(n, key, lines.Totals().CivilContractsForeign, "договоры ГПХ");
    if (sheet == "SheetZh1") return sale.SheetZh1(n, key);
    if (sheet == "SheetZh2") return sale.SheetZh2(n, key, "SheetZh2", false);
    if (sheet == "SheetZh2Foreign") return sale.SheetZh2(n, key, "SheetZh2Foreign", true);
}

}  // namespace zorv::explain
