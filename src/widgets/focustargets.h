#pragma once

#include <vector>

#include "check/pagecodes.h"

class QAbstractButton;
class QWidget;

namespace zorv {

// The controls behind the focus codes of a page. A code may name several
// controls: the first of them that is enabled takes the focus. A lookup
// button is pressed as well, so that its list opens at once.
class TFocusTargets {
  public:
    template <typename Focus>
    void Add(Focus code, QWidget* control) {
        Add(FocusNumber(code), control, nullptr);
    }
    template <typename Focus>
    void AddLookup(Focus code, QAbstractButton* button) {
        Add(FocusNumber(code), nullptr, button);
    }

    // Puts the focus on the control of the code; a code without an enabled
    // control does nothing.
    void Focus(int code) const;

  private:
    struct Target {
        int code;
        QWidget* control;
        QAbstractButton* lookup;
    };
    void Add(int code, QWidget* control, QAbstractButton* lookup);

    std::vector<Target> targets_;
};

}  // namespace zorv
