#include "declaration.h"

#include <cstring>
#include <memory>
#include <ctime>
#include <stdexcept>

#include "documentstorage.h"
#include "errors.h"
#include "fileloader.h"
#include "streamnames.h"

namespace zorv {
namespace {

using S = mTDocumentStorage;

mTDeclaration::ImageHandler& Handler() {
    static mTDeclaration::ImageHandler handler;
    return handler;
}

template <typename List>
size_t Append(List& list, const char* caption) {
    CheckListRoom(list.size(), caption);
    list.emplace_back();
    return list.size() - 1;
}

template <typename List>
void Erase(List& list, size_t i) {
    list.at(i);
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
}

template <typename List>
size_t ListSize(const List& list) {
    size_t size = S::ValueSize(static_cast<uint32_t>(list.size()));
    for (const auto& record : list) size += record.ComputeSize();
    return size;
}

template <typename List>
void WriteList(S& s, const List& list) {
    if (list.size() > kMaxListEntries) CheckListRoom(list.size(), "");
    s.WriteShort(static_cast<uint16_t>(list.size()));
    for (size_t i = 0; i < list.size(); ++i) list[i].Write(s, i);
}

// Reads a count and that many records, each added to the list first.
template <typename List, typename Add>
void ReadList(S& s, List& list, Add add) {
    uint16_t count = s.ReadShort();
    if (count > kMaxListEntries) throw mEBadStorage(msg::kBadFormat, 401);
    for (uint16_t i = 0; i < count; ++i) list[add()].Read(s, i);
}

constexpr AppendixCounter kCounters[] = {AppendixCounter::J,        AppendixCounter::D,
                                         AppendixCounter::E,        AppendixCounter::Property,
                                         AppendixCounter::Z,        AppendixCounter::I,
                                         AppendixCounter::G};

}  // namespace

double mTDeclaration::Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

void mTDeclaration::SetImageHandler(ImageHandler handler) { Handler() = std::move(handler); }

void mTDeclaration::SetIncomeFlags(uint8_t flags) {
    auto turnedOff = [&](uint8_t flag) { return HasIncome(flag) && (flags & flag) == 0; };
    if (turnedOff(kIncomeFromAgents)) {
        thirteen_.clear();
        thirtyFive_.clear();
        thirty_.clear();
    }
    if (turnedOff(kIncomeForeign)) currency_.clear();
    if (turnedOff(kIncomeBusiness)) business_.clear();
    if (turnedOff(kIncomeRepetit)) repetit_.clear();
    incomeFlags_ = flags;
}

void mTDeclaration::RequireGroup(uint8_t flag) const {
    if (!HasIncome(flag)) throw std::logic_error("the income group of this list is switched off");
}

size_t mTDeclaration::AddThirteenPercent() {
    RequireGroup(kIncomeFromAgents);
    return Append(thirteen_, "источники дохода 13 %");
}
void mTDeclaration::RemoveThirteenPercent(size_t i) { Erase(thirteen_, i); }

size_t mTDeclaration::AddThirtyFivePercent() {
    RequireGroup(kIncomeFromAgents);
    return Append(thirtyFive_, "источники дохода 35 %");
}
void mTDeclaration::RemoveThirtyFivePercent(size_t i) { Erase(thirtyFive_, i); }

size_t mTDeclaration::AddThirtyPercent() {
    RequireGroup(kIncomeFromAgents);
    return Append(thirty_, "дивиденды");
}
void mTDeclaration::RemoveThirtyPercent(size_t i) { Erase(thirty_, i); }

size_t mTDeclaration::AddCurrencyIncome() {
    RequireGroup(kIncomeForeign);
    return Append(currency_, "доходы в иностранной валюте");
}
void mTDeclaration::RemoveCurrencyIncome(size_t i) { Erase(currency_, i); }

size_t mTDeclaration::AddBusiness() {
    RequireGroup(kIncomeBusiness);
    return Append(business_, "виды деятельности");
}
void mTDeclaration::RemoveBusiness(size_t i) { Erase(business_, i); }

size_t mTDeclaration::AddNalog() { return Append(nalog_, "авансовые платежи"); }
void mTDeclaration::RemoveNalog(size_t i) { Erase(nalog_, i); }

size_t mTDeclaration::AddRepetit() {
    RequireGroup(kIncomeRepetit);
    return Append(repetit_, "Repetit");
}
void mTDeclaration::RemoveRepetit(size_t i) { Erase(repetit_, i); }

uint32_t* mTDeclaration::CounterField(AppendixCounter counter) {
    switch (counter) {
        case AppendixCounter::J:
            return &AppendixCountJ;
        case AppendixCounter::D:
            return &AppendixCountD;
        case AppendixCounter::E:
            return &AppendixCountE;
        case AppendixCounter::Property:
            return &AppendixCountProperty;
        case AppendixCounter::Z:
            return &AppendixCountZ;
        case AppendixCounter::I:
            return &AppendixCountI;
        case AppendixCounter::G:
            return &AppendixCountG;
    }
    throw std::invalid_argument("counter");
}

uint32_t mTDeclaration::AppendixCount(AppendixCounter counter) const {
    return *const_cast<mTDeclaration*>(this)->CounterField(counter);
}

void mTDeclaration::SetAppendixCount(AppendixCounter counter, uint32_t value) {
    uint32_t* field = CounterField(counter);
    if (AutoCountAppendixes == 1) {
        int64_t total = static_cast<int64_t>(AppendixTotal) + value - *field;
        AppendixTotal = static_cast<uint32_t>(total < 0 ? 0 : total);
    }
    *field = value;
}

void mTDeclaration::SetAppendixTotal(uint32_t value) {
    if (AutoCountAppendixes == 0) AppendixTotal = value;
}

// ---- writing ----

size_t mTDeclaration::ComputeSize() const {
    size_t size = kHeaderSize;
    auto text = [](const std::string& t) { return S::ValueSize(std::string_view(t)); };
    auto name = [](const char* n) { return S::ValueSize(std::string_view(n)); };

    size += name("@DeclInfo") + text(InspectionCode) + text(InspectionName) +
            S::ValueSize(uint32_t{IsPrimary}) + S::ValueSize(CorrectionNumber) +
            S::DateValueSize(FilingDate) + S::ValueSize(uint32_t{SubmitterKind}) +
            S::ValueSize(uint32_t{TaxpayerCategory}) + S::ValueSize(uint32_t{DeclarationKind}) +
            S::ValueSize(uint32_t{incomeFlags_}) + S::ValueSize(uint32_t{AutoCountAppendixes}) +
            S::ValueSize(AppendixTotal) + S::ValueSize(AppendixCountJ) + S::ValueSize(0u) +
            S::ValueSize(AppendixCountD) + S::ValueSize(AppendixCountE) + S::ValueSize(0u) +
            S::ValueSize(AppendixCountProperty) + S::ValueSize(AppendixCountZ) +
            S::ValueSize(AppendixCountI) + S::ValueSize(AppendixCountG) +
            text(RepresentativeDocument) + S::ValueSize(ExpectedIncome) +
            text(RepresentativeName) + text(RepresentativeOrganisation);
    size += Person.ComputeSize();
    if (HasIncome(kIncomeFromAgents)) {
        size += name("@DeclInquiry") + ListSize(thirteen_) + ListSize(thirtyFive_) +
                ListSize(thirty_);
    }
    if (HasIncome(kIncomeForeign)) size += name("@DeclForeign") + ListSize(currency_);
    if (HasIncome(kIncomeBusiness)) {
        size += name("@DeclBusiness") + ListSize(business_) + S::ValueSize(AdvanceActual) +
                S::ValueSize(ExpectedIncome) + S::ValueSize(ExpectedExpense) +
                S::ValueSize(AdvanceAccrued) + text(RepresentativeDocument) +
                S::DateValueSize(FarmStartDate) + S::ValueSize(FarmExemptIncome);
    }
    if (HasIncome(kIncomeRepetit)) {
        size += name("@DeclRepetit") + ListSize(repetit_) + S::ValueSize(RepetitTotal1) +
                S::ValueSize(RepetitTotal2);
    }
    if (incomeFlags_ != 0) {
        size += StandartDeduct.ComputeSize() + SocialDeduct.ComputeSize() +
                ConstructionDeduct.ComputeSize();
    }
    size += name("@Nalog") + ListSize(nalog_);
    size += name("@God") + text(Year);
    return size;
}

void mTDeclaration::Write(mTDocumentStorage& s) const {
    s.CreateDocument(kDocumentTypeName);
    s.BeginStream("@DeclInfo");
    s.WriteStr(InspectionCode);
    s.WriteStr(InspectionName);
    s.WriteByte(IsPrimary);
    s.WriteInt(CorrectionNumber);
    s.WriteDate(FilingDate);
    s.WriteShort(SubmitterKind);
    s.WriteShort(TaxpayerCategory);
    s.WriteShort(DeclarationKind);
    s.WriteShort(incomeFlags_);
    s.WriteByte(AutoCountAppendixes);
    for (uint32_t value : {AppendixTotal, AppendixCountJ, 0u, AppendixCountD, AppendixCountE, 0u,
                           AppendixCountProperty, AppendixCountZ, AppendixCountI, AppendixCountG}) {
        s.WriteInt(value);
    }
    s.WriteStr(RepresentativeDocument);
    s.WriteMoney(ExpectedIncome);
    s.WriteStr(RepresentativeName);
    s.WriteStr(RepresentativeOrganisation);

    Person.Write(s);

    if (HasIncome(kIncomeFromAgents)) {
        s.BeginStream("@DeclInquiry");
        WriteList(s, thirteen_);
        WriteList(s, thirtyFive_);
        WriteList(s, thirty_);
    }
    if (HasIncome(kIncomeForeign)) {
        s.BeginStream("@DeclForeign");
        WriteList(s, currency_);
    }
    if (HasIncome(kIncomeBusiness)) {
        s.BeginStream("@DeclBusiness");
        WriteList(s, business_);
        s.WriteMoney(AdvanceActual);
        s.WriteMoney(ExpectedIncome);
        s.WriteMoney(ExpectedExpense);
        s.WriteMoney(AdvanceAccrued);
        s.WriteStr(RepresentativeDocument);
        s.WriteDate(FarmStartDate);
        s.WriteMoney(FarmExemptIncome);
    }
    if (HasIncome(kIncomeRepetit)) {
        s.BeginStream("@DeclRepetit");
        WriteList(s, repetit_);
        s.WriteMoney(RepetitTotal1);
        s.WriteMoney(RepetitTotal2);
    }
    if (incomeFlags_ != 0) {
        StandartDeduct.Write(s);
        SocialDeduct.Write(s);
        ConstructionDeduct.Write(s);
    }
    s.BeginStream("@Nalog");
    WriteList(s, nalog_);
    s.BeginStream("@God");
    s.WriteStr(Year);
}

void mTDeclaration::WriteImage(mTFileLoader& loader, ImageTarget target,
                               const std::string& xmlPath) const {
    {
        mTDocumentStorage storage(&loader);
        Write(storage);
    }
    if (target == ImageTarget::File) return;
    try {
        if (Handler()) Handler()(target, loader.Data(), loader.Size(), xmlPath);
    } catch (const kTProvDecl&) {
        // The report library has already told the user; the call ends quietly.
    }
}

std::vector<uint8_t> mTDeclaration::BuildImage() const {
    size_t size = ComputeSize();
    mTFileLoader loader(static_cast<uint32_t>(size));
    mTDocumentStorage storage(&loader);
    Write(storage);
    // The size is exact; a shortfall would have been refused while writing.
    return std::vector<uint8_t>(loader.Data(), loader.Data() + storage.Position());
}

void mTDeclaration::SaveToFile(const std::string& path) const {
    std::vector<uint8_t> image = BuildImage();
    WithContext(context::kFileNotCreated,
                [&] { WriteFileAtomically(path, image.data(), image.size()); });
}

// ---- reading ----

void mTDeclaration::LoadFromFile(const std::string& path) {
    std::unique_ptr<mTFileLoader> loader;
    try {
        loader = std::make_unique<mTFileLoader>(path, 0, true);
    } catch (mEBadStorage& e) {
        e.SetContextCode(context::kFileNotOpened);
        throw;
    }
    mTDocumentStorage storage(loader.get());
    Read(storage);
}

void mTDeclaration::LoadFromImage(const uint8_t* image, size_t size) {
    mTDocumentStorage storage(image, size);
    Read(storage);
}

void mTDeclaration::Read(mTDocumentStorage& s) {
    try {
        s.OpenDocument();
    } catch (mEBadStorage& e) {
        if (e.ErrorCode() >= 60 && e.ErrorCode() <= 63) {
            mEBadStorage replaced(msg::kBadFormat, context::kBadHeader);
            replaced.SetContextCode(context::kBadHeader);
            throw replaced;
        }
        if (e.ContextCode() == 0) e.SetContextCode(context::kBadSignature);
        throw;
    }

    s.OpenStream("@DeclInfo");
    if (s.TypeName() != kDocumentTypeName) {
        // A document of an earlier year: only the taxpayer is carried over.
        Person.Read(s);
        return;
    }
    InspectionCode = s.ReadStr();
    InspectionName = s.ReadStr();
    IsPrimary = s.ReadByte();
    CorrectionNumber = s.ReadInt();
    FilingDate = s.ReadDate();
    SubmitterKind = static_cast<uint8_t>(s.ReadShort());
    TaxpayerCategory = static_cast<uint8_t>(s.ReadShort());
    DeclarationKind = static_cast<uint8_t>(s.ReadShort());
    SetIncomeFlags(static_cast<uint8_t>(s.ReadShort()));
    AutoCountAppendixes = s.ReadByte();
    AppendixTotal = s.ReadInt();
    AppendixCountJ = s.ReadInt();
    s.ReadInt();
    AppendixCountD = s.ReadInt();
    AppendixCountE = s.ReadInt();
    s.ReadInt();
    AppendixCountProperty = s.ReadInt();
    AppendixCountZ = s.ReadInt();
    AppendixCountI = s.ReadInt();
    AppendixCountG = s.ReadInt();
    RepresentativeDocument = s.ReadStr();
    ExpectedIncome = s.ReadMoney();
    RepresentativeName = s.ReadStr();
    RepresentativeOrganisation = s.ReadStr();

    Person.Read(s);

    if (HasIncome(kIncomeFromAgents)) {
        s.OpenStream("@DeclInquiry");
        ReadList(s, thirteen_, [&] { return AddThirteenPercent(); });
        ReadList(s, thirtyFive_, [&] { return AddThirtyFivePercent(); });
        ReadList(s, thirty_, [&] { return AddThirtyPercent(); });
    }
    if (HasIncome(kIncomeForeign)) {
        s.OpenStream("@DeclForeign");
        ReadList(s, currency_, [&] { return AddCurrencyIncome(); });
    }
    if (HasIncome(kIncomeBusiness)) {
        s.OpenStream("@DeclBusiness");
        ReadList(s, business_, [&] { return AddBusiness(); });
        AdvanceActual = s.ReadMoney();
        ExpectedIncome = s.ReadMoney();
        ExpectedExpense = s.ReadMoney();
        AdvanceAccrued = s.ReadMoney();
        RepresentativeDocument = s.ReadStr();
        FarmStartDate = s.ReadDate();
        FarmExemptIncome = s.ReadMoney();
    }
    if (HasIncome(kIncomeRepetit)) {
        s.OpenStream("@DeclRepetit");
        ReadList(s, repetit_, [&] { return AddRepetit(); });
        RepetitTotal1 = s.ReadMoney();
        RepetitTotal2 = s.ReadMoney();
    }
    if (incomeFlags_ != 0) {
        StandartDeduct.Read(s);
        SocialDeduct.Read(s);
        ConstructionDeduct.Read(s);
    }
    s.OpenStream("@Nalog");
    ReadList(s, nalog_, [&] { return AddNalog(); });
    try {
        s.OpenStream("@God");
        Year = s.ReadStr();
    } catch (const mEOpenStream&) {
        Year = "2008";
    }
}

}  // namespace zorv
