#include "income.h"

#include <stdexcept>

#include "documentstorage.h"
#include "errors.h"
#include "numtext.h"
#include "streamnames.h"
#include "valuerange.h"

namespace zorv {
namespace {

using S = mTDocumentStorage;

size_t TextsSize(std::initializer_list<const std::string*> texts) {
    size_t size = 0;
    for (const std::string* text : texts) size += S::ValueSize(std::string_view(*text));
    return size;
}

size_t MoneySize(std::initializer_list<Money> amounts) {
    size_t size = 0;
    for (Money m : amounts) size += S::ValueSize(m);
    return size;
}

size_t NameSize(const std::string& name) { return S::ValueSize(std::string_view(name)); }

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
        monthsPresent_ &= static_cast<uint16_t>(~(1u << month));
        monthlyAmounts_[month] = Money();
    } else {
        monthsPresent_ |= static_cast<uint16_t>(1u << month);
        monthlyAmounts_[month] = value;
    }
}

void mTThirteenPercent::Write(mTDocumentStorage& s, size_t index) const {
    WithContext(context::kThirteenPercent, [&] {
        s.BeginStream(IndexedStreamName("@ThirteenPercent", index));
        s.WriteByte(IsPrimaryWorkplace);
        for (const std::string* text : {&INN, &KPP, &OKATO, &SourceName}) s.WriteStr(*text);
        s.WriteMoney(TaxWithheld);
        s.WriteMoney(TaxableIncome);
        s.WriteMoney(TaxComputed);
        for (size_t m = 0; m < 12; ++m) {
            if (HasMonthlyAmount(m)) {
                s.WriteMoney(monthlyAmounts_[m]);
            } else {
                s.WriteAbsentMoney();
            }
        }
        s.WriteInt(static_cast<uint32_t>(IncomeList.size()));
        for (size_t j = 0; j < IncomeList.size(); ++j) {
            const mTSourseIncome& line = IncomeList[j];
            s.BeginStream(IndexedStreamName("@SourseIncome", index, j));
            s.WriteInt(line.IncomeCode);
            s.WriteStr(line.IncomeName);
            s.WriteMoney(line.IncomeSum);
            s.WriteInt(line.DeductCode);
            s.WriteMoney(line.DeductSum);
            s.WriteInt(line.DeductPercent);
            s.WriteShort(line.Month);
        }
    });
}

void mTThirteenPercent::Read(mTDocumentStorage& s, size_t index) {
    WithContext(context::kThirteenPercent, [&] {
        s.OpenStream(IndexedStreamName("@ThirteenPercent", index));
        if (s.Format() >= FormatNumber(1, 1)) IsPrimaryWorkplace = s.ReadByte();
        for (std::string* text : {&INN, &KPP, &OKATO, &SourceName}) *text = s.ReadStr();
        TaxWithheld = s.ReadMoney();
        TaxableIncome = s.ReadMoney();
        TaxComputed = s.ReadMoney();
        for (size_t m = 0; m < 12; ++m) SetMonthlyAmount(m, s.ReadMoney());
        uint32_t count = s.ReadInt();
        if (count > kMaxListEntries) throw mEBadStorage(msg::kBadFormat, 401);
        for (size_t j = 0; j < count; ++j) {
            s.OpenStream(IndexedStreamName("@SourseIncome", index, j));
            mTSourseIncome line;
            line.IncomeCode = s.ReadInt();
            line.IncomeName = s.ReadStr();
            line.IncomeSum = s.ReadMoney();
            line.DeductCode = s.ReadInt();
            line.DeductSum = s.ReadMoney();
            line.DeductPercent = s.ReadInt();
            line.Month = s.ReadShort();
            AddIncome(line);
        }
    });
}

size_t mTThirteenPercent::ComputeSize() const {
    size_t size = NameSize(IndexedStreamName("@ThirteenPercent", 0));
    size += S::ValueSize(uint32_t{IsPrimaryWorkplace});
    size += TextsSize({&INN, &KPP, &OKATO, &SourceName});
    size += MoneySize({TaxWithheld, TaxableIncome, TaxComputed});
    for (size_t m = 0; m < 12; ++m) {
        size += HasMonthlyAmount(m) ? S::ValueSize(monthlyAmounts_[m]) : 5;
    }
    size += S::ValueSize(static_cast<uint32_t>(IncomeList.size()));
    for (const mTSourseIncome& line : IncomeList) {
        size += NameSize(IndexedStreamName("@SourseIncome", 0, 0));
        size += S::ValueSize(line.IncomeCode) + S::ValueSize(std::string_view(line.IncomeName)) +
                S::ValueSize(line.IncomeSum) + S::ValueSize(line.DeductCode) +
                S::ValueSize(line.DeductSum) + S::ValueSize(line.DeductPercent) +
                S::ValueSize(uint32_t{line.Month});
    }
    return size;
}

// ---- 35 % ----

void mTThirtyFivePercent::Write(mTDocumentStorage& s, size_t index) const {
    WithContext(context::kThirtyFiveWrite, [&] {
        s.BeginStream(IndexedStreamName("@ThirtyFivePercent", index));
        s.WriteInt(IncomeCode);
        for (const std::string* text : {&INN, &KPP, &OKATO, &SourceName}) s.WriteStr(*text);
        s.WriteMoney(IncomeTotal);
        s.WriteInt(DeductCode);
        s.WriteMoney(DeductSum);
        s.WriteMoney(TaxWithheld);
    });
}

void mTThirtyFivePercent::Read(mTDocumentStorage& s, size_t index) {
    WithContext(context::kThirtyFiveRead, [&] {
        s.OpenStream(IndexedStreamName("@ThirtyFivePercent", index));
        IncomeCode = s.ReadInt();
        for (std::string* text : {&INN, &KPP, &OKATO, &SourceName}) *text = s.ReadStr();
        IncomeTotal = s.ReadMoney();
        DeductCode = s.ReadInt();
        DeductSum = s.ReadMoney();
        TaxWithheld = s.ReadMoney();
    });
}

size_t mTThirtyFivePercent::ComputeSize() const {
    return NameSize(IndexedStreamName("@ThirtyFivePercent", 0)) + S::ValueSize(IncomeCode) +
           TextsSize({&INN, &KPP, &OKATO, &SourceName}) + S::ValueSize(DeductCode) +
           MoneySize({IncomeTotal, DeductSum, TaxWithheld});
}

// ---- dividends ----

void mTThirtyPercent::Write(mTDocumentStorage& s, size_t index) const {
    WithContext(context::kThirtyWrite, [&] {
        s.BeginStream(IndexedStreamName("@ThirtyPercent", index));
        s.WriteInt(IncomeCode);
        for (const std::string* text : {&INN, &KPP, &OKATO, &SourceName}) s.WriteStr(*text);
        for (Money m : {IncomeTotal, TaxComputed, TaxableIncome, TaxWithheld}) s.WriteMoney(m);
    });
}

void mTThirtyPercent::Read(mTDocumentStorage& s, size_t index) {
    WithContext(context::kThirtyRead, [&] {
        s.OpenStream(IndexedStreamName("@ThirtyPercent", index));
        IncomeCode = s.ReadInt();
        for (std::string* text : {&INN, &KPP, &OKATO, &SourceName}) *text = s.ReadStr();
        for (Money* m : {&IncomeTotal, &TaxComputed, &TaxableIncome, &TaxWithheld}) {
            *m = s.ReadMoney();
        }
    });
}

size_t mTThirtyPercent::ComputeSize() const {
    return NameSize(IndexedStreamName("@ThirtyPercent", 0)) + S::ValueSize(IncomeCode) +
           TextsSize({&INN, &KPP, &OKATO, &SourceName}) +
           MoneySize({IncomeTotal, TaxComputed, TaxableIncome, TaxWithheld});
}

// ---- foreign currency ----

Money ConvertToRubles(Money amount, Money rate, uint32_t units) {
    if (units == 0) return Money();
    long double product = static_cast<long double>(amount.Raw()) / Money::kScale *
                          (static_cast<long double>(rate.Raw()) / Money::kScale) /
                          static_cast<long double>(units);
    return MoneyFromDouble(RoundTo2(static_cast<double>(product)));
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
    WithContext(context::kCurrencyWrite, [&] {
        s.BeginStream(IndexedStreamName("@CurrencyIncome", index));
        s.WriteInt(IncomeRate);
        s.WriteInt(IncomeCode);
        for (const std::string* text : {&IncomeName, &SourceName, &CountryCode}) s.WriteStr(*text);
        s.WriteDate(IncomeDate);
        s.WriteDate(TaxDate);
        s.WriteByte(AutoRates);
        s.WriteStr(CurrencyCode);
        s.WriteMoney(IncomeRate1);
        s.WriteInt(IncomeUnits);
        s.WriteMoney(TaxRate1);
        s.WriteInt(TaxUnits);
        s.WriteStr(CurrencyName);
        for (Money m : {IncomeInCurrency, IncomeInRubles, TaxInCurrency, TaxInRubles}) {
            s.WriteMoney(m);
        }
        s.WriteInt(DeductCode);
        s.WriteMoney(DeductSum);
        s.WriteInt(DeductPercent);
    });
}

void mTCurrencyIncome::Read(mTDocumentStorage& s, size_t index) {
    WithContext(context::kCurrencyRead, [&] {
        s.OpenStream(IndexedStreamName("@CurrencyIncome", index));
        IncomeRate = s.ReadInt();
        IncomeCode = s.ReadInt();
        for (std::string* text : {&IncomeName, &SourceName, &CountryCode}) *text = s.ReadStr();
        IncomeDate = s.ReadDate();
        TaxDate = s.ReadDate();
        AutoRates = s.ReadByte();
        CurrencyCode = s.ReadStr();
        IncomeRate1 = s.ReadMoney();
        IncomeUnits = s.ReadInt();
        TaxRate1 = s.ReadMoney();
        TaxUnits = s.ReadInt();
        CurrencyName = s.ReadStr();
        for (Money* m : {&IncomeInCurrency, &IncomeInRubles, &TaxInCurrency, &TaxInRubles}) {
            *m = s.ReadMoney();
        }
        DeductCode = s.ReadInt();
        DeductSum = s.ReadMoney();
        DeductPercent = s.ReadInt();
    });
}

size_t mTCurrencyIncome::ComputeSize() const {
    return NameSize(IndexedStreamName("@CurrencyIncome", 0)) + S::ValueSize(IncomeRate) +
           S::ValueSize(IncomeCode) + TextsSize({&IncomeName, &SourceName, &CountryCode}) +
           S::DateValueSize(IncomeDate) + S::DateValueSize(TaxDate) +
           S::ValueSize(uint32_t{AutoRates}) + TextsSize({&CurrencyCode, &CurrencyName}) +
           MoneySize({IncomeRate1, TaxRate1}) + S::ValueSize(IncomeUnits) + S::ValueSize(TaxUnits) +
           MoneySize({IncomeInCurrency, IncomeInRubles, TaxInCurrency, TaxInRubles}) +
           S::ValueSize(DeductCode) + S::ValueSize(DeductSum) + S::ValueSize(DeductPercent);
}

// ---- business ----

void mTBusinessNew::Clear() { *this = mTBusinessNew(); }

void mTBusinessNew::Write(mTDocumentStorage& s, size_t index) const {
    WithContext(context::kBusinessWrite, [&] {
        s.BeginStream(IndexedStreamName("@BusinessIncome", index));
        s.WriteStr(ActivityKind);
        s.WriteStr(ActivityCode);
        s.WriteMoney(Income);
        s.WriteByte(HasConfirmedExpenses);
        if (HasConfirmedExpenses == 1) {
            s.BeginStream(IndexedStreamName("@BusinessExpense", index));
            for (Money m : ExpenseItems) s.WriteMoney(m);
        } else if (HasConfirmedExpenses == 0) {
            s.WriteMoney(ExpenseTotal);
        }
    });
}

void mTBusinessNew::Read(mTDocumentStorage& s, size_t index) {
    WithContext(context::kBusinessRead, [&] {
        s.OpenStream(IndexedStreamName("@BusinessIncome", index));
        ActivityKind = s.ReadStr();
        ActivityCode = s.ReadStr();
        Income = s.ReadMoney();
        HasConfirmedExpenses = s.ReadByte();
        if (HasConfirmedExpenses == 1) {
            s.OpenStream(IndexedStreamName("@BusinessExpense", index));
            for (Money& m : ExpenseItems) m = s.ReadMoney();
        } else if (HasConfirmedExpenses == 0) {
            ExpenseTotal = s.ReadMoney();
        }
    });
}

size_t mTBusinessNew::ComputeSize() const {
    size_t size = NameSize(IndexedStreamName("@BusinessIncome", 0)) +
                  TextsSize({&ActivityKind, &ActivityCode}) + S::ValueSize(Income) +
                  S::ValueSize(uint32_t{HasConfirmedExpenses});
    if (HasConfirmedExpenses == 1) {
        size += NameSize(IndexedStreamName("@BusinessExpense", 0));
        for (Money m : ExpenseItems) size += S::ValueSize(m);
    } else if (HasConfirmedExpenses == 0) {
        size += S::ValueSize(ExpenseTotal);
    }
    return size;
}

// ---- Repetit ----

void mTRepetitNew::Write(mTDocumentStorage& s, size_t index) const {
    WithContext(context::kRepetitWrite, [&] {
        s.BeginStream(IndexedStreamName("@RepetitIncome", index));
        s.WriteStr(Name);
        for (Money m : Values) s.WriteMoney(m);
    });
}

void mTRepetitNew::Read(mTDocumentStorage& s, size_t index) {
    WithContext(context::kRepetitRead, [&] {
        s.OpenStream(IndexedStreamName("@RepetitIncome", index));
        Name = s.ReadStr();
        for (Money& m : Values) m = s.ReadMoney();
    });
}

size_t mTRepetitNew::ComputeSize() const {
    size_t size = NameSize(IndexedStreamName("@RepetitIncome", 0)) + TextsSize({&Name});
    for (Money m : Values) size += S::ValueSize(m);
    return size;
}

// ---- advance payments ----

void mTNalog::Write(mTDocumentStorage& s, size_t index) const {
    WithContext(context::kThirtyWrite, [&] {
        s.BeginStream(IndexedStreamName("@NalogSub", index));
        s.WriteStr(BudgetCodeName);
        s.WriteStr(BudgetCode);
        s.WriteMoney(Amount);
    });
}

void mTNalog::Read(mTDocumentStorage& s, size_t index) {
    WithContext(context::kThirtyRead, [&] {
        s.OpenStream(IndexedStreamName("@NalogSub", index));
        BudgetCodeName = s.ReadStr();
        BudgetCode = s.ReadStr();
        Amount = s.ReadMoney();
    });
}

size_t mTNalog::ComputeSize() const {
    return NameSize(IndexedStreamName("@NalogSub", 0)) + TextsSize({&BudgetCodeName, &BudgetCode}) +
           S::ValueSize(Amount);
}

}  // namespace zorv
