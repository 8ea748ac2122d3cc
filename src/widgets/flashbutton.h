#pragma once

#include <QAbstractButton>

namespace zorv {

// A flat button with a caption that lights up under the mouse. Buttons of the
// same parent with the same non-zero GroupIndex are exclusive: pressing one
// puts it down, releases the others and runs its command, even when it was
// down already. With GroupIndex 0 it is an ordinary command button.
class TFlashButton : public QAbstractButton {
    Q_OBJECT
  public:
    explicit TFlashButton(const QString& caption, QWidget* parent = nullptr, int groupIndex = 0);

    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int index);
    bool Down() const { return isChecked(); }
    // Changes the group as a press does, without running the command.
    void SetDown(bool down);

    QSize sizeHint() const override;

  signals:
    // The button's command: runs on every press by the user.
    void command();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void nextCheckState() override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    void ReleaseOthers();

    int groupIndex_ = 0;
    bool hovered_ = false;
};

}  // namespace zorv
