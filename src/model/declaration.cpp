#include "model/declaration.h"

#include <cstring>
#include <ctime>
#include <memory>
#include <stdexcept>

#include "model/imagefields.h"
#include "model/streamnames.h"
#include "storage/documentstorage.h"
#include "storage/errors.h"
#include "storage/fileloader.h"

namespace zorv {
namespace {

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

}  // namespace

double mTDeclaration::Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DayNumber(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

bool mTDeclaration::HasFilingDate() const {
    if (FilingDate <= 0) return false;
    return DeclarationKind == kEstimated4NDFL || FilingDate != DayNumber(2012, 12, 31);
}

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
void mTDeclaration::RemoveThirteenPercent(size_t i) {
    Erase(thirteen_, i);
}

size_t mTDeclaration::AddThirtyFivePercent() {
    RequireGroup(kIncomeFromAgents);
    return Append(thirtyFive_, "источники дохода 35 %");
}
void mTDeclaration::RemoveThirtyFivePercent(size_t i) {
    Erase(thirtyFive_, i);
}

size_t mTDeclaration::AddThirtyPercent() {
    RequireGroup(kIncomeFromAgents);
    return Append(thirty_, "дивиденды");
}
void mTDeclaration::RemoveThirtyPercent(size_t i) {
    Erase(thirty_, i);
}

size_t mTDeclaration::AddCurrencyIncome() {
    RequireGroup(kIncomeForeign);
    return Append(currency_, "доходы в иностранной валюте");
}
void mTDeclaration::RemoveCurrencyIncome(size_t i) {
    Erase(currency_, i);
}

size_t mTDeclaration::AddBusiness() {
    RequireGroup(kIncomeBusiness);
    return Append(business_, "виды деятельности");
}
void mTDeclaration::RemoveBusiness(size_t i) {
    Erase(business_, i);
}

size_t mTDeclaration::AddNalog() {
    return Append(nalog_, "авансовые платежи");
}
void mTDeclaration::RemoveNalog(size_t i) {
    Erase(nalog_, i);
}

size_t mTDeclaration::AddRepetit() {
    RequireGroup(kIncomeRepetit);
    return Append(repetit_, "Repetit");
}
void mTDeclaration::RemoveRepetit(size_t i) {
    Erase(repetit_, i);
}

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

// ---- the document image (see imagefields.h) ----

// Every stream of the document after its header. A document of an earlier year
// holds nothing that is carried over but the taxpayer.
template <typename R, typename V>
void DeclarationImage(R& d, V& v) {
    v.Stream("@DeclInfo");
    if (v.TypeName() != kDocumentTypeName) {
        v.Part(d.Person);
        return;
    }
    uint32_t reserved = 0;  // two counters that are always 0: read and dropped
    v.Text(d.InspectionCode);
    v.Text(d.InspectionName);
    v.Byte(d.IsPrimary);
    v.Int(d.CorrectionNumber);
    v.Date(d.FilingDate);
    v.Short(d.SubmitterKind);
    v.Short(d.TaxpayerCategory);
    v.Short(d.DeclarationKind);
    v.Short(d.incomeFlags_, &mTDeclaration::SetIncomeFlags, d);
    v.Byte(d.AutoCountAppendixes);
    v.Int(d.AppendixTotal);
    v.Int(d.AppendixCountJ);
    v.Int(reserved);
    v.Int(d.AppendixCountD);
    v.Int(d.AppendixCountE);
    v.Int(reserved);
    v.Int(d.AppendixCountProperty);
    v.Int(d.AppendixCountZ);
    v.Int(d.AppendixCountI);
    v.Int(d.AppendixCountG);
    v.Text(d.RepresentativeDocument);
    v.Amount(d.ExpectedIncome);
    v.Text(d.RepresentativeName);
    v.Text(d.RepresentativeOrganisation);

    v.Part(d.Person);

    if (d.HasIncome(kIncomeFromAgents)) {
        v.Stream("@DeclInquiry");
        v.Records(d.thirteen_, &mTDeclaration::AddThirteenPercent, d);
        v.Records(d.thirtyFive_, &mTDeclaration::AddThirtyFivePercent, d);
        v.Records(d.thirty_, &mTDeclaration::AddThirtyPercent, d);
    }
    if (d.HasIncome(kIncomeForeign)) {
        v.Stream("@DeclForeign");
        v.Records(d.currency_, &mTDeclaration::AddCurrencyIncome, d);
    }
    if (d.HasIncome(kIncomeBusiness)) {
        // ExpectedIncome and RepresentativeDocument again, as in @DeclInfo.
        v.Stream("@DeclBusiness");
        v.Records(d.business_, &mTDeclaration::AddBusiness, d);
        v.Amount(d.AdvanceActual);
        v.Amount(d.ExpectedIncome);
        v.Amount(d.ExpectedExpense);
        v.Amount(d.AdvanceAccrued);
        v.Text(d.RepresentativeDocument);
        v.Date(d.FarmStartDate);
        v.Amount(d.FarmExemptIncome);
    }
    if (d.HasIncome(kIncomeRepetit)) {
        v.Stream("@DeclRepetit");
        v.Records(d.repetit_, &mTDeclaration::AddRepetit, d);
        v.Amount(d.RepetitTotal1);
        v.Amount(d.RepetitTotal2);
    }
    if (d.IncomeFlags() != 0) {
        v.Part(d.StandartDeduct);
        v.Part(d.SocialDeduct);
        v.Part(d.ConstructionDeduct);
    }
    // "@Nalog" begins the names of the payments' streams, so it comes before them.
    v.Stream("@Nalog");
    v.Records(d.nalog_, &mTDeclaration::AddNalog, d);
    // A document without the year is of this tax year.
    if (!v.OptionalStreams([&] {
            v.Stream("@God");
            v.Text(d.Year);
        })) {
        v.Missing(d.Year, "2008");
    }
    // Last, and only when there is something in it, so that other readers pass it by.
    v.Part(d.Refund);
}

size_t mTDeclaration::ComputeSize() const {
    return kHeaderSize + FieldsSize([&](auto& v) { DeclarationImage(*this, v); });
}

void mTDeclaration::Write(mTDocumentStorage& s) const {
    s.CreateDocument(kDocumentTypeName);
    ImageWriter writer(s);
    DeclarationImage(*this, writer);
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

namespace {

// The storage's own words for an empty, unmappable or cut-off file tell the user
// nothing; these name the file and say what to do. The error keeps its class
// and codes.
template <class Error>
[[noreturn]] void RethrowForUser(const Error& e, const std::string& path) {
    const std::string message = e.what();
    std::string clear;
    if (message == msg::kZeroLength) {
        clear = "Файл " + path +
                " пуст (0 байт): декларации в нем нет. Возможно, его запись была прервана; "
                "откройте другую копию документа.";
    } else if (message == msg::kNoMapping || message == msg::kNoMemory) {
        clear = "Файл " + path +
                " не удалось прочитать в память. Закройте другие программы и повторите; если "
                "файл очень велик, проверьте, тот ли это документ.";
    } else if (message == msg::kNoStream || message == msg::kNotInitialised) {
        clear = "Файл " + path +
                " поврежден или записан не до конца: в нем нет части данных декларации. "
                "Откройте другую копию документа.";
    } else {
        throw e;
    }
    Error replaced(clear, e.ErrorCode());
    replaced.SetContextCode(e.ContextCode());
    throw replaced;
}

}  // namespace

void mTDeclaration::LoadFromFile(const std::string& path) {
    try {
        std::unique_ptr<mTFileLoader> loader;
        try {
            loader = std::make_unique<mTFileLoader>(path, 0, true);
        } catch (mEBadStorage& e) {
            e.SetContextCode(context::kFileNotOpened);
            throw;
        }
        mTDocumentStorage storage(loader.get());
        Read(storage);
    } catch (const mEMemoryAllocate& e) {
        RethrowForUser(e, path);
    } catch (const mEOpenStream& e) {
        RethrowForUser(e, path);
    } catch (const mEObjectAccess& e) {
        RethrowForUser(e, path);
    }
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

    ImageReader reader(s);
    DeclarationImage(*this, reader);
}

}  // namespace zorv
