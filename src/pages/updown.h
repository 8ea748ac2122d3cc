#pragma once

#include <QWidget>

class QToolButton;

namespace zorv {

class TMaskedEdit;

// The arrows beside a number field: each press steps the number by one within
// [minimum, maximum], without wrapping; the Up and Down keys in the field do
// the same. An empty or out-of-range number steps from the nearer end.
class TUpDown : public QWidget {
    Q_OBJECT
  public:
    TUpDown(QWidget* parent, TMaskedEdit* buddy, int minimum, int maximum);

    void Step(int by);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TMaskedEdit* buddy_;
    int minimum_;
    int maximum_;
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace zorv
