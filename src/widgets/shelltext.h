#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <string>

#include "storage/money.h"

namespace zorv {

// The model keeps UTF-8 text; the windows show QString.
inline QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string FromQ(const QString& text) {
    return text.toStdString();
}

// A storage message as a box shows it: its "\r" breaks become line breaks.
QString UserMessage(const std::string& message);

// Whether the document can keep the text as a value: every character must exist
// in windows-1251, none may be a control character, and a value may not begin
// with "@", which marks the name of a stream in the document image.
bool IsStorableText(const QString& text);

// An amount as the user sees it ("1234,5"); an empty field is 0.
QString MoneyText(Money amount);
Money MoneyFromField(const QString& text);
// A whole number field; empty or unreadable is 0.
uint32_t NumberFromField(const QString& text);

// XML in windows-1251 or UTF-8, as its declaration says, turned into UTF-8 with a
// declaration that says so; false and the reason for any other encoding or bytes
// that do not decode.
bool XmlToUtf8(const QByteArray& xml, QByteArray& utf8, QString& error);

QDate DateFromDayNumber(double dayNumber);
double DayNumberFromDate(const QDate& date);

}  // namespace zorv
