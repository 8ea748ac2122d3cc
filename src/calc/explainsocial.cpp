// The explanations of the standard and social deductions: sheet К1 by its
// monthly amounts, sheet К2 by the payments and its limits, and sheets К3 and К4
// by the pension contracts the social limit let in.

#include "calc/explaintree.h"

#include "model/taxlimits2008.h"

namespace zorv::explain {
namespace {

// The lines of sheets К1-К4, each filled in by the method of its sheet.
struct SocialExplainer : FamilyExplainer {
    // ---- Sheet К1 ----

    void SheetK1(TExplainNode& n, std::string_view key) const {
        const mTStandartDeduct& sd = d_.StandartDeduct;
        const auto standard = Target(Kind::StandardDeduction);
        const auto months = [](Money total, Money perMonth) {
            return perMonth.IsZero() ? std::string()
                                     : std::to_string(total.Raw() / perMonth.Raw()) + " мес.";
        };
        if (key == "L150") {
            n.words = Grouped(L::kStdDeduction3000) + " в месяц, " +
                      months(n.amount, L::kStdDeduction3000);
        } else if (key == "L160") {
            n.words =
                Grouped(L::kStdDeduction500) + " в месяц, " + months(n.amount, L::kStdDeduction500);
        } else if (key == "L170") {
            n.words = Grouped(L::kStdDeduction400) +
                      " в месяц, пока доход с начала года не больше " +
                      Grouped(L::kStdPersonalIncomeLimit);
        } else if (key == "L180" || key == "L190" || key == "L200" || key == "L210") {
            n.words = "на детей, пока доход с начала года не больше " +
                      Grouped(L::kChildIncomeLimit) + " (детей: " +
                      std::to_string(key == "L180" || key == "L190" ? sd.ChildrenCount
                                                                    : sd.DisabledChildrenCount) +
                      ")";
        } else if (key == "L220") {
            n.words = "Лист К1, строка 220 = строки 150-210, не больше дохода за год (строка 120)";
            SumOfLines(n, {{"SheetK1.L150", 1},
                           {"SheetK1.L160", 1},
                           {"SheetK1.L170", 1},
                           {"SheetK1.L180", 1},
                           {"SheetK1.L190", 1},
                           {"SheetK1.L200", 1},
                           {"SheetK1.L210", 1}});
            CutBy(n, "ограничено доходом за год (строка 120)");
            return;
        } else {
            n.words = "доход с начала года нарастающим итогом";
        }
        if (!n.amount.IsZero()) n.target = standard;
    }

    // ---- Sheets К2, К3 and К4 ----

    void SheetK2(TExplainNode& n, std::string_view key) const {
        const mTSocialDeduct& social = d_.SocialDeduct;
        const auto socialTarget = Target(Kind::SocialDeduction);
        if (d_.DeclarationKind != kResident3NDFL || social.Granted == 0) return;
        if (key == "L010") {
            n.words = "благотворительность, не больше " + std::to_string(L::kCharityPercent) +
                      " % дохода";
            Add(n, Record("Пожертвования", "", social.CharitySum, socialTarget));
            CutBy(n, "ограничено " + std::to_string(L::kCharityPercent) + " % дохода (ст. 219 НК)");
        } else if (key == "L020") {
            n.words =
                "обучение детей, не больше " + Grouped(L::kChildEducationLimit) + " на ребёнка";
            for (size_t i = 0; i < social.EducationSumCount(); ++i) {
                Add(n, Record("Обучение ребёнка " + std::to_string(i + 1), "",
                              social.EducationSum(static_cast<int>(i)),
                              Target(Kind::ChildEducation, i)));
            }
        } else if (key == "L030" || key == "L050" || key == "L060" || key == "L070") {
            n.words = key == "L030"   ? "дорогостоящее лечение"
                      : key == "L050" ? "собственное обучение"
                      : key == "L060" ? "лечение"
                                      : "договоры добровольного личного страхования";
            if (!n.amount.IsZero()) n.target = socialTarget;
        } else if (key == "L040") {
            n.words = "строки 010 + 020 + 030 (вне общего предела)";
            SumOfLines(n, {{"SheetK2.L010", 1}, {"SheetK2.L020", 1}, {"SheetK2.L030", 1}});
        } else if (key == "L080") {
            n.words = "пенсионное страхование в свою пользу (лист К3)";
            SumOfLines(n, {{"SheetK3.OwnTotal", 1}});
        } else if (key == "L090") {
            n.words = "пенсионное страхование в пользу родственников (лист К3)";
            SumOfLines(n, {{"SheetK3.RelativesTotal", 1}});
        } else if (key == "L100") {
            n.words = "негосударственное пенсионное обеспечение в свою пользу (лист К4)";
            SumOfLines(n, {{"SheetK4.OwnTotal", 1}});
        } else if (key == "L110") {
            n.words = "негосударственное пенсионное обеспечение родственников (лист К4)";
            SumOfLines(n, {{"SheetK4.RelativesTotal", 1}});
        } else if (key == "L120") {
            n.words = "строки 050-110, не больше " + Grouped(L::kSocialLimit);
            SumOfLines(n, {{"SheetK2.L050", 1},
                           {"SheetK2.L060", 1},
                           {"SheetK2.L070", 1},
                           {"SheetK2.L080", 1},
                           {"SheetK2.L090", 1},
                           {"SheetK2.L100", 1},
                           {"SheetK2.L110", 1}});
            CutBy(n, Limited(L::kSocialLimit, "ст. 219 НК"));
        } else if (key == "L130") {
            n.words = "Лист К2, строка 130 = строка 040 + строка 120";
            SumOfLines(n, {{"SheetK2.L040", 1}, {"SheetK2.L120", 1}});
        }
    }

    // The contracts of one sheet (kinds own and relatives), each with what the
    // social limit let it take, walked as the sheet walks them.
    void PensionSheet(TExplainNode& n, std::string_view key, uint32_t ownKind,
                      uint32_t relativesKind) const {
        const bool own = key == "OwnTotal";
        n.words = std::string(own ? "взносы в свою пользу" : "взносы в пользу родственников") +
                  ", в пределах остатка " + Grouped(L::kSocialLimit) +
                  " после строк 050-070 листа К2";
        const kTSvodSumPrilE3& insurance = s_.PensionInsurance;
        const kTSvodSumPrilE4& funds = s_.PensionFunds;
        const auto& rows = ownKind == 1 ? (own ? insurance.OwnRows : insurance.RelativesRows)
                                        : (own ? funds.OwnRows : funds.RelativesRows);
        const uint32_t kind = own ? ownKind : relativesKind;
        const mTSocialDeduct& social = d_.SocialDeduct;
        size_t row = 0;
        for (size_t i = 0; i < social.PensCount() && row < rows.size(); ++i) {
            const mTPens& contract = social.Pens(i);
            // The limit only shrinks, so the rows are the first contracts of the
            // kind; those after it ran out have none.
            if (contract.ContractKind != kind) continue;
            TExplainNode node = Record(
                (contract.Name.empty() ? std::string("Договор") : contract.Name) +
                    (contract.ContractNumber.empty() ? "" : ", договор " + contract.ContractNumber),
                "взносы " + Grouped(contract.Contributions), rows[row].Accepted,
                Target(Kind::PensionContract, i));
            if (rows[row].Accepted != contract.Contributions) {
                node.before = contract.Contributions;
                node.limit = Limited(L::kSocialLimit, "ст. 219 НК");
                node.children.push_back(Record("Взносы", "", contract.Contributions));
            }
            Add(n, std::move(node));
            ++row;
        }
    }
};

}  // namespace

void ExplainSocialLine(const Explainer& lines, TExplainNode& n, std::string_view sheet,
                       std::string_view key) {
    const SocialExplainer social{FamilyExplainer(lines)};
    if (sheet == "SheetK1") return social.SheetK1(n, key);
    if (sheet == "SheetK2") return social.SheetK2(n, key);
    if (sheet == "SheetK3") return social.PensionSheet(n, key, 1, 2);
    if (sheet == "SheetK4") return social.PensionSheet(n, key, 3, 4);
}

}  // namespace zorv::explain
