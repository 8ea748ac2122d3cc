#pragma once

// Notes from the law of 2008 that never stop an export: things the user should
// look at again, listed on the results page and by "zorv check --all".

#include <set>
#include <string>
#include <vector>

#include "check/declarationcheck.h"

namespace zorv {

class mTDeclaration;

// The reference file of the countries whose double-tax treaty with Russia
// applied to income of 2008 (art. 232 of the Tax Code): tab-separated, a
// header row, the three-digit country code (OKSM) first on each row.
inline constexpr const char* kTreatyFile = "Treaties2008.tsv";

class TTreatyCountries {
  public:
    // Reads the file; false with a reason naming it when it cannot be read or
    // holds a row without a three-digit code.
    bool Load(const std::string& path, std::string& error);
    bool Loaded() const { return !codes_.empty(); }
    bool Has(const std::string& countryCode) const { return codes_.count(countryCode) != 0; }
    size_t Size() const { return codes_.size(); }

  private:
    std::set<std::string> codes_;
};

// The treaty list beside the running program (or in the shared-data folder of
// an installation); empty, with the reason in `error`, when it is not found.
const TTreatyCountries& ProgramTreatyCountries(std::string* error = nullptr);

// The notes on the declaration, each with its page and the record counted from 1:
// a foreign tax credited from a country without a treaty (only when the list is
// loaded), and a dividend whose withheld tax is not the rate of the form (9 %,
// 15 % for a non-resident) of the dividend. Their rule ids begin with "note".
std::vector<DeclarationProblem> ListLawNotes(const mTDeclaration& declaration,
                                             const TTreatyCountries& treaties);

}  // namespace zorv
