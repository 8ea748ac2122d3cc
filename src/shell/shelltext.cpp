#include "shelltext.h"

#include "codepage.h"
#include "daynumber.h"
#include "numtext.h"

namespace zorv {

QString UserMessage(const std::string& message) {
    QString text = ToQ(message);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool IsStorableText(const QString& text) {
    if (text.startsWith(QLatin1Char('@'))) return false;
    const std::string utf8 = FromQ(text);
    if (HasControlCharacter(utf8)) return false;
    return Utf8ToCp1251(utf8).ok;
}

QString MoneyText(Money amount) {
    return ToQ(MoneyToUserText(amount));
}

Money MoneyFromField(const QString& text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return Money();
    return Money::Parse(FromQ(trimmed), ',').value_or(Money());
}

uint32_t NumberFromField(const QString& text) {
    bool ok = false;
    const uint32_t value = text.trimmed().toUInt(&ok);
    return ok ? value : 0;
}

QDate DateFromDayNumber(double dayNumber) {
    const CivilDate d = CivilFromDayNumber(dayNumber);
    return QDate(d.year, d.month, d.day);
}

double DayNumberFromDate(const QDate& date) {
    return DayNumber(date.year(), date.month(), date.day());
}

}  // namespace zorv
