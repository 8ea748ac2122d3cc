#include "model/deductions.h"

#include "model/imagefields.h"
#include "model/streamnames.h"
#include "storage/documentstorage.h"
#include "storage/errors.h"

namespace zorv {

// ---- field lists of the document image (see imagefields.h) ----

template <typename R, typename V>
void StandartDeductImage(R& r, V& v) {
    v.Stream("@StandartDeduct");
    v.Byte(r.Granted);
    if (r.Granted == 0) return;
    v.Int(r.PersonalCode);
    v.Int(r.ChildKindCode);
    v.Byte(r.ChildrenConstant);
    if (r.ChildrenConstant == 1) {
        v.Int(r.ChildrenCount);
    } else {
        for (auto& n : r.ChildrenByMonth) v.Int(n);
    }
    v.Byte(r.DisabledChildrenConstant);
    if (r.DisabledChildrenConstant == 1) {
        v.Int(r.DisabledChildrenCount);
    } else {
        for (auto& n : r.DisabledChildrenByMonth) v.Int(n);
    }
    // Older builds ended the stream before either of the two flags below.
    v.TrailingByte(r.HasMonthlyBusiness);
    if (r.HasMonthlyBusiness == 1) {
        for (auto& amount : r.MonthlyIncomeValues) v.Amount(amount);
        for (auto& amount : r.MonthlyExpenseValues) v.Amount(amount);
        for (auto& mark : r.MonthMarks) v.Byte(mark);
    }
    v.TrailingByte(r.HasCodeByMonth);
    if (r.HasCodeByMonth == 1) {
        for (auto& code : r.CodeByMonthValues) v.Int(code);
    }
}

template <typename R, typename V>
void PensImage(R& r, V& v, size_t index) {
    v.Stream(IndexedStreamName("@PensSub", index));
    v.Int(r.ContractKind);
    v.Text(r.Name);
    v.Text(r.INN);
    v.Text(r.KPP);
    v.Text(r.ContractNumber);
    v.Date(r.ContractDate);
    v.Amount(r.Contributions);
    v.Amount(r.DeductSum);
}

// "@Pens" begins the names of the contracts' streams, so it comes before them.
template <typename R, typename V>
void SocialDeductImage(R& r, V& v) {
    v.Stream("@SocialDeduct");
    v.Byte(r.Granted);
    if (r.Granted == 0) return;
    v.Amount(r.CharitySum);
    v.Amount(r.SelfEducationSum);
    v.Amounts(r.ChildEducationSums);
    v.Amount(r.MedicalSum);
    v.Amount(r.ExpensiveMedicalSum);
    v.Amount(r.InsuranceSum);
    v.Stream("@Pens");
    v.ClearOnRead(r.PensList);
    v.Records(r.PensList, &mTSocialDeduct::AddPens, r);
}

template <typename R, typename V>
void ConstructionDeductImage(R& r, V& v) {
    v.Stream("@ConstructionDeduct");
    v.Byte(r.Granted);
    if (r.Granted == 0) return;
    v.Text(r.ObjectName);
    v.Text(r.PostIndex);
    v.Text(r.RegionCode);
    v.Text(r.RegionName);
    v.Text(r.District);
    v.Text(r.City);
    v.Text(r.Locality);
    v.Text(r.Street);
    v.Text(r.House);
    v.Text(r.Building);
    v.Text(r.Flat);
    v.Date(r.RegistrationDate);
    v.Date(r.PurchaseDate);
    v.Date(r.StartYearDate);
    v.Amount(r.HousingCarriedOver);
    v.Amount(r.CreditCarriedOver);
    v.Amount(r.HousingPriorYears);
    v.Amount(r.CreditPriorYears);
    v.Amount(r.Share);
    v.Amount(r.HousingPriorYearsAgent);
    v.Amount(r.CreditPriorYearsAgent);
    v.Amount(r.ObjectCost);
    v.Amount(r.CreditInterest);
    v.Amount(r.HousingAgentThisYear);
    v.Amount(r.CreditAgentThisYear);
    v.Int(r.ShareNumerator);
    v.Int(r.ShareDenominator);
}

// ---- standard ----

void mTStandartDeduct::SetChildrenCount(uint32_t n) {
    ChildrenCount = n;
    ChildrenConstant = 1;
}
void mTStandartDeduct::SetChildrenByMonth(int i, uint32_t n) {
    ChildrenByMonth.at(static_cast<size_t>(i)) = n;
    ChildrenConstant = 0;
}
void mTStandartDeduct::SetDisabledChildrenCount(uint32_t n) {
    DisabledChildrenCount = n;
    DisabledChildrenConstant = 1;
}
void mTStandartDeduct::SetDisabledChildrenByMonth(int i, uint32_t n) {
    DisabledChildrenByMonth.at(static_cast<size_t>(i)) = n;
    DisabledChildrenConstant = 0;
}

void mTStandartDeduct::Write(mTDocumentStorage& s) const {
    WriteFields(s, context::kStandardWrite, [&](auto& v) { StandartDeductImage(*this, v); });
}
void mTStandartDeduct::Read(mTDocumentStorage& s) {
    ReadFields(s, context::kStandardRead, [&](auto& v) { StandartDeductImage(*this, v); });
}
size_t mTStandartDeduct::ComputeSize() const {
    return FieldsSize([&](auto& v) { StandartDeductImage(*this, v); });
}

// ---- pension contracts (with the context codes of the dividends) ----

void mTPens::Write(mTDocumentStorage& s, size_t index) const {
    WriteFields(s, context::kThirtyWrite, [&](auto& v) { PensImage(*this, v, index); });
}
void mTPens::Read(mTDocumentStorage& s, size_t index) {
    ReadFields(s, context::kThirtyRead, [&](auto& v) { PensImage(*this, v, index); });
}
size_t mTPens::ComputeSize() const {
    return FieldsSize([&](auto& v) { PensImage(*this, v, 0); });
}

// ---- social ----

void mTSocialDeduct::CheckIndex(int index, uint16_t negativeCode, uint16_t pastEndCode) const {
    if (index < 0) throw mEMemoryAllocate(msg::kNotAllocated, negativeCode);
    if (static_cast<size_t>(index) >= ChildEducationSums.size()) {
        throw mEMemoryAllocate(msg::kNotAllocated, pastEndCode);
    }
}

size_t mTSocialDeduct::AddEducationSum(Money value) {
    ChildEducationSums.push_back(value);
    return ChildEducationSums.size() - 1;
}

Money mTSocialDeduct::EducationSum(int index) const {
    CheckIndex(index, 310, 311);
    return ChildEducationSums[static_cast<size_t>(index)];
}

void mTSocialDeduct::SetEducationSum(int index, Money value) {
    CheckIndex(index, 320, 321);
    ChildEducationSums[static_cast<size_t>(index)] = value;
}

void mTSocialDeduct::RemoveEducationSum(int index) {
    CheckIndex(index, 330, 331);
    ChildEducationSums.erase(ChildEducationSums.begin() + index);
}

size_t mTSocialDeduct::AddPens() {
    CheckListRoom(PensList.size(), "пенсионные договоры");
    PensList.emplace_back();
    return PensList.size() - 1;
}

void mTSocialDeduct::RemovePens(size_t index) {
    PensList.at(index);
    PensList.erase(PensList.begin() + static_cast<std::ptrdiff_t>(index));
}

void mTSocialDeduct::Write(mTDocumentStorage& s) const {
    WriteFields(s, context::kSocialWrite, [&](auto& v) { SocialDeductImage(*this, v); });
}
void mTSocialDeduct::Read(mTDocumentStorage& s) {
    ReadFields(s, context::kSocialRead, [&](auto& v) { SocialDeductImage(*this, v); });
}
size_t mTSocialDeduct::ComputeSize() const {
    return FieldsSize([&](auto& v) { SocialDeductImage(*this, v); });
}

// ---- property ----

std::array<std::string*, 11> mTConstructionDeduct::Texts() {
    return {&ObjectName, &PostIndex, &RegionCode, &RegionName, &District, &City,
            &Locality,   &Street,    &House,      &Building,   &Flat};
}

std::array<Money*, 11> mTConstructionDeduct::Amounts() {
    return {&HousingCarriedOver,
            &CreditCarriedOver,
            &HousingPriorYears,
            &CreditPriorYears,
            &Share,
            &HousingPriorYearsAgent,
            &CreditPriorYearsAgent,
            &ObjectCost,
            &CreditInterest,
            &HousingAgentThisYear,
            &CreditAgentThisYear};
}

void mTConstructionDeduct::Write(mTDocumentStorage& s) const {
    WriteFields(s, context::kPropertyWrite, [&](auto& v) { ConstructionDeductImage(*this, v); });
}
void mTConstructionDeduct::Read(mTDocumentStorage& s) {
    ReadFields(s, context::kPropertyRead, [&](auto& v) { ConstructionDeductImage(*this, v); });
}
size_t mTConstructionDeduct::ComputeSize() const {
    return FieldsSize([&](auto& v) { ConstructionDeductImage(*this, v); });
}

}  // namespace zorv
