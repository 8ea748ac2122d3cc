#pragma once

#include <QDate>
#include <QLineEdit>
#include <QString>

class QCalendarWidget;

namespace zorv {

// What a typed or pasted date text holds.
struct TTypedDate {
    enum Kind {
        Partial,     // a beginning of a date: "23", "23.1", "23.11.19"
        Complete,    // a whole date: "23.11.1978", "23111978", "1.2.2008"
        Impossible,  // a day or month that does not exist: "31.02.2008", "32", "15.13"
        Garbage,     // anything else: letters, a fourth part, too many digits
    };
    Kind kind = Garbage;
    QDate date;  // the date of a complete text
};

// Reads a date as a person types or pastes it: day, month and four-digit year
// separated by ".", ",", "/", "-" or a blank, or the eight digits DDMMYYYY;
// day and month may have one digit when a separator follows them.
TTypedDate ParseTypedDate(const QString& text);

// The last day a date of the declaration may take: the end of the year after
// this one (a declaration of 2008 may be filed years later).
QDate LastDeclarationDay();

// The date entry of every page and dialog. It keeps what is typed: the dots
// may be typed or left out ("23.11.1978" and "23111978" give the same date),
// a pasted date is read whole, and a day or month that does not exist is
// refused at once with a hint naming the field. Tab and Shift+Tab leave the
// field like any other; the arrow keys move the caret inside it. The "..."
// action opens a calendar.
//
// An empty field holds no date (date() is null); a field that may not be empty
// gets back its last date when it is left empty or unfinished.
class TDateEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TDateEdit(QWidget* parent = nullptr);

    QDate date() const { return date_; }
    // Shows the date as it is, even outside the range (a stored date is never
    // changed without a word); a null date empties the field.
    void setDate(const QDate& date);

    QDate minimumDate() const { return minimum_; }
    QDate maximumDate() const { return maximum_; }
    void setMinimumDate(const QDate& date) { minimum_ = date; }
    void setMaximumDate(const QDate& date) { maximum_ = date; }
    void setDateRange(const QDate& minimum, const QDate& maximum);

    bool AllowsEmpty() const { return allowEmpty_; }
    void SetAllowEmpty(bool on) { allowEmpty_ = on; }

    // The last refusal shown to the user (empty when none yet).
    QString LastRefusal() const { return lastRefusal_; }

  signals:
    void dateChanged(const QDate& date);
    // A typed or pasted text was refused; the text says why, naming the field.
    void refused(const QString& message);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

  private:
    void OnTextEdited(const QString& text);
    // Takes a complete or partial text; false (with a hint) when refused.
    bool Accept(const QString& text, bool finishing);
    void Refuse(const QString& reason);
    void Show(const QString& text);
    void SetCurrent(const QDate& date);
    void OpenCalendar();
    QString FieldName() const;

    QDate date_;
    QDate minimum_{1900, 1, 1};
    QDate maximum_{2099, 12, 31};
    QString accepted_;  // the text last accepted
    QString lastRefusal_;
    bool allowEmpty_ = false;
    bool settingText_ = false;
};

}  // namespace zorv
