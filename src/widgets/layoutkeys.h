#pragma once

#include <QChar>
#include <QObject>

namespace zorv {

// The letter on the same key in the other layout of a Russian keyboard
// (ЙЦУКЕН and QWERTY): 'f' for 'а', 'а' for 'f'; a null character for a key
// that has no letter in the other layout.
QChar OtherLayoutLetter(QChar c);

// Makes the Alt+letter mnemonics of menus, buttons and labels work whichever
// layout is on: the captions carry Russian letters ("&Файл" is Alt+Ф), and
// with the Latin layout the same key gives Alt+F. Such a key press opens the
// menu or presses the button of the mnemonic on that key, and an Alt+letter
// that matches nothing is never typed into a field. Installed once on the
// application by the main window.
class TLayoutMnemonics : public QObject {
  public:
    explicit TLayoutMnemonics(QObject* parent = nullptr) : QObject(parent) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zorv
