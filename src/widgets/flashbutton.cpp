#include "widgets/flashbutton.h"

#include <QEnterEvent>
#include <QPainter>

namespace zorv {

TFlashButton::TFlashButton(const QString& caption, QWidget* parent, int groupIndex)
    : QAbstractButton(parent) {
    setText(caption);
    setFocusPolicy(Qt::TabFocus);
    SetGroupIndex(groupIndex);
    connect(this, &QAbstractButton::clicked, this, [this] {
        if (groupIndex_ != 0) ReleaseOthers();
        emit command();
    });
}

void TFlashButton::SetGroupIndex(int index) {
    groupIndex_ = index;
    setCheckable(index != 0);
    if (index == 0) setChecked(false);
}

void TFlashButton::SetDown(bool down) {
    if (groupIndex_ == 0) return;
    setChecked(down);
    if (down) ReleaseOthers();
}

void TFlashButton::ReleaseOthers() {
    if (!parentWidget()) return;
    for (TFlashButton* other :
         parentWidget()->findChildren<TFlashButton*>(Qt::FindDirectChildrenOnly))
        if (other != this && other->groupIndex_ == groupIndex_) other->setChecked(false);
}

void TFlashButton::nextCheckState() {
    // A pressed group button stays down; it never releases itself.
    if (groupIndex_ != 0) setChecked(true);
}

QSize TFlashButton::sizeHint() const {
    // Room for the caption in bold, as it is drawn while the button is down.
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fm(bold);
    return QSize(fm.horizontalAdvance(text()) + 20, fm.height() + 12);
}

void TFlashButton::enterEvent(QEnterEvent* event) {
    hovered_ = true;
    update();
    QAbstractButton::enterEvent(event);
}

void TFlashButton::leaveEvent(QEvent* event) {
    hovered_ = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void TFlashButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QPalette& pal = palette();
    const QRect r = rect().adjusted(0, 0, -1, -1);
    QColor face = pal.color(QPalette::Button);
    if (isChecked())
        face = pal.color(QPalette::Highlight).lighter(170);
    else if (hovered_ && isEnabled())
        face = face.lighter(110);
    p.fillRect(r, face);
    p.setPen(isChecked() ? pal.color(QPalette::Highlight) : pal.color(QPalette::Mid));
    p.drawRect(r);
    if (hasFocus()) {
        p.setPen(QPen(pal.color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(r.adjusted(2, 2, -2, -2));
    }
    QFont f = font();
    f.setBold(isChecked());
    p.setFont(f);
    p.setPen(isEnabled() ? pal.color(QPalette::ButtonText)
                         : pal.color(QPalette::Disabled, QPalette::ButtonText));
    p.drawText(r.adjusted(4, 2, -4, -2), Qt::AlignCenter | Qt::TextWordWrap, text());
}

}  // namespace zorv
