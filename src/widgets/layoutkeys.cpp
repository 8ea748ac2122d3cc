#include "widgets/layoutkeys.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace zorv {

namespace {

// The keys of the two layouts, position by position.
const QString kLatin = QStringLiteral("qwertyuiop[]asdfghjkl;'zxcvbnm,.`");
const QString kCyrillic = QStringLiteral("йцукенгшщзхъфывапролджэячсмитьбюё");

// The letter after the "&" of a caption, lower case; null without one.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&')) continue;
        if (text.at(i + 1) != QLatin1Char('&')) return text.at(i + 1).toLower();
        ++i;
    }
    return {};
}

bool Matches(const QString& caption, QChar letter, QChar other) {
    const QChar m = Mnemonic(caption);
    return !m.isNull() && (m == letter || m == other);
}

// The letter of an Alt+key press, lower case, as the current layout gives it.
QChar PressedLetter(const QKeyEvent* key) {
    if (key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z)
        return QChar(char16_t(key->key() - Qt::Key_A + 'a'));
    const QString text = key->text();
    if (text.size() == 1 && text.at(0).isLetter()) return text.at(0).toLower();
    if (key->key() > 0x400 && key->key() < 0x460) return QChar(char16_t(key->key())).toLower();
    return {};
}

// The Latin letter a menu title is known by in the other layout: "Файл" is
// the File menu, Alt+F, as "Справка" is Alt+S.
QChar LatinInitial(QChar cyrillic) {
    static const QString from = QStringLiteral("абвгдезийклмнопрстуфхц");
    static const QString to = QStringLiteral("abvgdeziiklmnoprstufhc");
    const qsizetype at = from.indexOf(cyrillic);
    return at >= 0 ? to.at(at) : QChar();
}

bool OpenMenu(QMenuBar* bar, QChar letter, QChar other) {
    for (QAction* action : bar->actions()) {
        if (!action->isVisible() || !action->isEnabled() || !action->menu()) continue;
        const QChar mnemonic = Mnemonic(action->text());
        if (!Matches(action->text(), letter, other) && LatinInitial(mnemonic) != letter) continue;
        bar->setActiveAction(action);
        return true;
    }
    return false;
}

bool PressControl(QWidget* window, QChar letter, QChar other) {
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisible() || !button->isEnabled()) continue;
        if (!Matches(button->text(), letter, other)) continue;
        button->setFocus(Qt::ShortcutFocusReason);
        button->animateClick();
        return true;
    }
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (!label->isVisible() || !label->buddy() || !label->buddy()->isEnabled()) continue;
        if (!Matches(label->text(), letter, other)) continue;
        label->buddy()->setFocus(Qt::ShortcutFocusReason);
        return true;
    }
    return false;
}

}  // namespace

QChar OtherLayoutLetter(QChar c) {
    const QChar lower = c.toLower();
    qsizetype at = kLatin.indexOf(lower);
    if (at >= 0) return kCyrillic.at(at);
    at = kCyrillic.indexOf(lower);
    if (at >= 0) return kLatin.at(at);
    return {};
}

bool TLayoutMnemonics::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (mods != Qt::AltModifier && mods != (Qt::AltModifier | Qt::ShiftModifier)) return false;
    const QChar letter = PressedLetter(key);
    if (letter.isNull()) return false;
    const QChar other = OtherLayoutLetter(letter);
    // The shortcuts of the layout on have had their turn: what reaches here
    // matched none of them.
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (qobject_cast<QMenu*>(window)) return false;
    if (auto* main = qobject_cast<QMainWindow*>(window))
        if (OpenMenu(main->menuBar(), letter, other)) return true;
    if (PressControl(window, letter, other)) return true;
    // Never typed into a field: Alt+letter is a command key.
    return true;
}

}  // namespace zorv
