#include "pages/ratetable.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

namespace zorv {

namespace {

// A day this long after the last rate of a currency is beyond the file: the
// longest run of days without a new rate (the New Year holidays) is shorter.
constexpr qint64 kLongestGap = 14;

// A rate as a rate field holds it: digits, a comma and digits.
bool IsRateText(const QString& text) {
    static const QRegularExpression rate(QStringLiteral("^\\d+(,\\d+)?$"));
    return rate.match(text).hasMatch();
}

}  // namespace

TRateTable TRateTable::Parse(const QString& xml, QString* error) {
    TRateTable table;
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return TRateTable();
    };
    if (xml.isEmpty()) return fail(QStringLiteral("файл курсов валют отсутствует"));
    QXmlStreamReader reader(xml);
    if (!reader.readNextStartElement()) return fail(QStringLiteral("нет корневого элемента"));
    while (reader.readNextStartElement()) {
        TCurrencyEntry currency;
        const QXmlStreamAttributes a = reader.attributes();
        currency.code = a.value(QLatin1String("Code")).toString().trimmed();
        currency.name = a.value(QLatin1String("Name")).toString().trimmed();
        bool ok = false;
        const uint32_t quantity = a.value(QLatin1String("Quantity")).toUInt(&ok);
        currency.quantity = ok && quantity > 0 ? quantity : 1;
        while (reader.readNextStartElement()) {
            const QXmlStreamAttributes r = reader.attributes();
            const QDate date = QDate::fromString(r.value(QLatin1String("Date")).toString(),
                                                 QStringLiteral("dd.MM.yyyy"));
            const QString rate = r.value(QLatin1String("Rate")).toString().trimmed();
            // An entry without a readable date or rate is passed over.
            if (date.isValid() && IsRateText(rate)) currency.rates.push_back({date, rate});
            reader.skipCurrentElement();
        }
        if (!currency.code.isEmpty()) table.currencies_.push_back(std::move(currency));
    }
    if (reader.hasError())
        return fail(reader.errorString() + QStringLiteral(" (строка %1)").arg(reader.lineNumber()));
    if (table.currencies_.empty()) return fail(QStringLiteral("в файле нет валют"));
    return table;
}

const TCurrencyEntry* TRateTable::Find(const QString& code) const {
    if (code.isEmpty()) return nullptr;
    for (const TCurrencyEntry& c : currencies_)
        if (c.code == code) return &c;
    return nullptr;
}

std::optional<TRateFound> TRateTable::Lookup(const QString& code, const QDate& day) const {
    const TCurrencyEntry* currency = Find(code);
    if (!currency || !day.isValid() || currency->rates.empty()) return std::nullopt;
    if (currency->rates.back().date.daysTo(day) > kLongestGap) return std::nullopt;
    const TCurrencyEntry::Rate* taken = nullptr;
    for (const TCurrencyEntry::Rate& rate : currency->rates) {
        if (rate.date == day) {
            taken = &rate;
            break;
        }
        if (rate.date < day) taken = &rate;
    }
    if (!taken) return std::nullopt;
    return TRateFound{taken->date, taken->text, currency->quantity};
}

}  // namespace zorv
