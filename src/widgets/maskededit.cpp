#include "widgets/maskededit.h"

#include <QKeyEvent>
#include <QRegularExpression>
#include <QToolTip>

#include "widgets/shelltext.h"

namespace zorv {

namespace {

bool IsCyrillicLetter(QChar c) {
    const char16_t u = c.unicode();
    return (u >= 0x0410 && u <= 0x044F) || u == 0x0401 || u == 0x0451;
}

// The character a printable key would type, or a null character for keys that
// edit or move (backspace, delete, arrows, shortcuts).
QChar TypedCharacter(const QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
    const QString text = event->text();
    if (text.size() != 1) return {};
    const QChar c = text.at(0);
    if (!c.isPrint()) return {};
    return c;
}

// The text after typing `typed` at the caret, the selection replaced.
struct Candidate {
    QString text;
    int caret = 0;
};

Candidate WithoutSelection(const QLineEdit& edit) {
    Candidate c{edit.text(), edit.cursorPosition()};
    if (edit.hasSelectedText()) {
        const int start = edit.selectionStart();
        c.text.remove(start, edit.selectedText().size());
        c.caret = start;
    }
    return c;
}

}  // namespace

bool MaskedTextFits(TEditTypeControlEnum type, int wholeLength, int fractionalLength,
                    const QString& text) {
    if (!IsStorableText(text)) return false;
    switch (type) {
        case edtCurrency: {
            if (text.isEmpty()) return true;
            static const QRegularExpression amount(QStringLiteral("^(\\d+)(,(\\d*))?$"));
            const QRegularExpressionMatch m = amount.match(text);
            if (!m.hasMatch()) return false;
            if (wholeLength > 0 && m.capturedLength(1) > wholeLength) return false;
            if (fractionalLength > 0 && m.capturedLength(3) > fractionalLength) return false;
            return true;
        }
        case edtDigital:
            for (QChar c : text)
                if (!c.isDigit() || c.unicode() > 0x7F) return false;
            break;
        case edtChar:
            for (QChar c : text)
                if (c.isDigit()) return false;
            break;
        case edtNone:
            break;
    }
    return wholeLength <= 0 || text.size() <= wholeLength;
}

TMaskedEdit::TMaskedEdit(QWidget* parent, TEditTypeControlEnum type, int wholeLength,
                         int fractionalLength)
    : QLineEdit(parent),
      type_(type),
      wholeLength_(wholeLength),
      fractionalLength_(fractionalLength) {
    // A change the user makes (typing, pasting, undoing) is announced by
    // textEdited just before textChanged; a text the program sets is not.
    connect(this, &QLineEdit::textEdited, this, [this] { userEdit_ = true; });
    connect(this, &QLineEdit::textChanged, this, &TMaskedEdit::OnTextChanged);
}

bool TMaskedEdit::Fits(const QString& text) const {
    return MaskedTextFits(type_, wholeLength_, fractionalLength_, text);
}

void TMaskedEdit::keyPressEvent(QKeyEvent* event) {
    QChar typed = TypedCharacter(event);
    if (typed.isNull() || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    Candidate c = WithoutSelection(*this);
    QString insertion(typed);
    if (type_ == edtCurrency) {
        if (typed == QLatin1Char('.') || typed == QLatin1Char(',')) {
            if (c.text.contains(QLatin1Char(','))) return;
            // A separator typed in front of nothing starts the amount with 0.
            insertion = c.caret == 0 ? QStringLiteral("0,") : QStringLiteral(",");
        } else if (!typed.isDigit()) {
            return;
        }
    } else if (wholeRubles_ && (typed == QLatin1Char('.') || typed == QLatin1Char(','))) {
        // Refused, but not silently: the kopecks typed next would multiply the amount.
        QToolTip::showText(mapToGlobal(QPoint(0, height())), QString::fromUtf8(kWholeRublesHint),
                           this);
        return;
    }
    c.text.insert(c.caret, insertion);
    if (!Fits(c.text)) return;
    insert(insertion);
}

void TMaskedEdit::OnTextChanged(const QString& text) {
    if (reverting_) return;
    const bool byUser = userEdit_;
    userEdit_ = false;
    QString accepted = text;
    // The limits hold what the user types or pastes; a text the program sets
    // (from the document or a reference file) is shown as it is.
    if (byUser) {
        if (type_ == edtCurrency && !accepted.isEmpty() && accepted.trimmed().isEmpty())
            accepted.clear();
        if (!Fits(accepted)) accepted = previous_;
    }
    if (accepted != text) {
        const int caret = cursorPosition();
        reverting_ = true;
        setText(accepted);
        setCursorPosition(qMin(caret, int(accepted.size())));
        reverting_ = false;
    }
    if (accepted == previous_) return;
    previous_ = accepted;
    emit modified();
    emit changed();
}

TMaskedEdit* WholeRubles(TMaskedEdit* edit) {
    edit->SetWholeRubles(true);
    return edit;
}

bool DocNumberFits(int maskKind, const QString& text) {
    if (!IsStorableText(text)) return false;
    static const QRegularExpression patterns[] = {
        QRegularExpression(QStringLiteral("^(\\d{0,2}|\\d{2} \\d{0,7})$")),
        QRegularExpression(QStringLiteral("^(\\d{0,2}|\\d{2} \\d{0,2}|\\d{2} \\d{2} \\d{0,6})$")),
        QRegularExpression(QStringLiteral("^([А-ЯЁ]{0,2}|[А-ЯЁ]{2} \\d{0,6})$")),
        QRegularExpression(QStringLiteral("^([А-ЯЁ]{0,2}|[А-ЯЁ]{2} \\d{0,7})$")),
    };
    if (maskKind >= 1 && maskKind <= 4) {
        for (QChar c : text)
            if (c.isDigit() && c.unicode() > 0x7F) return false;
        return patterns[maskKind - 1].match(text).hasMatch();
    }
    return text.size() <= 20;
}

int DocNumberMaskKind(int code) {
    switch (code) {
        case 21:
            return 2;
        case 7:
        case 24:
            return 4;
        case 2:
        case 9:
        case 22:
            return 1;
        case 4:
        case 6:
            return 3;
        default:
            return 5;
    }
}

TMaskedDocEdit::TMaskedDocEdit(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TMaskedDocEdit::OnTextChanged);
}

void TMaskedDocEdit::keyPressEvent(QKeyEvent* event) {
    QChar typed = TypedCharacter(event);
    if (typed.isNull() || isReadOnly()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    Candidate c = WithoutSelection(*this);
    if (maskKind_ == 5) {
        c.text.insert(c.caret, typed);
        if (DocNumberFits(5, c.text)) insert(QString(typed));
        return;
    }
    const bool letters = maskKind_ == 3 || maskKind_ == 4;
    if (letters && IsCyrillicLetter(typed)) {
        typed = typed.toUpper();
    } else if (!typed.isDigit()) {
        return;  // blanks come only from the field itself
    }
    if (c.caret == 2 && c.text.size() >= 2 && !c.text.contains(QLatin1Char(' '))) {
        c.text.insert(2, QLatin1Char(' '));
        c.caret = 3;
    } else if (maskKind_ == 2 && c.caret == 5 && c.text.size() >= 5 &&
               c.text.count(QLatin1Char(' ')) == 1) {
        c.text.insert(5, QLatin1Char(' '));
        c.caret = 6;
    }
    c.text.insert(c.caret, typed);
    if (!DocNumberFits(maskKind_, c.text)) return;
    setText(c.text);
    setCursorPosition(c.caret + 1);
}

void TMaskedDocEdit::OnTextChanged(const QString& text) {
    if (reverting_) return;
    QString accepted = text;
    if (maskKind_ == 3 || maskKind_ == 4) accepted = accepted.toUpper();
    if (!DocNumberFits(maskKind_, accepted)) accepted = previous_;
    if (accepted != text) {
        const int caret = cursorPosition();
        reverting_ = true;
        setText(accepted);
        setCursorPosition(qMin(caret, int(accepted.size())));
        reverting_ = false;
    }
    if (accepted == previous_) return;
    previous_ = accepted;
    emit modified();
    emit changed();
}

}  // namespace zorv
