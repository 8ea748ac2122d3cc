#include "widgets/dateedit.h"

#include <QAction>
#include <QCalendarWidget>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>

namespace zorv {

namespace {

const QString kFormat = QStringLiteral("dd.MM.yyyy");

bool IsDateSeparator(QChar c) {
    return c == QLatin1Char('.') || c == QLatin1Char(',') || c == QLatin1Char('/') ||
           c == QLatin1Char('-') || c == QLatin1Char(' ');
}

bool IsAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// The most days a month can have (29 for February: the year may be a leap one).
int MostDays(int month) {
    return QDate(2000, month, 1).daysInMonth();
}

// Day, month and year as typed; `dayDone` / `monthDone` when a separator or a
// later part follows them.
TTypedDate ReadParts(const QString& day, bool dayDone, const QString& month, bool monthDone,
                     const QString& year) {
    TTypedDate result{TTypedDate::Partial, {}};
    if (day.size() > 2 || month.size() > 2 || year.size() > 4) return {TTypedDate::Garbage, {}};
    if ((dayDone && day.isEmpty()) || (monthDone && month.isEmpty())) return {};
    const int d = day.toInt();
    if ((dayDone || day.size() == 2) && (d < 1 || d > 31)) return {TTypedDate::Impossible, {}};
    if (month.isEmpty()) return result;
    const int m = month.toInt();
    if (monthDone || month.size() == 2) {
        if (m < 1 || m > 12 || d > MostDays(m)) return {TTypedDate::Impossible, {}};
    }
    if (year.size() < 4) return result;
    const QDate date(year.toInt(), m, d);
    if (!date.isValid() || year.toInt() < 1) return {TTypedDate::Impossible, {}};
    return {TTypedDate::Complete, date};
}

// The character a printable key types; null for keys that edit or move.
QChar TypedCharacter(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
    const QString text = event->text();
    if (text.size() != 1 || !text.at(0).isPrint()) return {};
    return text.at(0);
}

}  // namespace

TTypedDate ParseTypedDate(const QString& typed) {
    const QString text = typed.trimmed();
    QStringList parts{QString()};
    for (QChar c : text) {
        if (IsAsciiDigit(c)) {
            parts.last().append(c);
        } else if (IsDateSeparator(c)) {
            parts.append(QString());
        } else {
            return {TTypedDate::Garbage, {}};
        }
    }
    if (parts.size() > 3) return {TTypedDate::Garbage, {}};
    if (parts.size() == 1) {
        // Digits alone: DDMMYYYY.
        const QString& digits = parts.first();
        if (digits.size() > 8) return {TTypedDate::Garbage, {}};
        return ReadParts(digits.left(2), digits.size() > 2, digits.mid(2, 2), digits.size() > 4,
                         digits.mid(4));
    }
    if (parts.size() == 2) return ReadParts(parts[0], true, parts[1], false, QString());
    return ReadParts(parts[0], true, parts[1], true, parts[2]);
}

QDate LastDeclarationDay() {
    return QDate(QDate::currentDate().year() + 1, 12, 31);
}

TDateEdit::TDateEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(10);
    setPlaceholderText(QStringLiteral("ДД.ММ.ГГГГ"));
    QAction* calendar =
        addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    calendar->setObjectName(QStringLiteral("calendar"));
    calendar->setText(QStringLiteral("Календарь"));
    calendar->setToolTip(QStringLiteral("Календарь (Alt+Вниз)"));
    // The button that shows the action is named like every other control.
    for (QToolButton* button : findChildren<QToolButton*>()) {
        button->setObjectName(QStringLiteral("bnCalendar"));
        button->setAccessibleName(QStringLiteral("Календарь"));
    }
    connect(calendar, &QAction::triggered, this, &TDateEdit::OpenCalendar);
    connect(this, &QLineEdit::textEdited, this, &TDateEdit::OnTextEdited);
    setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 40);
}

void TDateEdit::setDateRange(const QDate& minimum, const QDate& maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

void TDateEdit::setDate(const QDate& date) {
    Show(date.isValid() ? date.toString(kFormat) : QString());
    SetCurrent(date.isValid() ? date : QDate());
}

QString TDateEdit::FieldName() const {
    return accessibleName().isEmpty() ? objectName() : accessibleName();
}

void TDateEdit::Show(const QString& text) {
    accepted_ = text;
    if (QLineEdit::text() == text) return;
    settingText_ = true;
    setText(text);
    settingText_ = false;
}

void TDateEdit::SetCurrent(const QDate& date) {
    if (date == date_) return;
    date_ = date;
    emit dateChanged(date_);
}

void TDateEdit::Refuse(const QString& reason) {
    lastRefusal_ = QStringLiteral("«%1»: %2").arg(FieldName(), reason);
    QToolTip::showText(mapToGlobal(QPoint(0, height())), lastRefusal_, this);
    emit refused(lastRefusal_);
}

bool TDateEdit::Accept(const QString& text, bool finishing) {
    const TTypedDate typed = ParseTypedDate(text);
    switch (typed.kind) {
        case TTypedDate::Garbage:
            return false;
        case TTypedDate::Impossible:
            Refuse(QStringLiteral("такой даты нет — «%1».").arg(text.trimmed()));
            return false;
        case TTypedDate::Partial:
            if (text.trimmed().isEmpty()) {
                if (!allowEmpty_ && finishing) return false;
                Show(QString());
                if (allowEmpty_) SetCurrent(QDate());
                return true;
            }
            if (finishing) return false;
            Show(text);
            return true;
        case TTypedDate::Complete:
            if ((minimum_.isValid() && typed.date < minimum_) ||
                (maximum_.isValid() && typed.date > maximum_)) {
                Refuse(QStringLiteral("дата %1 вне допустимых пределов: с %2 по %3.")
                           .arg(typed.date.toString(kFormat), minimum_.toString(kFormat),
                                maximum_.toString(kFormat)));
                return false;
            }
            Show(typed.date.toString(kFormat));
            SetCurrent(typed.date);
            return true;
    }
    return false;
}

void TDateEdit::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)) ||
        event->key() == Qt::Key_F4) {
        event->accept();
        OpenCalendar();
        return;
    }
    const QChar typed = TypedCharacter(event);
    if (typed.isNull() || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    QString candidate = text();
    int caret = cursorPosition();
    if (hasSelectedText()) {
        caret = selectionStart();
        candidate.remove(caret, selectedText().size());
    }
    const bool atEnd = caret == candidate.size();
    const int dots = candidate.count(QLatin1Char('.'));
    const QString part = candidate.mid(candidate.lastIndexOf(QLatin1Char('.')) + 1);
    QString insertion(typed);
    if (IsDateSeparator(typed)) {
        // A separator ends the day or the month; one typed after a finished
        // part (the field put the dot there already) is taken as said.
        if (!atEnd) {
            insertion = QStringLiteral(".");
        } else if (candidate.isEmpty() || candidate.endsWith(QLatin1Char('.')) || dots >= 2) {
            return;
        } else if (part.size() == 1) {
            candidate.insert(caret - 1, QLatin1Char('0'));
            ++caret;
            insertion = QStringLiteral(".");
        } else {
            insertion = QStringLiteral(".");
        }
    } else if (!IsAsciiDigit(typed)) {
        return;
    } else if (atEnd && dots < 2 && part.size() == 2) {
        // Digits typed on without the dots: the dot comes by itself.
        insertion = QStringLiteral(".") + typed;
    }
    candidate.insert(caret, insertion);
    if (candidate.size() > 10) return;
    if (!Accept(candidate, false)) return;
    setCursorPosition(qMin(caret + int(insertion.size()), int(text().size())));
}

void TDateEdit::OnTextEdited(const QString& text) {
    if (settingText_) return;
    // A paste, a cut, an undo or a deletion: a whole date is read at once,
    // a beginning is kept while the user goes on.
    const int caret = cursorPosition();
    if (Accept(text, false)) {
        if (text == QLineEdit::text()) setCursorPosition(caret);
        return;
    }
    Show(accepted_);
}

void TDateEdit::focusOutEvent(QFocusEvent* event) {
    const QString shown = text();
    const QString dateText = date_.isValid() ? date_.toString(kFormat) : QString();
    if (shown != dateText && !Accept(shown, true)) {
        Show(dateText);
        if (!shown.trimmed().isEmpty()) {
            Refuse(dateText.isEmpty()
                       ? QStringLiteral("дата введена не полностью (%1); поле очищено.").arg(shown)
                       : QStringLiteral("дата введена не полностью (%1); оставлена прежняя, %2.")
                             .arg(shown, dateText));
        }
    }
    QLineEdit::focusOutEvent(event);
}

void TDateEdit::OpenCalendar() {
    if (isReadOnly() || !isEnabled()) return;
    auto* calendar = new QCalendarWidget(this);
    calendar->setObjectName(QStringLiteral("calendarPopup"));
    calendar->setWindowFlags(Qt::Popup);
    calendar->setAttribute(Qt::WA_DeleteOnClose);
    calendar->setDateRange(minimum_, maximum_);
    calendar->setSelectedDate(date_.isValid() ? date_ : QDate::currentDate());
    connect(calendar, &QCalendarWidget::activated, this, [this, calendar](QDate chosen) {
        Accept(chosen.toString(kFormat), true);
        calendar->close();
    });
    connect(calendar, &QCalendarWidget::clicked, this, [this, calendar](QDate chosen) {
        Accept(chosen.toString(kFormat), true);
        calendar->close();
    });
    calendar->move(mapToGlobal(QPoint(0, height())));
    calendar->show();
    calendar->setFocus();
}

}  // namespace zorv
