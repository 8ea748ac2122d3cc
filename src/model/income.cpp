#include "model/income.h"

#include <stdexcept>

#include "model/imagefields.h"
#include "model/numtext.h"
#include "model/streamnames.h"
#include "storage/documentstorage.h"
#include "storage/errors.h"
#include "storage/valuerange.h"

namespace zorv {
namespace {

// total - removed + added, refused when it leaves the range of amounts.
Money LinesTotal(Money total, Money removed, Money added) {
    int64_t sum = 0;
    if (__builtin_sub_overflow(total.Raw(), removed.Raw(), &sum) ||
        __builtin_add_overflow(sum, added.Raw(), &sum) || !IsMoneyInRange(Money::FromRaw(sum))) {
        throw mEBadValue("Сумма доходов по строкам источника больше допустимой (" +
                             kMaxMoney.ToString() + " по абсолютной величине).",
                         402);
    }
    return Money::FromRaw(sum);
}

}  // namespace

// ---- field lists of the document image (see imagefields.h) ----

// INN, KPP, OKATO and the name of the source, in every kind of source.
template <typename R, typename V>
void SourceImage(R& r, V& v) {
    v.Text(r.INN);
    v.Text(r.KPP);
    v.Text(r.OKATO);
    v.Text(r.SourceName);
}

template <typename R, typename V>
void IncomeLineImage(R& l, V& v) {
    v.Int(l.IncomeCode);
    v.Text(l.IncomeName);
    v.Amount(l.IncomeSum);
    v.Int(l.DeductCode);
    v.Amount(l.DeductSum);
    v.Int(l.DeductPercent);
    v.Short(l.Month);
}

// IncomeTotal is not stored: reading adds up the lines again as it adds them.
template <typename R, typename V>
void ThirteenPercentImage(R& r, V& v, size_t index) {
    v.Stream(IndexedStreamName("@ThirteenPercent", index));
    if (v.Format() >= FormatNumber(1, 1)) v.Byte(r.IsPrimaryWorkplace);
    SourceImage(r, v);
    v.Amount(r.TaxWithheld);
    v.Amount(r.TaxableIncome);
    v.Amount(r.TaxComputed);
    for (auto& amount : r.monthlyAmounts_) v.Amount(amount);
    v.Entries(r.IncomeList, &mTThirteenPercent::AddIncome, r, [&](auto& line, size_t j) {
        v.Stream(IndexedStreamName("@SourseIncome", index, j));
        IncomeLineImage(line, v);
    });
}

template <typename R, typename V>
void ThirtyFivePercentImage(R& r, V& v, size_t index) {
    v.Stream(IndexedStreamName("@ThirtyFivePercent", index));
    v.Int(r.IncomeCode);
    SourceImage(r, v);
    v.Amount(r.IncomeTotal);
    v.Int(r.DeductCode);
    v.Amount(r.DeductSum);
    v.Amount(r.TaxWithheld);
}

template <typename R, typename V>
void ThirtyPercentImage(R& r, V& v, size_t index) {
    v.Stream(IndexedStreamName("@ThirtyPercent", index));
    v.Int(r.IncomeCode);
    SourceImage(r, v);
    v.Amount(r.IncomeTotal);
    v.Amount(r.TaxComputed);
    v.Amount(r.TaxableIncome);
    v.Amount(r.TaxWithheld);
}

// The amounts in rubles are read as stored, not converted again.
template <typename R, typename V>
void CurrencyIncomeImage(R& r, V& v, size_t index) {
    v.Stream(IndexedStreamName("@CurrencyIncome", index));
    v.Int(r.IncomeRate);
    v.Int(r.IncomeCode);
    v.Text(r.IncomeName);
    v.Text(r.SourceName);
    v.Text(r.CountryCode);
    v.Date(r.IncomeDate);
    v.Date(r.TaxDate);
    v.Byte(r.AutoRates);
    v.Text(r.CurrencyCode);
    v.Amount(r.IncomeRate1);
    v.Int(r.IncomeUnits);
    v.Amount(r.TaxRate1);
    v.Int(r.TaxUnits);
    v.Text(r.CurrencyName);
    v.Amount(r.IncomeInCurrency);
    v.Amount(r.IncomeInRubles);
    v.Amount(r.TaxInCurrency);
    v.Amount(r.TaxInRubles);
    v.Int(r.DeductCode);
    v.Amount(r.DeductSum);
    v.Int(r.DeductPercent);
}

// Confirmed expenses go item by item into a stream of their own; otherwise their
// total follows in the activity's stream. Any other flag value stores neither.
template <typename R, typename V>
void BusinessImage(R& r, V& v, size_t index) {
    v.Stream(IndexedStreamName("@BusinessIncome", index));
    v.Text(r.ActivityKind);
    v.Text(r.ActivityCode);
    v.Amount(r.Income);
    v.Byte(r.HasConfirmedExpenses);
    if (r.HasConfirmedExpenses == 1) {
        v.Stream(IndexedStreamName("@BusinessExpense", index));
        for (auto& item : r.ExpenseItems) v.Amount(item);
    } else if (r.HasConfirmedExpenses == 0) {
        v.Amount(r.ExpenseTotal);
    }
}

template <typename R, typename V>
void RepetitImage(R& r, V& v, size_t index) {
    v.Stream(IndexedStreamName("@RepetitIncome", index));
    v.Text(r.Name);
    for (auto& value : r.Values) v.Amount(value);
}

template <typename R, typename V>
void NalogImage(R& r, V& v, size_t index) {
    v.Stream(IndexedStreamName("@NalogSub", index));
    v.Text(r.BudgetCodeName);
    v.Text(r.BudgetCode);
    v.Amount(r.Amount);
}

// ---- 13 % ----

size_t mTThirteenPercent::AddIncome(const mTSourseIncome& line) {
    CheckListRoom(IncomeList.size(), "строки дохода");
    Money total = LinesTotal(IncomeTotal, Money(), line.IncomeSum);
    IncomeList.push_back(line);
    IncomeTotal = total;
    return IncomeList.size() - 1;
}

void mTThirteenPercent::SetIncome(size_t index, const std::optional<mTSourseIncome>& line) {
    mTSourseIncome& old = IncomeList.at(index);
    Money total = LinesTotal(IncomeTotal, old.IncomeSum, line ? line->IncomeSum : Money());
    if (line) {
        old = *line;
    } else {
        IncomeList.erase(IncomeList.begin() + static_cast<std::ptrdiff_t>(index));
    }
    IncomeTotal = total;
}

void mTThirteenPercent::SetMonthlyAmount(size_t month, Money value) {
    if (month >= 12) throw std::out_of_range("month");
    if (value == Money::Absent()) {
        monthlyAmounts_[month].reset();
    } else {
        monthlyAmounts_[month] = value;
    }
}

void mTThirteenPercent::Write(mTDocumentStorage& s, size_t index) const {
    WriteFields(s, context::kThirteenPercent,
                [&](auto& v) { ThirteenPercentImage(*this, v, index); });
}
void mTThirteenPercent::Read(mTDocumentStorage& s, size_t index) {
    ReadFields(s, context::kThirteenPercent,
               [&](auto& v) { ThirteenPercentImage(*this, v, index); });
}
size_t mTThirteenPercent::ComputeSize() const {
    return FieldsSize([&](auto& v) { ThirteenPercentImage(*this, v, 0); });
}

// ---- 35 % ----

void mTThirtyFivePercent::Write(mTDocumentStorage& s, size_t index) const {
    WriteFields(s, context::kThirtyFiveWrite,
                [&](auto& v) { ThirtyFivePercentImage(*this, v, index); });
}
void mTThirtyFivePercent::Read(mTDocumentStorage& s, size_t index) {
    ReadFields(s, context::kThirtyFiveRead,
               [&](auto& v) { ThirtyFivePercentImage(*this, v, index); });
}
size_t mTThirtyFivePercent::ComputeSize() const {
    return FieldsSize([&](auto& v) { ThirtyFivePercentImage(*this, v, 0); });
}

// ---- dividends ----

void mTThirtyPercent::Write(mTDocumentStorage& s, size_t index) const {
    WriteFields(s, context::kThirtyWrite, [&](auto& v) { ThirtyPercentImage(*this, v, index); });
}
void mTThirtyPercent::Read(mTDocumentStorage& s, size_t index) {
    ReadFields(s, context::kThirtyRead, [&](auto& v) { ThirtyPercentImage(*this, v, index); });
}
size_t mTThirtyPercent::ComputeSize() const {
    return FieldsSize([&](auto& v) { ThirtyPercentImage(*this, v, 0); });
}

// ---- foreign currency ----

Money ConvertToRubles(Money amount, Money rate, uint32_t units) {
    if (units == 0) return Money();
    long double product = static_cast<long double>(amount.Raw()) / Money::kScale *
                          (static_cast<long double>(rate.Raw()) / Money::kScale) /
                          static_cast<long double>(units);
    return MoneyFromDouble(RoundTo2(static_cast<double>(product)));
}

Money RatePerUnit(Money rate, uint32_t units) {
    if (units == 0) return Money();
    // Ten-thousandths divided by the units; a half goes up, away from zero.
    const __int128 raw = rate.Raw();
    const __int128 magnitude = raw < 0 ? -raw : raw;
    const __int128 quotient = (2 * magnitude + units) / (2 * static_cast<__int128>(units));
    return Money::Clamped(raw < 0 ? -quotient : quotient);
}

void mTCurrencyIncome::SetIncomeInCurrency(Money value) {
    IncomeInCurrency = value;
    IncomeInRubles = ConvertToRubles(value, IncomeRate1, IncomeUnits);
}

void mTCurrencyIncome::SetTaxInCurrency(Money value) {
    TaxInCurrency = value;
    TaxInRubles = ConvertToRubles(value, TaxRate1, TaxUnits);
}

void mTCurrencyIncome::Write(mTDocumentStorage& s, size_t index) const {
    WriteFields(s, context::kCurrencyWrite, [&](auto& v) { CurrencyIncomeImage(*this, v, index); });
}
void mTCurrencyIncome::Read(mTDocumentStorage& s, size_t index) {
    ReadFields(s, context::kCurrencyRead, [&](auto& v) { CurrencyIncomeImage(*this, v, index); });
}
size_t mTCurrencyIncome::ComputeSize() const {
    return FieldsSize([&](auto& v) { CurrencyIncomeImage(*this, v, 0); });
}

// ---- business ----

void mTBusinessNew::Clear() {
    *this = mTBusinessNew();
}

void mTBusinessNew::Write(mTDocumentStorage& s, size_t index) const {
    WriteFields(s, context::kBusinessWrite, [&](auto& v) { BusinessImage(*this, v, index); });
}
void mTBusinessNew::Read(mTDocumentStorage& s, size_t index) {
    ReadFields(s, context::kBusinessRead, [&](auto& v) { BusinessImage(*this, v, index); });
}
size_t mTBusinessNew::ComputeSize() const {
    return FieldsSize([&](auto& v) { BusinessImage(*this, v, 0); });
}

// ---- Repetit ----

void mTRepetitNew::Write(mTDocumentStorage& s, size_t index) const {
    WriteFields(s, context::kRepetitWrite, [&](auto& v) { RepetitImage(*this, v, index); });
}
void mTRepetitNew::Read(mTDocumentStorage& s, size_t index) {
    ReadFields(s, context::kRepetitRead, [&](auto& v) { RepetitImage(*this, v, index); });
}
size_t mTRepetitNew::ComputeSize() const {
    return FieldsSize([&](auto& v) { RepetitImage(*this, v, 0); });
}

// ---- advance payments (with the context codes of the dividends) ----

void mTNalog::Write(mTDocumentStorage& s, size_t index) const {
    WriteFields(s, context::kThirtyWrite, [&](auto& v) { NalogImage(*this, v, index); });
}
void mTNalog::Read(mTDocumentStorage& s, size_t index) {
    ReadFields(s, context::kThirtyRead, [&](auto& v) { NalogImage(*this, v, index); });
}
size_t mTNalog::ComputeSize() const {
    return FieldsSize([&](auto& v) { NalogImage(*this, v, 0); });
}

std::string ActivityCaption(const mTBusinessNew& activity) {
    if (activity.ActivityKind == "2") return "Нотариальная деятельность";
    if (activity.ActivityKind == "3") return "Адвокатская деятельность";
    if (activity.ActivityKind == "4") return "Иная деятельность";
    return activity.ActivityCode;
}

}  // namespace zorv
