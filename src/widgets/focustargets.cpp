#include "widgets/focustargets.h"

#include <QAbstractButton>

namespace zorv {

void TFocusTargets::Add(int code, QWidget* control, QAbstractButton* lookup) {
    targets_.push_back({code, lookup ? lookup : control, lookup});
}

void TFocusTargets::Focus(int code) const {
    for (const Target& target : targets_) {
        if (target.code != code || !target.control->isEnabled()) continue;
        target.control->setFocus();
        if (target.lookup) target.lookup->click();
        return;
    }
}

}  // namespace zorv
