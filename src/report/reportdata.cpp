#include "report/reportdata.h"

#include <cmath>
#include <cstring>

#include "calc/calcmoney.h"
#include "model/streamnames.h"
#include "storage/documentstorage.h"
#include "storage/errors.h"
#include "storage/textutil.h"

namespace zorv {
namespace {

using S = mTDocumentStorage;

// A text that would print as nothing becomes one blank.
void AtLeastBlank(std::string& text) {
    if (TrimBlanks(text).empty()) text = " ";
}

std::string Trimmed(const std::string& text) {
    return std::string(TrimBlanks(text));
}

template <typename Add, typename Get>
void ReadRecords(S& s, Add add, Get get) {
    uint16_t count = s.ReadShort();
    if (count > kMaxListEntries) throw mEBadStorage(msg::kBadFormat, 401);
    for (uint16_t i = 0; i < count; ++i) get(add()).Read(s, i);
}

}  // namespace

void OpenReportDocument(mTDocumentStorage& cursor, const uint8_t* image) {
    if (image == nullptr) throw mEMemoryAllocate(msg::kNotAllocated, 70);
    if (cursor.IsOpened()) throw mEAlreadyCreated(msg::kAlreadyCreated, 72);
    try {
        cursor.OpenDocument();
    } catch (mEBadStorage& e) {
        // A wrong signature and a damaged header are the same news to the caller.
        throw mEBadStorage(e.what(), 71);
    }
}

size_t BareImageLength(const uint8_t* image) {
    return image == nullptr ? 0 : std::strlen(reinterpret_cast<const char*>(image));
}

double ShareFromStored(Money share) {
    const int64_t raw = share.Raw();
    if (raw == 3333 || raw == 3334) return 0.33333333;
    if (raw == 6666 || raw == 6667) return 0.66666667;
    return static_cast<double>(raw) / Money::kScale;
}

kTDanLog::kTDanLog(const uint8_t* image, size_t size, bool hideDate) : PrintDate(!hideDate) {
    S s(image, image == nullptr ? 0 : size);
    OpenReportDocument(s, image);
    ReadPerson(s);
    ReadHeader(s);
    ReadIncome(s);
    ReadDeductions(s);
    s.OpenStream("@Nalog");
    ReadRecords(
        s, [&] { return Declaration.AddNalog(); },
        [&](size_t i) -> mTNalog& { return Declaration.Nalog(i); });
    // The declaration's tax year; a document without it is of 2008.
    try {
        s.OpenStream("@God");
        Declaration.Year = s.ReadStr();
    } catch (const mEOpenStream&) {
        Declaration.Year = "2008";
    }
}

void kTDanLog::ReadPerson(S& s) {
    mTPersonInformation& p = Declaration.Person;
    p.Read(s);
    if (p.IsForeigner == 0) {
        // Only a foreigner's citizenship block is taken from the document.
        const mTPersonInformation defaults;
        p.CitizenshipKind = defaults.CitizenshipKind;
        p.CitizenshipName = defaults.CitizenshipName;
        p.ForeignAddress = defaults.ForeignAddress;
        p.CitizenshipCode = defaults.CitizenshipCode;
        p.ForeignHomePhone1 = p.ForeignHomePhone2 = {};
        p.ForeignWorkPhone1 = p.ForeignWorkPhone2 = {};
    }
    if (TrimBlanks(p.CitizenshipName).empty()) p.CitizenshipName = "РОССИЯ";
    if (TrimBlanks(p.CitizenshipCode).empty()) p.CitizenshipCode = "643";
    for (std::string* phone : {&p.HomePhoneExtra, &p.HomePhone, &p.WorkPhoneExtra, &p.WorkPhone}) {
        *phone = Trimmed(*phone);
    }

    static_cast<mTPersonInformation&>(Person) = p;
    for (std::string* text :
         {&Person.SurName, &Person.Name, &Person.Patronymic, &Person.INN, &Person.InsuranceNumber,
          &Person.DocTypeName, &Person.DocNumber, &Person.District, &Person.City, &Person.Locality,
          &Person.Street, &Person.House, &Person.Building, &Person.Flat, &Person.OKATO}) {
        AtLeastBlank(*text);
    }
    if (TrimBlanks(Person.PostIndex).empty()) Person.PostIndex = std::string(6, ' ');
}

void kTDanLog::ReadHeader(S& s) {
    s.OpenStream("@DeclInfo");
    kTDeclDan& h = Header;
    h.InspectionCode = s.ReadStr();
    h.InspectionName = s.ReadStr();
    h.IsPrimary = s.ReadByte();
    h.CorrectionNumber = s.ReadInt();
    h.FilingDate = s.ReadDate();
    h.SubmitterKind = static_cast<uint8_t>(s.ReadShort());
    h.TaxpayerCategory = static_cast<uint8_t>(s.ReadShort());
    h.DeclarationKind = static_cast<uint8_t>(s.ReadShort());
    h.IncomeFlags = static_cast<uint8_t>(s.ReadShort());
    s.ReadByte();  // automatic appendix count: not used by the report
    h.AppendixTotal = s.ReadInt();
    for (int i = 0; i < 9; ++i) s.ReadInt();
    h.RepresentativeDocument = s.ReadStr();
    h.ExpectedIncome = s.ReadMoney();
    h.RepresentativeName = s.ReadStr();

    mTDeclaration& d = Declaration;
    d.InspectionCode = h.InspectionCode;
    d.InspectionName = h.InspectionName;
    d.IsPrimary = h.IsPrimary;
    d.CorrectionNumber = h.CorrectionNumber;
    d.FilingDate = h.FilingDate;
    d.SubmitterKind = h.SubmitterKind;
    d.TaxpayerCategory = h.TaxpayerCategory;
    d.DeclarationKind = h.DeclarationKind;
    d.AppendixTotal = h.AppendixTotal;
    d.RepresentativeDocument = h.RepresentativeDocument;
    d.ExpectedIncome = h.ExpectedIncome;
    d.RepresentativeName = h.RepresentativeName;
    d.SetIncomeFlags(h.IncomeFlags);
}

void kTDanLog::ReadIncome(S& s) {
    mTDeclaration& d = Declaration;
    if (d.HasIncome(kIncomeFromAgents)) {
        s.OpenStream("@DeclInquiry");
        ReadRecords(
            s, [&] { return d.AddThirteenPercent(); },
            [&](size_t i) -> mTThirteenPercent& { return d.ThirteenPercent(i); });
        ReadRecords(
            s, [&] { return d.AddThirtyFivePercent(); },
            [&](size_t i) -> mTThirtyFivePercent& { return d.ThirtyFivePercent(i); });
        ReadRecords(
            s, [&] { return d.AddThirtyPercent(); },
            [&](size_t i) -> mTThirtyPercent& { return d.ThirtyPercent(i); });
    }
    for (size_t i = 0; i < d.ThirtyFivePercentCount(); ++i) {
        const mTThirtyFivePercent& source = d.ThirtyFivePercent(i);
        kTThirtyFiveDoh derived;
        derived.TaxableIncome = source.IncomeTotal - source.DeductSum;
        derived.TaxComputed = TaxAtRate(derived.TaxableIncome, 35);
        ThirtyFive.push_back(derived);
    }

    if (d.HasIncome(kIncomeForeign)) {
        s.OpenStream("@DeclForeign");
        ReadRecords(
            s, [&] { return d.AddCurrencyIncome(); },
            [&](size_t i) -> mTCurrencyIncome& { return d.CurrencyIncome(i); });
    }
    for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
        mTCurrencyIncome& r = d.CurrencyIncome(i);
        if (r.IncomeUnits == 0) r.IncomeUnits = 1;
        if (r.TaxUnits == 0) r.TaxUnits = 1;
        // Securities (1531-1538) keep a deduction above the income: their losses
        // are netted on the securities sheets.
        const bool securities = r.IncomeCode >= 1531 && r.IncomeCode <= 1538;
        if (!securities && r.IncomeInRubles < r.DeductSum) r.DeductSum = r.IncomeInRubles;
        kTInoValutDoh derived;
        derived.AcceptedDeduct = Min(r.DeductSum, r.IncomeInRubles);
        derived.TaxInRussia =
            TaxAtRate(r.IncomeInRubles - derived.AcceptedDeduct, static_cast<int>(r.IncomeRate));
        derived.TaxCredited = TaxAtRate(Min(r.TaxInRubles, derived.TaxInRussia), 100);
        Foreign.push_back(derived);
        if (r.IncomeRate == 9) ++ForeignAt9;
        if (r.IncomeRate == 13) ++ForeignAt13;
        if (r.IncomeRate == 35) ++ForeignAt35;
    }

    if (d.HasIncome(kIncomeBusiness)) {
        s.OpenStream("@DeclBusiness");
        ReadRecords(
            s, [&] { return d.AddBusiness(); },
            [&](size_t i) -> mTBusinessNew& { return d.Business(i); });
        d.AdvanceActual = s.ReadMoney();
        d.ExpectedIncome = s.ReadMoney();
        d.ExpectedExpense = s.ReadMoney();
        d.AdvanceAccrued = s.ReadMoney();
        d.RepresentativeDocument = s.ReadStr();
        d.FarmStartDate = s.ReadDate();
        d.FarmExemptIncome = s.ReadMoney();
    }
    if (d.HasIncome(kIncomeRepetit)) {
        s.OpenStream("@DeclRepetit");
        ReadRecords(
            s, [&] { return d.AddRepetit(); },
            [&](size_t i) -> mTRepetitNew& { return d.Repetit(i); });
        d.RepetitTotal1 = s.ReadMoney();
        d.RepetitTotal2 = s.ReadMoney();
    }
}

void kTDanLog::ReadDeductions(S& s) {
    mTDeclaration& d = Declaration;
    mTConstructionDeduct& property = d.ConstructionDeduct;
    if (d.IncomeFlags() != 0) {
        d.StandartDeduct.Read(s);
        d.SocialDeduct.Read(s);
        property.Read(s);
    } else {
        d.StandartDeduct.Granted = 0;
        d.SocialDeduct.Granted = 0;
        property.Granted = 0;
    }

    mTStandartDeduct& standard = d.StandartDeduct;
    if (standard.Granted != 0 && standard.PersonalCode == 110 && standard.HasCodeByMonth == 0) {
        standard.PersonalCode = 103;
    }

    if (property.Granted != 0) {
        PropertyShare = ShareFromStored(property.Share);
    } else {
        property = mTConstructionDeduct();
        property.Granted = 0;
        for (std::string* text : property.Texts()) *text = " ";
        for (Money* amount : property.Amounts()) *amount = Money();
        property.Share = Money::Rubles(1);
        PropertyShare = 1;
    }
}

}  // namespace zorv
