#include "widgets/shelltext.h"

#include <QRegularExpression>

#include "model/numtext.h"
#include "storage/codepage.h"
#include "storage/daynumber.h"

namespace zorv {

bool XmlToUtf8(const QByteArray& xml, QByteArray& utf8, QString& error) {
    static const QRegularExpression declaration(
        QStringLiteral(R"(^\s*<\?xml[^>]*encoding\s*=\s*["']([^"']+)["'][^>]*\?>)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = declaration.match(QString::fromLatin1(xml.left(200)));
    const QString encoding = m.hasMatch() ? m.captured(1).toLower() : QString();
    if (encoding.isEmpty() || encoding == QLatin1String("utf-8")) {
        utf8 = xml;
        return true;
    }
    if (encoding != QLatin1String("windows-1251") && encoding != QLatin1String("cp1251")) {
        error = QStringLiteral("неизвестная кодировка ") + encoding;
        return false;
    }
    const Conversion text = Cp1251ToUtf8(std::string_view(xml.constData(), xml.size()));
    if (!text.ok) {
        error = QStringLiteral("недопустимый символ в кодировке windows-1251");
        return false;
    }
    utf8 = QByteArray::fromStdString(text.text);
    utf8.replace(m.capturedStart(1), m.capturedLength(1), "UTF-8");
    return true;
}

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
