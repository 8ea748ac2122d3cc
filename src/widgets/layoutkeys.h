#pragma once

#include <QChar>
#include <QObject>

namespace zorv {

// The letter on the same key in the other layout of a Russian keyboard
// (ЙЦУКЕН and QWERTY): 'f' for 'а', 'а' for 'f'; a null character for a key
// that has no letter in the other layout.
QChar OtherLayoutLetter(QChar c);

// Makes the Alt+letter mnemonics of menus, buttons and labels work whichever
// layout is on: the captions carry Russian letters ("&Файл" is Alt+Ф). With
// the Latin layout the key of that letter (Alt+A for Ф) does the same, and a
// menu also opens by the Latin initial of its title (Alt+F for "Файл", Alt+S
// for "Справка"). An Alt+letter that matches nothing is never typed into a
// field. Installed once on the application by the main window.
class TLayoutMnemonics : public QObject {
  public:
    explicit TLayoutMnemonics(QObject* parent = nullptr) : QObject(parent) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace zorv
