#include "deductions.h"

#include "documentstorage.h"
#include "errors.h"
#include "streamnames.h"

namespace zorv {
namespace {
using S = mTDocumentStorage;
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
    WithContext(context::kStandardWrite, [&] {
        s.BeginStream("@StandartDeduct");
        s.WriteByte(Granted);
        if (Granted == 0) return;
        s.WriteInt(PersonalCode);
        s.WriteInt(ChildKindCode);
        s.WriteByte(ChildrenConstant);
        if (ChildrenConstant == 1) {
            s.WriteInt(ChildrenCount);
        } else {
            for (uint32_t n : ChildrenByMonth) s.WriteInt(n);
        }
        s.WriteByte(DisabledChildrenConstant);
        if (DisabledChildrenConstant == 1) {
            s.WriteInt(DisabledChildrenCount);
        } else {
            for (uint32_t n : DisabledChildrenByMonth) s.WriteInt(n);
        }
        s.WriteByte(HasMonthlyBusiness);
        if (HasMonthlyBusiness == 1) {
            for (Money m : MonthlyIncomeValues) s.WriteMoney(m);
            for (Money m : MonthlyExpenseValues) s.WriteMoney(m);
            for (uint8_t mark : MonthMarks) s.WriteByte(mark);
        }
        s.WriteByte(HasCodeByMonth);
        if (HasCodeByMonth == 1) {
            for (uint32_t code : CodeByMonthValues) s.WriteInt(code);
        }
    });
}

void mTStandartDeduct::Read(mTDocumentStorage& s) {
    WithContext(context::kStandardRead, [&] {
        s.OpenStream("@StandartDeduct");
        Granted = s.ReadByte();
        if (Granted == 0) return;
        PersonalCode = s.ReadInt();
        ChildKindCode = s.ReadInt();
        ChildrenConstant = s.ReadByte();
        if (ChildrenConstant == 1) {
            ChildrenCount = s.ReadInt();
        } else {
            for (uint32_t& n : ChildrenByMonth) n = s.ReadInt();
        }
        DisabledChildrenConstant = s.ReadByte();
        if (DisabledChildrenConstant == 1) {
            DisabledChildrenCount = s.ReadInt();
        } else {
            for (uint32_t& n : DisabledChildrenByMonth) n = s.ReadInt();
        }
        // Older builds ended the stream here: the two flags then count as 0.
        HasMonthlyBusiness = s.AtStreamEnd() ? 0 : s.ReadByte();
        if (HasMonthlyBusiness == 1) {
            for (Money& m : MonthlyIncomeValues) m = s.ReadMoney();
            for (Money& m : MonthlyExpenseValues) m = s.ReadMoney();
            for (uint8_t& mark : MonthMarks) mark = s.ReadByte();
        }
        HasCodeByMonth = s.AtStreamEnd() ? 0 : s.ReadByte();
        if (HasCodeByMonth == 1) {
            for (uint32_t& code : CodeByMonthValues) code = s.ReadInt();
        }
    });
}

size_t mTStandartDeduct::ComputeSize() const {
    size_t size = S::ValueSize(std::string_view("@StandartDeduct")) + S::ValueSize(uint32_t{Granted});
    if (Granted == 0) return size;
    size += S::ValueSize(PersonalCode) + S::ValueSize(ChildKindCode);
    size += S::ValueSize(uint32_t{ChildrenConstant});
    if (ChildrenConstant == 1) {
        size += S::ValueSize(ChildrenCount);
    } else {
        for (uint32_t n : ChildrenByMonth) size += S::ValueSize(n);
    }
    size += S::ValueSize(uint32_t{DisabledChildrenConstant});
    if (DisabledChildrenConstant == 1) {
        size += S::ValueSize(DisabledChildrenCount);
    } else {
        for (uint32_t n : DisabledChildrenByMonth) size += S::ValueSize(n);
    }
    size += S::ValueSize(uint32_t{HasMonthlyBusiness});
    if (HasMonthlyBusiness == 1) {
        for (Money m : MonthlyIncomeValues) size += S::ValueSize(m);
        for (Money m : MonthlyExpenseValues) size += S::ValueSize(m);
        for (uint8_t mark : MonthMarks) size += S::ValueSize(uint32_t{mark});
    }
    size += S::ValueSize(uint32_t{HasCodeByMonth});
    if (HasCodeByMonth == 1) {
        for (uint32_t code : CodeByMonthValues) size += S::ValueSize(code);
    }
    return size;
}

// ---- pension contracts ----

void mTPens::Write(mTDocumentStorage& s, size_t index) const {
    WithContext(context::kThirtyWrite, [&] {
        s.BeginStream(IndexedStreamName("@PensSub", index));
        s.WriteInt(ContractKind);
        for (const std::string* text : {&Name, &INN, &KPP, &ContractNumber}) s.WriteStr(*text);
        s.WriteDate(ContractDate);
        s.WriteMoney(Contributions);
        s.WriteMoney(DeductSum);
    });
}

void mTPens::Read(mTDocumentStorage& s, size_t index) {
    WithContext(context::kThirtyRead, [&] {
        s.OpenStream(IndexedStreamName("@PensSub", index));
        ContractKind = s.ReadInt();
        for (std::string* text : {&Name, &INN, &KPP, &ContractNumber}) *text = s.ReadStr();
        ContractDate = s.ReadDate();
        Contributions = s.ReadMoney();
        DeductSum = s.ReadMoney();
    });
}

size_t mTPens::ComputeSize() const {
    size_t size = S::ValueSize(std::string_view(IndexedStreamName("@PensSub", 0))) +
                  S::ValueSize(ContractKind) + S::DateValueSize(ContractDate) +
                  S::ValueSize(Contributions) + S::ValueSize(DeductSum);
    for (const std::string* text : {&Name, &INN, &KPP, &ContractNumber}) {
        size += S::ValueSize(std::string_view(*text));
    }
    return size;
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
    WithContext(context::kSocialWrite, [&] {
        s.BeginStream("@SocialDeduct");
        s.WriteByte(Granted);
        if (Granted == 0) return;
        s.WriteMoney(CharitySum);
        s.WriteMoney(SelfEducationSum);
        s.WriteInt(static_cast<uint32_t>(ChildEducationSums.size()));
        for (Money m : ChildEducationSums) s.WriteMoney(m);
        s.WriteMoney(MedicalSum);
        s.WriteMoney(ExpensiveMedicalSum);
        s.WriteMoney(InsuranceSum);
        s.BeginStream("@Pens");
        s.WriteShort(static_cast<uint16_t>(PensList.size()));
        for (size_t i = 0; i < PensList.size(); ++i) PensList[i].Write(s, i);
    });
}

void mTSocialDeduct::Read(mTDocumentStorage& s) {
    WithContext(context::kSocialRead, [&] {
        s.OpenStream("@SocialDeduct");
        Granted = s.ReadByte();
        if (Granted == 0) return;
        CharitySum = s.ReadMoney();
        SelfEducationSum = s.ReadMoney();
        uint32_t count = s.ReadInt();
        ChildEducationSums.clear();
        for (uint32_t i = 0; i < count; ++i) {
            // Each amount takes at least five bytes of the image; a larger count is damage.
            ChildEducationSums.push_back(s.ReadMoney());
        }
        MedicalSum = s.ReadMoney();
        ExpensiveMedicalSum = s.ReadMoney();
        InsuranceSum = s.ReadMoney();
        s.OpenStream("@Pens");
        uint16_t contracts = s.ReadShort();
        if (contracts > kMaxListEntries) throw mEBadStorage(msg::kBadFormat, 401);
        PensList.clear();
        for (uint16_t i = 0; i < contracts; ++i) PensList[AddPens()].Read(s, i);
    });
}

size_t mTSocialDeduct::ComputeSize() const {
    size_t size = S::ValueSize(std::string_view("@SocialDeduct")) + S::ValueSize(uint32_t{Granted});
    if (Granted == 0) return size;
    size += S::ValueSize(CharitySum) + S::ValueSize(SelfEducationSum);
    size += S::ValueSize(static_cast<uint32_t>(ChildEducationSums.size()));
    for (Money m : ChildEducationSums) size += S::ValueSize(m);
    size += S::ValueSize(MedicalSum) + S::ValueSize(ExpensiveMedicalSum) + S::ValueSize(InsuranceSum);
    size += S::ValueSize(std::string_view("@Pens")) +
            S::ValueSize(static_cast<uint32_t>(static_cast<uint16_t>(PensList.size())));
    for (const mTPens& pens : PensList) size += pens.ComputeSize();
    return size;
}

// ---- property ----

std::array<std::string*, 11> mTConstructionDeduct::Texts() {
    return {&ObjectName, &PostIndex, &RegionCode, &RegionName, &District, &City,
            &Locality,   &Street,    &House,      &Building,   &Flat};
}

std::array<const std::string*, 11> mTConstructionDeduct::Texts() const {
    return {&ObjectName, &PostIndex, &RegionCode, &RegionName, &District, &City,
            &Locality,   &Street,    &House,      &Building,   &Flat};
}

std::array<Money*, 11> mTConstructionDeduct::Amounts() {
    return {&HousingCarriedOver,     &CreditCarriedOver,     &HousingPriorYears,
            &CreditPriorYears,       &Share,                 &HousingPriorYearsAgent,
            &CreditPriorYearsAgent,  &ObjectCost,            &CreditInterest,
            &HousingAgentThisYear,   &CreditAgentThisYear};
}

std::array<Money, 11> mTConstructionDeduct::Amounts() const {
    return {HousingCarriedOver,    CreditCarriedOver, HousingPriorYears,     CreditPriorYears,
            Share,                 HousingPriorYearsAgent, CreditPriorYearsAgent, ObjectCost,
            CreditInterest,        HousingAgentThisYear,   CreditAgentThisYear};
}

void mTConstructionDeduct::Write(mTDocumentStorage& s) const {
    WithContext(context::kPropertyWrite, [&] {
        s.BeginStream("@ConstructionDeduct");
        s.WriteByte(Granted);
        if (Granted == 0) return;
        for (const std::string* text : Texts()) s.WriteStr(*text);
        s.WriteDate(RegistrationDate);
        s.WriteDate(PurchaseDate);
        s.WriteDate(StartYearDate);
        for (Money m : Amounts()) s.WriteMoney(m);
        s.WriteInt(ShareNumerator);
        s.WriteInt(ShareDenominator);
    });
}

void mTConstructionDeduct::Read(mTDocumentStorage& s) {
    WithContext(context::kPropertyRead, [&] {
        s.OpenStream("@ConstructionDeduct");
        Granted = s.ReadByte();
        if (Granted == 0) return;
        for (std::string* text : Texts()) *text = s.ReadStr();
        RegistrationDate = s.ReadDate();
        PurchaseDate = s.ReadDate();
        StartYearDate = s.ReadDate();
        for (Money* m : Amounts()) *m = s.ReadMoney();
        ShareNumerator = s.ReadInt();
        ShareDenominator = s.ReadInt();
    });
}

size_t mTConstructionDeduct::ComputeSize() const {
    size_t size =
        S::ValueSize(std::string_view("@ConstructionDeduct")) + S::ValueSize(uint32_t{Granted});
    if (Granted == 0) return size;
    for (const std::string* text : Texts()) size += S::ValueSize(std::string_view(*text));
    size += S::DateValueSize(RegistrationDate) + S::DateValueSize(PurchaseDate) +
            S::DateValueSize(StartYearDate);
    for (Money m : Amounts()) size += S::ValueSize(m);
    size += S::ValueSize(ShareNumerator) + S::ValueSize(ShareDenominator);
    return size;
}

}  // namespace zorv
