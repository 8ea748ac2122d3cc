#pragma once

#include <QString>
#include <QWidget>

namespace zorv {

// Gives a control its object name: the name the focus tables, the tests and
// the pictures know it by.
template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// The same for a control whose own text does not say what it holds (an entry
// field, a date, a "..." button): the accessible name says it.
template <typename W>
W* Named(W* widget, const char* name, const QString& accessibleName) {
    widget->setAccessibleName(accessibleName);
    return Named(widget, name);
}

}  // namespace zorv
