#include "pages/updown.h"

#include <QEvent>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "widgets/maskededit.h"

namespace zorv {

namespace {

QToolButton* Arrow(QWidget* parent, Qt::ArrowType type, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setArrowType(type);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(name);
    button->setFixedSize(18, 12);
    return button;
}

}  // namespace

TUpDown::TUpDown(QWidget* parent, TMaskedEdit* buddy, int minimum, int maximum)
    : QWidget(parent), buddy_(buddy), minimum_(minimum), maximum_(maximum) {
    up_ = Arrow(this, Qt::UpArrow, QStringLiteral("Больше"));
    down_ = Arrow(this, Qt::DownArrow, QStringLiteral("Меньше"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    setFocusPolicy(Qt::NoFocus);
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
    buddy_->installEventFilter(this);
}

void TUpDown::Step(int by) {
    if (!isEnabled()) return;
    bool ok = false;
    const int now = buddy_->text().toInt(&ok);
    int next = 0;
    if (!ok || now < minimum_)
        next = minimum_;
    else if (now > maximum_)
        next = maximum_;
    else
        next = std::clamp(now + by, minimum_, maximum_);
    buddy_->setText(QString::number(next));
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress && isEnabled()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace zorv
