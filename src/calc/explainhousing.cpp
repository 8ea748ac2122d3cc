// The explanation of sheet Л: the property deduction for a dwelling from its
// cost and interest, the deductions of earlier years and the tax base left for it.

#include "calc/explaintree.h"

#include "model/taxlimits2008.h"
#include "storage/daynumber.h"

namespace zorv::explain {
namespace {

// The lines of sheet Л.
struct HousingExplainer : FamilyExplainer {
    // ---- Sheet Л ----

    void SheetL(TExplainNode& n, std::string_view key) const {
        const mTConstructionDeduct& h = d_.ConstructionDeduct;
        if (d_.DeclarationKind != kResident3NDFL || h.Granted == 0) return;
        const auto dwelling = Target(Kind::PropertyDeduction);
        const auto field = [&](const char* title, Money amount) {
            return Record(title, "", amount, dwelling);
        };
        if (key == "L080") {
            const Money limit =
                CivilFromDayNumber(h.RegistrationDate).year < L::kHousingLimitFirstYear
                    ? L::kHousingLimitBefore2008
                    : L::kHousingLimitFrom2008;
            n.words = "расходы на жильё, не больше " + Grouped(limit) + " × доля";
            std::string title =
                "Объект: " + (h.ObjectName.empty() ? std::string("жильё") : h.ObjectName);
            if (!h.City.empty()) title += ", " + h.City;
            if (!h.Street.empty()) title += ", " + h.Street;
            if (!h.House.empty()) title += ", д. " + h.House;
            if (!h.Flat.empty()) title += ", кв. " + h.Flat;
            Add(n, Record(title, "стоимость объекта", h.ObjectCost, dwelling));
            std::string note = Limited(limit, "ст. 220 НК");
            if (h.ShareDenominator > 1 || h.ShareNumerator != 1)
                note = "ограничено " + Grouped(limit) + " × доля " +
                       std::to_string(h.ShareNumerator) + "/" +
                       std::to_string(h.ShareDenominator == 0 ? 1 : h.ShareDenominator) +
                       " (ст. 220 НК)";
            CutBy(n, note);
        } else if (key == "L090") {
            n.words = "проценты по целевым кредитам";
            Add(n, field("Уплаченные проценты", h.CreditInterest));
        } else if (key == "L100") {
            n.words = "вычет прошлых лет по расходам = строка 110 + строка 120";
            SumOfLines(n, {{"SheetL.L110", 1}, {"SheetL.L120", 1}});
        } else if (key == "L130") {
            n.words = "вычет прошлых лет по процентам = строка 140 + строка 150";
            SumOfLines(n, {{"SheetL.L140", 1}, {"SheetL.L150", 1}});
        } else if (key == "L110" || key == "L120" || key == "L140" || key == "L150" ||
                   key == "L160" || key == "L170" || key == "L180" || key == "L190") {
            n.words = key == "L110" ? "вычет по расходам прошлых лет по декларациям"
                      : key == "L120" ? "вычет по расходам прошлых лет у налогового агента"
                      : key == "L140" ? "вычет по процентам прошлых лет по декларациям"
                      : key == "L150" ? "вычет по процентам прошлых лет у налогового агента"
                      : key == "L160" ? "остаток вычета по расходам с прошлого года"
                      : key == "L170" ? "остаток вычета по процентам с прошлого года"
                      : key == "L180" ? "вычет по расходам у налогового агента в этом году"
                                      : "вычет по процентам у налогового агента в этом году";
            if (!n.amount.IsZero()) n.target = dwelling;
        } else if (key == "L200") {
            n.words =
                "Лист Л, строка 200 = доходы по ставке 13 % - все прочие вычеты, не меньше "
                "0";
            SumOfLines(
                n, {{"SheetA13.L080", 1},  {"SheetB13.L150", 1},         {"SheetV1.L230", 1},
                    {"SheetV2.L210", 1},   {"SheetV1.L240", -1},         {"SheetV2.L220", -1},
                    {"SheetZh2.L130", -1}, {"SheetZh2Foreign.L130", -1}, {"SheetZh1.L210", -1},
                    {"SheetG.L130", -1},   {"SheetD.L110", -1},          {"SheetDForeign.L110", -1},
                    {"SheetE.L070", -1},   {"SheetEForeign.L070", -1},   {"SheetK2.L130", -1},
                    {"SheetK1.L220", -1},  {"SheetZ.L430", -1},          {"SheetI.L420", -1},
                    {"SheetL.L180", -1},   {"SheetL.L190", -1}});
            CutBy(n, kNotBelowZero);
        } else if (key == "L210") {
            n.words =
                "Лист Л, строка 210 = строка 080 - строка 100 - строка 180, не больше "
                "строки 200";
            SumOfLines(n, {{"SheetL.L080", 1}, {"SheetL.L100", -1}, {"SheetL.L180", -1}});
            CutBy(n, "ограничено налоговой базой (строка 200)");
        } else if (key == "L220") {
            n.words =
                "Лист Л, строка 220 = строка 090 + строка 170 - строка 190, не больше "
                "строки 200 - строка 210";
            SumOfLines(n, {{"SheetL.L090", 1}, {"SheetL.L170", 1}, {"SheetL.L190", -1}});
            CutBy(n, "ограничено остатком налоговой базы (строка 200 - строка 210)");
        } else if (key == "L230") {
            n.words = "остаток по расходам на следующий год = строка 080 - строки 100, 180, 210";
            SumOfLines(n, {{"SheetL.L080", 1},
                           {"SheetL.L100", -1},
                           {"SheetL.L180", -1},
                           {"SheetL.L210", -1}});
        } else if (key == "L240") {
            n.words =
                "остаток по процентам на следующий год = строки 090 + 170 - строки 190, "
                "220";
            SumOfLines(
                n,
                {{"SheetL.L090", 1}, {"SheetL.L170", 1}, {"SheetL.L190", -1}, {"SheetL.L220", -1}});
            CutBy(n, kNotBelowZero);
        }
    }
};

}  // namespace

void ExplainHousingLine(const Explainer& lines, TExplainNode& n, std::string_view sheet,
                        std::string_view key) {
    const HousingExplainer housing{FamilyExplainer(lines)};
    if (sheet == "SheetL") return housing.SheetL(n, key);
}

}  // namespace zorv::explain
