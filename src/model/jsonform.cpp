#include "model/jsonform.h"

#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "model/streamnames.h"
#include "storage/codepage.h"
#include "storage/documentstorage.h"
#include "storage/valuerange.h"

namespace zorv {
namespace {

[[noreturn]] void Refuse(const std::string& path, const std::string& what) {
    throw JsonFormError("Поле «" + path + "»: " + what);
}

[[noreturn]] void RefuseValue(const std::string& path, const std::string& what) {
    throw JsonValueRefused("Поле «" + path + "»: " + what);
}

std::string Join(const std::string& path, const std::string& key) {
    return path.empty() ? key : path + "." + key;
}

std::string Item(const std::string& path, size_t index) {
    return path + "[" + std::to_string(index) + "]";
}

// ---- value codecs ----

Money NotNegative(Money m, const std::string& path) {
    if (m.IsNegative()) {
        RefuseValue(path, "сумма не может быть отрицательной; укажите ее без знака «-».");
    }
    return m;
}

std::string TextFromJson(const Json& value, const std::string& path) {
    if (!value.is_string()) Refuse(path, "ожидается строка.");
    std::string text = value.get<std::string>();
    // Other control characters are kept: a document may hold them, and its JSON form
    // must read back.
    if (text.find('\0') != std::string::npos) Refuse(path, "текст содержит символ с кодом 0.");
    if (!text.empty() && text.front() == '@') {
        Refuse(path, "текст не может начинаться с символа «@».");
    }
    Conversion bytes = Utf8ToCp1251(text);
    if (!bytes.ok) {
        Refuse(path,
               "символ «" + bytes.badCharacter + "» нельзя сохранить в кодировке Windows-1251.");
    }
    if (bytes.text.size() > kMaxTextBytes) Refuse(path, "текст длиннее 9999 знаков.");
    return text;
}

uint64_t UnsignedFromJson(const Json& value, const std::string& path, uint64_t max) {
    if (!value.is_number_integer()) Refuse(path, "ожидается целое число.");
    if (value.is_number_unsigned()) {
        uint64_t n = value.get<uint64_t>();
        if (n <= max) return n;
    } else if (value.get<int64_t>() >= 0 && static_cast<uint64_t>(value.get<int64_t>()) <= max) {
        return static_cast<uint64_t>(value.get<int64_t>());
    }
    Refuse(path, "число вне допустимого диапазона 0–" + std::to_string(max) + ".");
}

}  // namespace

Json MoneyToJson(Money m) {
    return m.ToString();
}

Json DateToJson(double dayNumber) {
    if (IsDayNumberInRange(dayNumber) && dayNumber == std::trunc(dayNumber)) {
        return DateText(dayNumber);
    }
    return dayNumber;
}

namespace {

// Digits with an optional sign and decimal point: an amount in form, whatever its size.
bool IsAmountText(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
    size_t point = text.find('.');
    std::string_view whole = text.substr(0, point);
    std::string_view fraction = point == std::string_view::npos ? "" : text.substr(point + 1);
    auto digits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return !whole.empty() && digits(whole) && digits(fraction);
}

Money MoneyFromJson(const Json& value, const std::string& path) {
    const std::string outOfRange = "сумма вне допустимого диапазона (не больше " +
                                   kMaxMoney.ToString() + " по абсолютной величине).";
    if (value.is_string()) {
        std::string text = value.get<std::string>();
        size_t point = text.find('.');
        bool tooPrecise = point != std::string::npos && text.size() - point - 1 > 4;
        std::optional<Money> m = Money::Parse(text, '.');
        if (!m && !tooPrecise && IsAmountText(text)) Refuse(path, outOfRange);
        if (!m || tooPrecise || text.find(' ') != std::string::npos) {
            Refuse(path, "ожидается сумма вида «1234.56» (не более 4 знаков после точки).");
        }
        return *m;
    }
    if (value.is_number_integer()) {
        if (value.is_number_unsigned() &&
            value.get<uint64_t>() > static_cast<uint64_t>(kMaxMoneyRubles)) {
            Refuse(path, outOfRange);
        }
        int64_t n = value.get<int64_t>();
        if (n > kMaxMoneyRubles || n < -kMaxMoneyRubles) Refuse(path, outOfRange);
        return Money::Rubles(n);
    }
    if (value.is_number_float()) {
        double x = value.get<double>();
        long double scaled = static_cast<long double>(x) * Money::kScale;
        if (!std::isfinite(x) || std::fabs(scaled) > static_cast<long double>(kMaxMoney.Raw())) {
            Refuse(path, outOfRange);
        }
        long double rounded = std::round(scaled);
        if (std::fabs(scaled - rounded) > 1e-6L * std::max(1.0L, std::fabs(scaled) / 1e9L)) {
            Refuse(path, "у суммы не может быть больше 4 знаков после точки.");
        }
        return Money::FromRaw(static_cast<int64_t>(rounded));
    }
    Refuse(path, "ожидается сумма (строка «1234.56» или число).");
}

double DateFromJson(const Json& value, const std::string& path) {
    if (value.is_string()) {
        std::string text = value.get<std::string>();
        if (text.size() == 10 && text[2] == '.' && text[5] == '.') {
            if (auto day = ParseDateText(text, '.')) return *day;
        }
        Refuse(path, "ожидается дата вида «ДД.ММ.ГГГГ».");
    }
    if (value.is_number()) {
        double x = value.get<double>();
        if (IsDayNumberInRange(x)) return x;
        Refuse(path, "номер дня вне допустимого диапазона (даты с 01.01.0001 по 31.12.9999).");
    }
    Refuse(path, "ожидается дата «ДД.ММ.ГГГГ» или номер дня.");
}

// ---- field visitors: one description of each record's fields serves both ways ----

class Writer {
  public:
    explicit Writer(Json& out) : out_(out) {}
    void Text(const char* key, const std::string& v) { out_[key] = v; }
    void U8(const char* key, const uint8_t& v) { out_[key] = v; }
    template <size_t N>
    void Choice(const char* key, const uint8_t& v, const uint8_t (&)[N]) {
        out_[key] = v;
    }
    void TextChoice(const char* key, const std::string& v, std::initializer_list<const char*>) {
        out_[key] = v;
    }
    void U16(const char* key, const uint16_t& v) { out_[key] = v; }
    void U32(const char* key, const uint32_t& v) { out_[key] = v; }
    void Amount(const char* key, const Money& v) { out_[key] = MoneyToJson(v); }
    void PositiveAmount(const char* key, const Money& v) { Amount(key, v); }
    void Date(const char* key, const double& v) { out_[key] = DateToJson(v); }
    template <typename T, size_t N>
    void U32s(const char* key, const std::array<T, N>& values) {
        Json array = Json::array();
        for (T v : values) array.push_back(v);
        out_[key] = array;
    }
    template <size_t N>
    void Amounts(const char* key, const std::array<Money, N>& values) {
        Json array = Json::array();
        for (Money v : values) array.push_back(MoneyToJson(v));
        out_[key] = array;
    }

  private:
    Json& out_;
};

class Reader {
  public:
    Reader(const Json& object, std::string path) : object_(object), path_(std::move(path)) {
        if (!object_.is_object()) Refuse(path_.empty() ? "(корень)" : path_, "ожидается объект.");
    }

    const Json* Find(const char* key) {
        known_.insert(key);
        auto found = object_.find(key);
        return found == object_.end() ? nullptr : &*found;
    }
    std::string PathOf(const char* key) const { return Join(path_, key); }

    void Text(const char* key, std::string& v) {
        if (const Json* j = Find(key)) v = TextFromJson(*j, PathOf(key));
    }
    void U8(const char* key, uint8_t& v) {
        if (const Json* j = Find(key))
            v = static_cast<uint8_t>(UnsignedFromJson(*j, PathOf(key), 0xFF));
    }
    // One of the values the program stores.
    template <size_t N>
    void Choice(const char* key, uint8_t& v, const uint8_t (&allowed)[N]) {
        const Json* j = Find(key);
        if (!j) return;
        const uint64_t n = UnsignedFromJson(*j, PathOf(key), 0xFF);
        for (uint8_t value : allowed) {
            if (value == n) {
                v = value;
                return;
            }
        }
        std::string list;
        for (uint8_t value : allowed) list += (list.empty() ? "" : ", ") + std::to_string(value);
        RefuseValue(PathOf(key), "допустимые значения: " + list + ".");
    }
    void TextChoice(const char* key, std::string& v, std::initializer_list<const char*> allowed) {
        const Json* j = Find(key);
        if (!j) return;
        const std::string text = TextFromJson(*j, PathOf(key));
        std::string list;
        for (const char* value : allowed) {
            if (text == value) {
                v = text;
                return;
            }
            list += std::string(list.empty() ? "«" : ", «") + value + "»";
        }
        RefuseValue(PathOf(key), "допустимые значения: " + list + ".");
    }
    void U16(const char* key, uint16_t& v) {
        if (const Json* j = Find(key)) {
            v = static_cast<uint16_t>(UnsignedFromJson(*j, PathOf(key), 0xFFFF));
        }
    }
    void U32(const char* key, uint32_t& v) {
        if (const Json* j = Find(key)) {
            v = static_cast<uint32_t>(UnsignedFromJson(*j, PathOf(key), 0xFFFFFFFF));
        }
    }
    void Amount(const char* key, Money& v) {
        if (const Json* j = Find(key)) v = MoneyFromJson(*j, PathOf(key));
    }
    // An income, an expense, a tax or a deduction: never negative. (A document may
    // hold one; its JSON form is refused.)
    void PositiveAmount(const char* key, Money& v) {
        if (const Json* j = Find(key)) v = NotNegative(MoneyFromJson(*j, PathOf(key)), PathOf(key));
    }
    void Date(const char* key, double& v) {
        if (const Json* j = Find(key)) v = DateFromJson(*j, PathOf(key));
    }
    template <typename T, size_t N>
    void U32s(const char* key, std::array<T, N>& values) {
        if (const Json* j = FixedArray(key, N)) {
            for (size_t i = 0; i < N; ++i) {
                values[i] = static_cast<T>(
                    UnsignedFromJson((*j)[i], Item(PathOf(key), i), std::numeric_limits<T>::max()));
            }
        }
    }
    template <size_t N>
    void Amounts(const char* key, std::array<Money, N>& values) {
        if (const Json* j = FixedArray(key, N)) {
            for (size_t i = 0; i < N; ++i) values[i] = MoneyFromJson((*j)[i], Item(PathOf(key), i));
        }
    }
    // An array of any length; nullptr when the key is absent.
    const Json* Array(const char* key) {
        const Json* j = Find(key);
        if (j && !j->is_array()) Refuse(PathOf(key), "ожидается массив.");
        return j;
    }
    // Refuses every key that no field claimed.
    void Finish() const {
        for (auto it = object_.begin(); it != object_.end(); ++it) {
            if (!known_.count(it.key())) Refuse(Join(path_, it.key()), "неизвестное поле.");
        }
    }

  private:
    const Json* FixedArray(const char* key, size_t n) {
        const Json* j = Array(key);
        if (j && j->size() != n) {
            Refuse(PathOf(key), "ожидается массив из " + std::to_string(n) + " элементов.");
        }
        return j;
    }

    const Json& object_;
    std::string path_;
    std::set<std::string> known_;
};

// The fields of each record, in the model's order. R is the record type, const or not.

template <typename R, typename V>
void SourceFields(R& r, V& v) {
    v.Text("INN", r.INN);
    v.Text("KPP", r.KPP);
    v.Text("OKATO", r.OKATO);
    v.Text("SourceName", r.SourceName);
}

template <typename R, typename V>
void PersonFields(R& p, V& v) {
    v.Text("SurName", p.SurName);
    v.Text("Name", p.Name);
    v.Text("Patronymic", p.Patronymic);
    v.Text("INN", p.INN);
    v.Text("InsuranceNumber", p.InsuranceNumber);
    v.TextChoice("Sex", p.Sex, {kSexMale, kSexFemale});
    v.U16("DocTypeCode", p.DocTypeCode);
    v.Text("DocTypeName", p.DocTypeName);
    v.Text("DocNumber", p.DocNumber);
    v.Date("DocIssueDate", p.DocIssueDate);
    v.Date("BirthDate", p.BirthDate);
    v.Text("DocIssuedBy", p.DocIssuedBy);
    v.Text("BirthPlace", p.BirthPlace);
    v.U8("IsForeigner", p.IsForeigner);
    v.Text("CitizenshipKind", p.CitizenshipKind);
    v.Text("CitizenshipName", p.CitizenshipName);
    v.Text("ForeignAddress", p.ForeignAddress);
    v.Text("CitizenshipCode", p.CitizenshipCode);
    v.U8("IsTemporaryAddress", p.IsTemporaryAddress);
    v.Text("PostIndex", p.PostIndex);
    v.U16("RegionCode", p.RegionCode);
    v.Text("RegionName", p.RegionName);
    v.Text("District", p.District);
    v.Text("City", p.City);
    v.Text("Locality", p.Locality);
    v.Text("Street", p.Street);
    v.Text("House", p.House);
    v.Text("Building", p.Building);
    v.Text("Flat", p.Flat);
    v.Text("OKATO", p.OKATO);
    v.Text("HomePhoneExtra", p.HomePhoneExtra);
    v.Text("HomePhone", p.HomePhone);
    v.Text("WorkPhoneExtra", p.WorkPhoneExtra);
    v.Text("WorkPhone", p.WorkPhone);
    v.Text("ForeignHomePhone1", p.ForeignHomePhone1);
    v.Text("ForeignHomePhone2", p.ForeignHomePhone2);
    v.Text("ForeignWorkPhone1", p.ForeignWorkPhone1);
    v.Text("ForeignWorkPhone2", p.ForeignWorkPhone2);
}

template <typename R, typename V>
void LineFields(R& l, V& v) {
    v.U32("IncomeCode", l.IncomeCode);
    v.Text("IncomeName", l.IncomeName);
    v.PositiveAmount("IncomeSum", l.IncomeSum);
    v.U32("DeductCode", l.DeductCode);
    v.PositiveAmount("DeductSum", l.DeductSum);
    v.U32("DeductPercent", l.DeductPercent);
    v.U16("Month", l.Month);
}

template <typename R, typename V>
void ThirtyFiveFields(R& r, V& v) {
    SourceFields(r, v);
    v.PositiveAmount("IncomeTotal", r.IncomeTotal);
    v.PositiveAmount("TaxWithheld", r.TaxWithheld);
    v.U32("IncomeCode", r.IncomeCode);
    v.U32("DeductCode", r.DeductCode);
    v.PositiveAmount("DeductSum", r.DeductSum);
}

template <typename R, typename V>
void ThirtyFields(R& r, V& v) {
    SourceFields(r, v);
    v.PositiveAmount("IncomeTotal", r.IncomeTotal);
    v.PositiveAmount("TaxWithheld", r.TaxWithheld);
    v.U32("IncomeCode", r.IncomeCode);
    v.PositiveAmount("TaxComputed", r.TaxComputed);
    v.PositiveAmount("TaxableIncome", r.TaxableIncome);
}

template <typename R, typename V>
void CurrencyFields(R& r, V& v) {
    v.U32("IncomeRate", r.IncomeRate);
    v.U32("IncomeCode", r.IncomeCode);
    v.Text("IncomeName", r.IncomeName);
    v.Text("SourceName", r.SourceName);
    v.Text("CountryCode", r.CountryCode);
    v.Date("IncomeDate", r.IncomeDate);
    v.Date("TaxDate", r.TaxDate);
    v.Text("CurrencyCode", r.CurrencyCode);
    v.Amount("IncomeRate1", r.IncomeRate1);
    v.U32("IncomeUnits", r.IncomeUnits);
    v.Amount("TaxRate1", r.TaxRate1);
    v.U32("TaxUnits", r.TaxUnits);
    v.Text("CurrencyName", r.CurrencyName);
    v.PositiveAmount("IncomeInCurrency", r.IncomeInCurrency);
    v.PositiveAmount("IncomeInRubles", r.IncomeInRubles);
    v.PositiveAmount("TaxInCurrency", r.TaxInCurrency);
    v.PositiveAmount("TaxInRubles", r.TaxInRubles);
    v.U8("AutoRates", r.AutoRates);
    v.U32("DeductCode", r.DeductCode);
    v.PositiveAmount("DeductSum", r.DeductSum);
    v.U32("DeductPercent", r.DeductPercent);
}

template <typename R, typename V>
void BusinessFields(R& r, V& v) {
    v.Text("ActivityKind", r.ActivityKind);
    v.Text("ActivityCode", r.ActivityCode);
    v.U8("HasConfirmedExpenses", r.HasConfirmedExpenses);
    v.PositiveAmount("Income", r.Income);
    v.Amounts("ExpenseItems", r.ExpenseItems);
    v.PositiveAmount("ExpenseTotal", r.ExpenseTotal);
}

template <typename R, typename V>
void RepetitFields(R& r, V& v) {
    v.Text("Name", r.Name);
    v.Amounts("Values", r.Values);
}

template <typename R, typename V>
void NalogFields(R& r, V& v) {
    v.Text("BudgetCodeName", r.BudgetCodeName);
    v.Text("BudgetCode", r.BudgetCode);
    v.Amount("Amount", r.Amount);
}

template <typename R, typename V>
void StandardFields(R& r, V& v) {
    v.U8("Granted", r.Granted);
    v.U32("PersonalCode", r.PersonalCode);
    v.U32("ChildKindCode", r.ChildKindCode);
    v.U8("ChildrenConstant", r.ChildrenConstant);
    v.U32("ChildrenCount", r.ChildrenCount);
    v.U32s("ChildrenByMonth", r.ChildrenByMonth);
    v.U8("DisabledChildrenConstant", r.DisabledChildrenConstant);
    v.U32("DisabledChildrenCount", r.DisabledChildrenCount);
    v.U32s("DisabledChildrenByMonth", r.DisabledChildrenByMonth);
    v.U8("HasMonthlyBusiness", r.HasMonthlyBusiness);
    v.Amounts("MonthlyIncome", r.MonthlyIncomeValues);
    v.Amounts("MonthlyExpense", r.MonthlyExpenseValues);
    v.U32s("MonthMarks", r.MonthMarks);
    v.U8("HasCodeByMonth", r.HasCodeByMonth);
    v.U32s("CodeByMonth", r.CodeByMonthValues);
}

template <typename R, typename V>
void PensFields(R& r, V& v) {
    v.U32("ContractKind", r.ContractKind);
    v.Text("Name", r.Name);
    v.Text("INN", r.INN);
    v.Text("KPP", r.KPP);
    v.Text("ContractNumber", r.ContractNumber);
    v.Date("ContractDate", r.ContractDate);
    v.Amount("Contributions", r.Contributions);
    v.PositiveAmount("DeductSum", r.DeductSum);
}

template <typename R, typename V>
void PropertyFields(R& r, V& v) {
    v.U8("Granted", r.Granted);
    v.Text("ObjectName", r.ObjectName);
    v.Text("PostIndex", r.PostIndex);
    v.Text("RegionCode", r.RegionCode);
    v.Text("RegionName", r.RegionName);
    v.Text("District", r.District);
    v.Text("City", r.City);
    v.Text("Locality", r.Locality);
    v.Text("Street", r.Street);
    v.Text("House", r.House);
    v.Text("Building", r.Building);
    v.Text("Flat", r.Flat);
    v.Date("RegistrationDate", r.RegistrationDate);
    v.Date("PurchaseDate", r.PurchaseDate);
    v.Date("StartYearDate", r.StartYearDate);
    v.Amount("HousingCarriedOver", r.HousingCarriedOver);
    v.Amount("CreditCarriedOver", r.CreditCarriedOver);
    v.Amount("HousingPriorYears", r.HousingPriorYears);
    v.Amount("CreditPriorYears", r.CreditPriorYears);
    v.Amount("Share", r.Share);
    v.Amount("HousingPriorYearsAgent", r.HousingPriorYearsAgent);
    v.Amount("CreditPriorYearsAgent", r.CreditPriorYearsAgent);
    v.PositiveAmount("ObjectCost", r.ObjectCost);
    v.Amount("CreditInterest", r.CreditInterest);
    v.Amount("HousingAgentThisYear", r.HousingAgentThisYear);
    v.Amount("CreditAgentThisYear", r.CreditAgentThisYear);
    v.U32("ShareNumerator", r.ShareNumerator);
    v.U32("ShareDenominator", r.ShareDenominator);
}

template <typename R, typename V>
void RootFields(R& d, V& v) {
    v.Text("InspectionCode", d.InspectionCode);
    v.Text("InspectionName", d.InspectionName);
    v.U8("IsPrimary", d.IsPrimary);
    v.U32("CorrectionNumber", d.CorrectionNumber);
    v.Date("FilingDate", d.FilingDate);
    v.Choice("SubmitterKind", d.SubmitterKind, kSubmitterKinds);
    v.Choice("TaxpayerCategory", d.TaxpayerCategory, kTaxpayerCategories);
    v.Choice("DeclarationKind", d.DeclarationKind, kDeclarationKinds);
}

template <typename R, typename V>
void RootFieldsAfterFlags(R& d, V& v) {
    v.U8("AutoCountAppendixes", d.AutoCountAppendixes);
    v.U32("AppendixTotal", d.AppendixTotal);
    v.U32("AppendixCountJ", d.AppendixCountJ);
    v.U32("AppendixCountD", d.AppendixCountD);
    v.U32("AppendixCountE", d.AppendixCountE);
    v.U32("AppendixCountProperty", d.AppendixCountProperty);
    v.U32("AppendixCountZ", d.AppendixCountZ);
    v.U32("AppendixCountI", d.AppendixCountI);
    v.U32("AppendixCountG", d.AppendixCountG);
    v.Amount("AdvanceActual", d.AdvanceActual);
    v.Amount("AdvanceAccrued", d.AdvanceAccrued);
    v.Amount("RepetitTotal1", d.RepetitTotal1);
    v.Amount("RepetitTotal2", d.RepetitTotal2);
    v.PositiveAmount("ExpectedIncome", d.ExpectedIncome);
    v.PositiveAmount("ExpectedExpense", d.ExpectedExpense);
    v.Text("RepresentativeDocument", d.RepresentativeDocument);
    v.Date("FarmStartDate", d.FarmStartDate);
    v.Amount("FarmExemptIncome", d.FarmExemptIncome);
    v.Text("RepresentativeName", d.RepresentativeName);
    v.Text("RepresentativeOrganisation", d.RepresentativeOrganisation);
    v.Text("Year", d.Year);
}

template <typename R, typename V>
void BankFields(R& b, V& v) {
    for (BankField field : kBankFields)
        v.Text(mTBankDetails::kJsonKeys[static_cast<size_t>(field)], b.Field(field));
}

template <typename R, typename V>
void AttachedFields(R& a, V& v) {
    v.Text("Title", a.Title);
    v.U8("Ticked", a.Ticked);
    v.U32("Sheets", a.Sheets);
}

template <typename Record, typename Fields>
Json RecordJson(const Record& record, Fields fields) {
    Json out = Json::object();
    Writer w(out);
    fields(record, w);
    return out;
}

template <typename Record, typename Fields>
void ReadRecord(const Json& j, const std::string& path, Record& record, Fields fields) {
    Reader r(j, path);
    fields(record, r);
    r.Finish();
}

Json ThirteenJson(const mTThirteenPercent& source) {
    Json out = Json::object();
    Writer w(out);
    SourceFields(source, w);
    w.Amount("IncomeTotal", source.IncomeTotal);
    w.Amount("TaxWithheld", source.TaxWithheld);
    Json lines = Json::array();
    for (size_t j = 0; j < source.IncomeCount(); ++j) {
        lines.push_back(RecordJson(source.Income(j), [](auto& r, auto& v) { LineFields(r, v); }));
    }
    out["IncomeList"] = lines;
    Json months = Json::array();
    for (size_t m = 0; m < 12; ++m) {
        months.push_back(source.HasMonthlyAmount(m) ? MoneyToJson(source.MonthlyAmount(m))
                                                    : Json());
    }
    out["MonthlyAmounts"] = months;
    w.U8("IsPrimaryWorkplace", source.IsPrimaryWorkplace);
    w.Amount("TaxComputed", source.TaxComputed);
    w.Amount("TaxableIncome", source.TaxableIncome);
    return out;
}

void ReadThirteen(const Json& j, const std::string& path, mTThirteenPercent& source) {
    Reader r(j, path);
    SourceFields(source, r);
    r.Find("IncomeTotal");  // derived from the lines; taken for information only
    r.PositiveAmount("TaxWithheld", source.TaxWithheld);
    if (const Json* lines = r.Array("IncomeList")) {
        for (size_t i = 0; i < lines->size(); ++i) {
            mTSourseIncome line;
            ReadRecord((*lines)[i], Item(r.PathOf("IncomeList"), i), line,
                       [](auto& rec, auto& v) { LineFields(rec, v); });
            try {
                source.AddIncome(line);
            } catch (const std::exception& e) {
                Refuse(r.PathOf("IncomeList"), e.what());
            }
        }
    }
    if (const Json* months = r.Array("MonthlyAmounts")) {
        if (months->size() != 12)
            Refuse(r.PathOf("MonthlyAmounts"), "ожидается массив из 12 элементов.");
        for (size_t m = 0; m < 12; ++m) {
            const Json& value = (*months)[m];
            source.SetMonthlyAmount(
                m, value.is_null() ? Money::Absent()
                                   : MoneyFromJson(value, Item(r.PathOf("MonthlyAmounts"), m)));
        }
    }
    r.U8("IsPrimaryWorkplace", source.IsPrimaryWorkplace);
    r.PositiveAmount("TaxComputed", source.TaxComputed);
    r.PositiveAmount("TaxableIncome", source.TaxableIncome);
    r.Finish();
}

Json SocialJson(const mTSocialDeduct& social) {
    Json out = Json::object();
    Writer w(out);
    w.U8("Granted", social.Granted);
    w.Amount("CharitySum", social.CharitySum);
    w.Amount("SelfEducationSum", social.SelfEducationSum);
    Json sums = Json::array();
    for (size_t i = 0; i < social.EducationSumCount(); ++i) {
        sums.push_back(MoneyToJson(social.EducationSum(static_cast<int>(i))));
    }
    out["ChildEducationSums"] = sums;
    w.Amount("MedicalSum", social.MedicalSum);
    w.Amount("ExpensiveMedicalSum", social.ExpensiveMedicalSum);
    w.Amount("InsuranceSum", social.InsuranceSum);
    Json contracts = Json::array();
    for (size_t i = 0; i < social.PensCount(); ++i) {
        contracts.push_back(RecordJson(social.Pens(i), [](auto& r, auto& v) { PensFields(r, v); }));
    }
    out["PensList"] = contracts;
    return out;
}

void ReadSocial(const Json& j, const std::string& path, mTSocialDeduct& social) {
    Reader r(j, path);
    r.U8("Granted", social.Granted);
    r.PositiveAmount("CharitySum", social.CharitySum);
    r.PositiveAmount("SelfEducationSum", social.SelfEducationSum);
    if (const Json* sums = r.Array("ChildEducationSums")) {
        for (size_t i = 0; i < sums->size(); ++i) {
            social.AddEducationSum(
                MoneyFromJson((*sums)[i], Item(r.PathOf("ChildEducationSums"), i)));
        }
    }
    r.PositiveAmount("MedicalSum", social.MedicalSum);
    r.PositiveAmount("ExpensiveMedicalSum", social.ExpensiveMedicalSum);
    r.PositiveAmount("InsuranceSum", social.InsuranceSum);
    if (const Json* contracts = r.Array("PensList")) {
        for (size_t i = 0; i < contracts->size(); ++i) {
            size_t index = 0;
            try {
                index = social.AddPens();
            } catch (const std::exception& e) {
                Refuse(r.PathOf("PensList"), e.what());
            }
            ReadRecord((*contracts)[i], Item(r.PathOf("PensList"), i), social.Pens(index),
                       [](auto& rec, auto& v) { PensFields(rec, v); });
        }
    }
    r.Finish();
}

// One income list of the root: its key, the group flag it belongs to, and how
// its records are added, written and read.
template <typename AddFn, typename GetFn, typename CountFn, typename ToJsonFn, typename ReadFn>
struct ListCodec {
    const char* key;
    uint8_t flag;
    AddFn add;
    GetFn get;
    CountFn count;
    ToJsonFn toJson;
    ReadFn read;
};
template <typename A, typename G, typename C, typename T, typename R>
ListCodec(const char*, uint8_t, A, G, C, T, R) -> ListCodec<A, G, C, T, R>;

void ForEachList(mTDeclaration& d, auto&& action) {
    auto thirteen = ListCodec{
        "ThirteenPercentList",
        kIncomeFromAgents,
        [&] { return d.AddThirteenPercent(); },
        [&](size_t i) -> mTThirteenPercent& { return d.ThirteenPercent(i); },
        [&] { return d.ThirteenPercentCount(); },
        [](const mTThirteenPercent& r) { return ThirteenJson(r); },
        [](const Json& j, const std::string& p, mTThirteenPercent& r) { ReadThirteen(j, p, r); }};
    auto generic = [&](const char* key, uint8_t flag, auto add, auto get, auto count, auto fields) {
        return ListCodec{key,
                         flag,
                         add,
                         get,
                         count,
                         [fields](const auto& r) { return RecordJson(r, fields); },
                         [fields](const Json& j, const std::string& p, auto& r) {
                             ReadRecord(j, p, r, fields);
                         }};
    };
    action(thirteen);
    action(generic(
        "ThirtyFivePercentList", kIncomeFromAgents, [&] { return d.AddThirtyFivePercent(); },
        [&](size_t i) -> mTThirtyFivePercent& { return d.ThirtyFivePercent(i); },
        [&] { return d.ThirtyFivePercentCount(); },
        [](auto& r, auto& v) { ThirtyFiveFields(r, v); }));
    action(generic(
        "ThirtyPercentList", kIncomeFromAgents, [&] { return d.AddThirtyPercent(); },
        [&](size_t i) -> mTThirtyPercent& { return d.ThirtyPercent(i); },
        [&] { return d.ThirtyPercentCount(); }, [](auto& r, auto& v) { ThirtyFields(r, v); }));
    action(generic(
        "CurrencyIncomeList", kIncomeForeign, [&] { return d.AddCurrencyIncome(); },
        [&](size_t i) -> mTCurrencyIncome& { return d.CurrencyIncome(i); },
        [&] { return d.CurrencyIncomeCount(); }, [](auto& r, auto& v) { CurrencyFields(r, v); }));
    action(generic(
        "BusinessList", kIncomeBusiness, [&] { return d.AddBusiness(); },
        [&](size_t i) -> mTBusinessNew& { return d.Business(i); },
        [&] { return d.BusinessCount(); }, [](auto& r, auto& v) { BusinessFields(r, v); }));
    action(generic(
        "NalogList", 0, [&] { return d.AddNalog(); },
        [&](size_t i) -> mTNalog& { return d.Nalog(i); }, [&] { return d.NalogCount(); },
        [](auto& r, auto& v) { NalogFields(r, v); }));
    action(generic(
        "RepetitList", kIncomeRepetit, [&] { return d.AddRepetit(); },
        [&](size_t i) -> mTRepetitNew& { return d.Repetit(i); }, [&] { return d.RepetitCount(); },
        [](auto& r, auto& v) { RepetitFields(r, v); }));
}

}  // namespace

namespace {

// Builds the declaration's JSON value from the parser's events, as nlohmann's own
// builder does, and refuses on the way a key given twice, nesting deeper than
// kMaxJsonDepth and the parser's own errors, all in the reader's words. Each open
// level keeps only its own key or element count; a path is put together only for
// a message, so memory stays linear in the depth.
class DeclarationSax {
  public:
    using number_integer_t = Json::number_integer_t;
    using number_unsigned_t = Json::number_unsigned_t;
    using number_float_t = Json::number_float_t;
    using string_t = Json::string_t;
    using binary_t = Json::binary_t;

    explicit DeclarationSax(Json& result) : dom_(result, false) {}

    bool null() { return Value() && dom_.null(); }
    bool boolean(bool v) { return Value() && dom_.boolean(v); }
    bool number_integer(number_integer_t v) { return Value() && dom_.number_integer(v); }
    bool number_unsigned(number_unsigned_t v) { return Value() && dom_.number_unsigned(v); }
    bool number_float(number_float_t v, const string_t& text) {
        return Value() && dom_.number_float(v, text);
    }
    bool string(string_t& v) { return Value() && dom_.string(v); }
    bool binary(binary_t& v) { return Value() && dom_.binary(v); }

    bool start_object(std::size_t n) { return Open(false) && dom_.start_object(n); }
    bool start_array(std::size_t n) { return Open(true) && dom_.start_array(n); }
    bool end_object() {
        open_.pop_back();
        return dom_.end_object();
    }
    bool end_array() {
        open_.pop_back();
        return dom_.end_array();
    }

    bool key(string_t& k) {
        Level& top = open_.back();
        top.key = k;
        if (!top.keys.insert(k).second) {
            Refuse(Join(PathTo(open_.size() - 1), k), "ключ задан дважды; оставьте одно значение.");
        }
        return dom_.key(k);
    }

    template <class Exception>
    bool parse_error(std::size_t position, const std::string& token, const Exception& e) {
        std::string what;
        const std::string shown = token.size() > 40 ? token.substr(0, 40) + "…" : token;
        const std::string said = e.what();
        if (e.id == 406) {
            what = "число " + shown + " выходит за пределы допустимых чисел";
        } else if (said.find("unexpected end of input") != std::string::npos) {
            what = "файл обрывается, не закрыв объект декларации";
        } else if (said.find("expected end of input") != std::string::npos) {
            what = "после объекта декларации есть лишние знаки";
        } else {
            what = "ошибка";
        }
        throw JsonTextError(what, position);
    }

  private:
    struct Level {
        bool array = false;
        std::string key;   // the key being read, in an object
        size_t items = 0;  // the elements begun so far, in an array
        std::set<std::string> keys;
    };

    // The path of the value being read at level depth ("" for the top object).
    std::string PathTo(size_t depth) const {
        std::string path;
        for (size_t i = 0; i < depth; ++i) {
            const Level& level = open_[i];
            path = level.array ? Item(path, level.items - 1) : Join(path, level.key);
        }
        return path;
    }

    bool Value() {
        if (!open_.empty() && open_.back().array) ++open_.back().items;
        return true;
    }

    bool Open(bool array) {
        Value();
        if (open_.size() >= kMaxJsonDepth) {
            throw JsonTextError("поле «" + PathTo(open_.size()) + "» вложено глубже " +
                                    std::to_string(kMaxJsonDepth) +
                                    " уровней, такой декларации не бывает",
                                0);
        }
        open_.push_back({array, {}, 0, {}});
        return true;
    }

    nlohmann::detail::json_sax_dom_parser<Json> dom_;
    std::vector<Level> open_;
};

}  // namespace

Json ParseDeclarationJson(const std::string& text) {
    // The parser takes a zero byte for the end of the text; JSON has no place for one.
    if (size_t zero = text.find('\0'); zero != std::string::npos) {
        throw JsonTextError("в файле есть байт с кодом 0", zero + 1);
    }
    Json result;
    DeclarationSax sax(result);
    Json::sax_parse(text, &sax);
    return result;
}

Json DeclarationToJson(const mTDeclaration& declaration) {
    mTDeclaration& d = const_cast<mTDeclaration&>(declaration);  // only read below
    Json out = Json::object();
    Writer w(out);
    RootFields(declaration, w);
    out["IncomeFlags"] = declaration.IncomeFlags();
    RootFieldsAfterFlags(declaration, w);
    ForEachList(d, [&](auto&& list) {
        if (list.flag != 0 && !declaration.HasIncome(list.flag)) return;
        Json array = Json::array();
        for (size_t i = 0; i < list.count(); ++i) array.push_back(list.toJson(list.get(i)));
        out[list.key] = array;
    });
    out["Person"] = RecordJson(declaration.Person, [](auto& r, auto& v) { PersonFields(r, v); });
    out["StandartDeduct"] =
        RecordJson(declaration.StandartDeduct, [](auto& r, auto& v) { StandardFields(r, v); });
    out["SocialDeduct"] = SocialJson(declaration.SocialDeduct);
    out["ConstructionDeduct"] =
        RecordJson(declaration.ConstructionDeduct, [](auto& r, auto& v) { PropertyFields(r, v); });
    // Only when there is something, so that the form of other declarations is as it was.
    const mTRefundData& refund = declaration.Refund;
    if (!refund.Bank.IsEmpty())
        out["Refund"] = RecordJson(refund.Bank, [](auto& r, auto& v) { BankFields(r, v); });
    if (!refund.Documents.empty()) {
        Json documents = Json::array();
        for (const mTAttachedDocument& a : refund.Documents)
            documents.push_back(RecordJson(a, [](auto& r, auto& v) { AttachedFields(r, v); }));
        out["AttachedDocuments"] = documents;
    }
    return out;
}

void DeclarationFromJson(const Json& json, mTDeclaration& d) {
    Reader r(json, "");
    RootFields(d, r);
    uint8_t flags = 0;
    r.U8("IncomeFlags", flags);
    if ((flags & ~kIncomeAllGroups) != 0) {
        RefuseValue("IncomeFlags", "допустимы только сочетания групп доходов 1, 2, 4 и 8 (0–15).");
    }
    d.SetIncomeFlags(flags);
    RootFieldsAfterFlags(d, r);
    ForEachList(d, [&](auto&& list) {
        const Json* array = r.Array(list.key);
        if (!array) return;
        if (list.flag != 0 && !d.HasIncome(list.flag)) {
            Refuse(list.key, "список задан, а группа доходов " + std::to_string(list.flag) +
                                 " в IncomeFlags не отмечена.");
        }
        for (size_t i = 0; i < array->size(); ++i) {
            size_t index = 0;
            try {
                index = list.add();
            } catch (const std::exception& e) {
                Refuse(list.key, e.what());
            }
            list.read((*array)[i], Item(list.key, i), list.get(index));
        }
    });
    if (const Json* person = r.Find("Person")) {
        ReadRecord(*person, "Person", d.Person, [](auto& rec, auto& v) { PersonFields(rec, v); });
    }
    if (const Json* standard = r.Find("StandartDeduct")) {
        ReadRecord(*standard, "StandartDeduct", d.StandartDeduct,
                   [](auto& rec, auto& v) { StandardFields(rec, v); });
    }
    if (const Json* social = r.Find("SocialDeduct"))
        ReadSocial(*social, "SocialDeduct", d.SocialDeduct);
    if (const Json* property = r.Find("ConstructionDeduct")) {
        ReadRecord(*property, "ConstructionDeduct", d.ConstructionDeduct,
                   [](auto& rec, auto& v) { PropertyFields(rec, v); });
    }
    if (const Json* bank = r.Find("Refund")) {
        ReadRecord(*bank, "Refund", d.Refund.Bank, [](auto& rec, auto& v) { BankFields(rec, v); });
        if (auto problem = FirstBankProblem(d.Refund.Bank)) {
            Refuse(Join("Refund", mTBankDetails::kJsonKeys[static_cast<size_t>(problem->field)]),
                   BankFieldIssue(d.Refund.Bank, problem->field));
        }
    }
    if (const Json* documents = r.Array("AttachedDocuments")) {
        if (documents->size() > kMaxListEntries) {
            Refuse("AttachedDocuments",
                   "документов больше " + std::to_string(kMaxListEntries) + ".");
        }
        for (size_t i = 0; i < documents->size(); ++i) {
            mTAttachedDocument a;
            ReadRecord((*documents)[i], Item("AttachedDocuments", i), a,
                       [](auto& rec, auto& v) { AttachedFields(rec, v); });
            d.Refund.AddDocument(a);
        }
    }
    r.Finish();
}

}  // namespace zorv
