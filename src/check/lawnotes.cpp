#include "check/lawnotes.h"

#include <filesystem>
#include <fstream>

#include "model/declaration.h"
#include "model/taxlimits2008.h"
#include "storage/textutil.h"

namespace zorv {
namespace {

// Rubles with kopecks, "1234,50".
std::string RublesText(Money amount) {
    const int64_t kopecks = (amount.Raw() + (amount.Raw() < 0 ? -50 : 50)) / 100;
    std::string text = std::to_string(kopecks / 100) + ",";
    const int64_t rest = kopecks < 0 ? -(kopecks % 100) : kopecks % 100;
    if (rest < 10) text += '0';
    return text + std::to_string(rest);
}

// percent of the amount, exact to the ten-thousandth of a ruble (cut).
Money PercentOf(Money amount, int percent) {
    return Money::FromRaw(amount.Raw() / 100 * percent + amount.Raw() % 100 * percent / 100);
}

}  // namespace

bool TTreatyCountries::Load(const std::string& path, std::string& error) {
    codes_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error =
            "Не удалось прочитать список стран с договорами об избежании двойного "
            "налогообложения " +
            path + ".";
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (number == 1 || line.empty()) continue;  // the header row
        const std::string code = line.substr(0, line.find('\t'));
        if (code.size() != 3 || code.find_first_not_of("0123456789") != std::string::npos) {
            codes_.clear();
            error = "В файле " + path + " строка " + std::to_string(number) +
                    " не начинается с трехзначного кода страны; замените файл исходным.";
            return false;
        }
        codes_.insert(code);
    }
    if (codes_.empty()) {
        error = "Файл " + path + " не содержит ни одной страны; замените файл исходным.";
        return false;
    }
    return true;
}

const TTreatyCountries& ProgramTreatyCountries(std::string* error) {
    struct Loaded {
        TTreatyCountries list;
        std::string error;
    };
    static const Loaded loaded = [] {
        Loaded l;
        std::error_code ec;
        const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
        const std::filesystem::path folder = program.parent_path();
        const std::filesystem::path candidates[] = {folder / kTreatyFile,
                                                    folder / ZORV_FILES_FROM_PROGRAM / kTreatyFile};
        for (const std::filesystem::path& path : candidates) {
            if (!std::filesystem::is_regular_file(path, ec)) continue;
            l.error.clear();
            if (l.list.Load(path.string(), l.error)) return l;
        }
        if (l.error.empty())
            l.error = std::string(
                          "Не найден список стран с договорами об избежании двойного "
                          "налогообложения ") +
                      kTreatyFile + " рядом с программой.";
        return l;
    }();
    if (error) *error = loaded.error;
    return loaded.list;
}

std::vector<DeclarationProblem> ListLawNotes(const mTDeclaration& d,
                                             const TTreatyCountries& treaties) {
    std::vector<DeclarationProblem> notes;
    if (d.HasIncome(kIncomeForeign) && treaties.Loaded()) {
        for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
            const mTCurrencyIncome& r = d.CurrencyIncome(i);
            if (r.TaxInRubles <= Money() || treaties.Has(std::string(TrimBlanks(r.CountryCode))))
                continue;
            notes.push_back(
                {"note-treaty", kPageForeignIncome, int(i) + 1, "Доходы в валюте",
                 "Замечание: налог, уплаченный в стране с кодом " +
                     std::string(TrimBlanks(r.CountryCode)) + " (" + r.SourceName +
                     "), засчитывается только по договору об избежании двойного "
                     "налогообложения (ст. 232 НК РФ), а договора с этой страной, "
                     "действовавшего в 2008 году, нет. Проверьте код страны; без договора "
                     "налог к зачету не принимается.",
                 true});
        }
    }
    if (d.HasIncome(kIncomeFromAgents)) {
        const bool nonResident = d.DeclarationKind == kNonResident3NDFL;
        const int rate =
            nonResident ? limits2008::kRateDividendsNonRes : limits2008::kRateDividendsRes;
        for (size_t i = 0; i < d.ThirtyPercentCount(); ++i) {
            const mTThirtyPercent& r = d.ThirtyPercent(i);
            if (r.IncomeTotal <= Money()) continue;
            const Money expected = PercentOf(r.IncomeTotal, rate);
            const Money difference = r.TaxWithheld - expected;
            if (Max(difference, -difference) <= Money::Rubles(1)) continue;
            notes.push_back(
                {"note-dividend", kPageDividends, int(i) + 1, "Дивиденды",
                 "Замечание: налог, удержанный с дивидендов " + r.SourceName + " (" +
                     RublesText(r.TaxWithheld) + " руб.), не равен " + std::to_string(rate) +
                     " % от суммы дивидендов " + RublesText(r.IncomeTotal) + " руб. (" +
                     RublesText(expected) +
                     " руб.). Сверьте суммы со справкой налогового агента; налог может быть "
                     "меньше, если агент зачел налог с дивидендов, полученных им самим "
                     "(ст. 275 НК РФ).",
                 true});
        }
    }
    return notes;
}

}  // namespace zorv
