#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/deductions.h"
#include "model/income.h"
#include "model/person.h"
#include "model/refund.h"
#include "storage/daynumber.h"
#include "storage/money.h"

namespace zorv {

class mTDocumentStorage;

// Declaration kinds.
enum : uint8_t { kResident3NDFL = 0, kNonResident3NDFL = 1, kEstimated4NDFL = 2 };
inline constexpr uint8_t kDeclarationKinds[] = {kResident3NDFL, kNonResident3NDFL, kEstimated4NDFL};

// Taxpayer categories of the conditions page (4 is not used).
enum : uint8_t {
    kCategoryEntrepreneur = 0,
    kCategoryFarmHead = 1,
    kCategoryNotary = 2,
    kCategoryLawyer = 3,
    kCategoryOther = 5,
};
inline constexpr uint8_t kTaxpayerCategories[] = {kCategoryEntrepreneur, kCategoryFarmHead,
                                                  kCategoryNotary, kCategoryLawyer, kCategoryOther};

// Who submits the declaration.
enum : uint8_t { kSubmitterTaxpayer = 0, kSubmitterPerson = 1, kSubmitterOrganisation = 2 };
inline constexpr uint8_t kSubmitterKinds[] = {kSubmitterTaxpayer, kSubmitterPerson,
                                              kSubmitterOrganisation};

// Income groups of IncomeFlags.
enum : uint8_t {
    kIncomeFromAgents = 1,  // 13 %, 35 % and dividend lists
    kIncomeForeign = 2,
    kIncomeBusiness = 4,
    kIncomeRepetit = 8,
    kIncomeAllGroups = 15,
};

// Per-sheet counters of supporting documents.
enum class AppendixCounter { J, D, E, Property, Z, I, G };

// The one declaration the program edits: its conditions, the taxpayer, the
// income lists, advance payments and deduction blocks.
class mTDeclaration {
  public:
    mTDeclaration() = default;

    std::string InspectionCode;
    std::string InspectionName;
    uint8_t IsPrimary = 0;
    uint32_t CorrectionNumber = 0;
    double FilingDate = 0;  // the declaration's date; 0 = the day of export or printing
    uint8_t SubmitterKind = 0;
    uint8_t TaxpayerCategory = 5;
    uint8_t DeclarationKind = kResident3NDFL;
    uint8_t AutoCountAppendixes = 0;
    uint32_t AppendixTotal = 0;
    uint32_t AppendixCountJ = 0;
    uint32_t AppendixCountD = 0;
    uint32_t AppendixCountE = 0;
    uint32_t AppendixCountProperty = 0;
    uint32_t AppendixCountZ = 0;
    uint32_t AppendixCountI = 0;
    uint32_t AppendixCountG = 0;
    Money AdvanceActual;
    Money AdvanceAccrued;
    Money RepetitTotal1;
    Money RepetitTotal2;
    Money ExpectedIncome;
    Money ExpectedExpense;
    std::string RepresentativeDocument;
    double FarmStartDate = DayNumber(2000, 1, 1);
    Money FarmExemptIncome;
    std::string RepresentativeName;
    std::string RepresentativeOrganisation;
    std::string Year = "2008";

    mTPersonInformation Person;
    mTStandartDeduct StandartDeduct;
    mTSocialDeduct SocialDeduct;
    mTConstructionDeduct ConstructionDeduct;
    // Bank details and documents to attach for the refund; see refund.h.
    mTRefundData Refund;

    uint8_t IncomeFlags() const { return incomeFlags_; }
    bool HasIncome(uint8_t flag) const { return (incomeFlags_ & flag) != 0; }
    // Clears the lists of every group switched off; a group switched on starts empty.
    void SetIncomeFlags(uint8_t flags);

    // List operations; adding to the list of a group that is switched off is refused.
    size_t AddThirteenPercent();
    mTThirteenPercent& ThirteenPercent(size_t i) { return thirteen_.at(i); }
    const mTThirteenPercent& ThirteenPercent(size_t i) const { return thirteen_.at(i); }
    size_t ThirteenPercentCount() const { return thirteen_.size(); }
    void RemoveThirteenPercent(size_t i);

    size_t AddThirtyFivePercent();
    mTThirtyFivePercent& ThirtyFivePercent(size_t i) { return thirtyFive_.at(i); }
    const mTThirtyFivePercent& ThirtyFivePercent(size_t i) const { return thirtyFive_.at(i); }
    size_t ThirtyFivePercentCount() const { return thirtyFive_.size(); }
    void RemoveThirtyFivePercent(size_t i);

    size_t AddThirtyPercent();
    mTThirtyPercent& ThirtyPercent(size_t i) { return thirty_.at(i); }
    const mTThirtyPercent& ThirtyPercent(size_t i) const { return thirty_.at(i); }
    size_t ThirtyPercentCount() const { return thirty_.size(); }
    void RemoveThirtyPercent(size_t i);

    size_t AddCurrencyIncome();
    mTCurrencyIncome& CurrencyIncome(size_t i) { return currency_.at(i); }
    const mTCurrencyIncome& CurrencyIncome(size_t i) const { return currency_.at(i); }
    size_t CurrencyIncomeCount() const { return currency_.size(); }
    void RemoveCurrencyIncome(size_t i);

    size_t AddBusiness();
    mTBusinessNew& Business(size_t i) { return business_.at(i); }
    const mTBusinessNew& Business(size_t i) const { return business_.at(i); }
    size_t BusinessCount() const { return business_.size(); }
    void RemoveBusiness(size_t i);

    size_t AddNalog();
    mTNalog& Nalog(size_t i) { return nalog_.at(i); }
    const mTNalog& Nalog(size_t i) const { return nalog_.at(i); }
    size_t NalogCount() const { return nalog_.size(); }
    void RemoveNalog(size_t i);

    size_t AddRepetit();
    mTRepetitNew& Repetit(size_t i) { return repetit_.at(i); }
    const mTRepetitNew& Repetit(size_t i) const { return repetit_.at(i); }
    size_t RepetitCount() const { return repetit_.size(); }
    void RemoveRepetit(size_t i);

    // Appendix counters follow the total while AutoCountAppendixes is 1.
    void SetAppendixCount(AppendixCounter counter, uint32_t value);
    uint32_t AppendixCount(AppendixCounter counter) const;
    void SetAppendixTotal(uint32_t value);

    // The exact size of the document image.
    size_t ComputeSize() const;
    // The document image in memory, exactly as a file of it would hold.
    std::vector<uint8_t> BuildImage() const;
    // Replaces the file by the document; on a failure the old file stays as it was.
    void SaveToFile(const std::string& path) const;
    // Reads a document file into this freshly constructed declaration.
    void LoadFromFile(const std::string& path);
    // Reads a document image held in memory.
    void LoadFromImage(const uint8_t* image, size_t size);
    void Read(mTDocumentStorage& storage);

    static double Today();

    // Whether the declaration carries a date of its own. A 3-NDFL saved by
    // earlier versions holds 31.12.2012, where its hidden date picker stopped:
    // that is no date the user set.
    bool HasFilingDate() const;
    // The date of the XML document, the paper and the text file: the
    // declaration's own date, or `today` when it has none.
    double DocumentDate(double today) const { return HasFilingDate() ? FilingDate : today; }

  private:
    template <typename R, typename V>
    friend void DeclarationImage(R& d, V& v);

    void Write(mTDocumentStorage& storage) const;
    void RequireGroup(uint8_t flag) const;
    uint32_t* CounterField(AppendixCounter counter);

    uint8_t incomeFlags_ = 0;
    std::vector<mTThirteenPercent> thirteen_;
    std::vector<mTThirtyFivePercent> thirtyFive_;
    std::vector<mTThirtyPercent> thirty_;
    std::vector<mTCurrencyIncome> currency_;
    std::vector<mTBusinessNew> business_;
    std::vector<mTNalog> nalog_;
    std::vector<mTRepetitNew> repetit_;
};

}  // namespace zorv
