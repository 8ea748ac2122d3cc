#pragma once

#include <QLineEdit>
#include <QString>

namespace zorv {

enum TEditTypeControlEnum {
    edtCurrency,  // a money amount
    edtDigital,   // digits only
    edtChar,      // anything but digits
    edtNone,      // any character
};

// Whether a field of the kind and limits may hold the text (0 = no limit).
// For amounts `wholeLength` limits the digits before the separator ",", and
// `fractionalLength` those after it; for the other kinds `wholeLength` limits
// the characters. Every kind also requires IsStorableText.
bool MaskedTextFits(TEditTypeControlEnum type, int wholeLength, int fractionalLength,
                    const QString& text);

// The hint a whole-ruble field shows when a decimal separator is typed.
inline constexpr const char* kWholeRublesHint = "Сумма указывается в целых рублях";

// The one-line entry field of every page and dialog. Typed characters outside
// its kind are refused, and a paste that breaks the kind or a limit is undone;
// a text set by the program is shown as set. An accepted change emits
// `modified` (the modified notice) and then `changed` (the page's handler).
class TMaskedEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TMaskedEdit(QWidget* parent = nullptr, TEditTypeControlEnum type = edtCurrency,
                         int wholeLength = 0, int fractionalLength = 0);

    TEditTypeControlEnum EditType() const { return type_; }
    void SetEditType(TEditTypeControlEnum type) { type_ = type; }
    int WholeLength() const { return wholeLength_; }
    void SetWholeLength(int length) { wholeLength_ = length; }
    int FractionalLength() const { return fractionalLength_; }
    void SetFractionalLength(int length) { fractionalLength_ = length; }
    // A digits-only amount in whole rubles: a typed "," or "." is refused
    // with a hint saying so.
    bool WholeRubles() const { return wholeRubles_; }
    void SetWholeRubles(bool on) { wholeRubles_ = on; }

  signals:
    void modified();
    void changed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OnTextChanged(const QString& text);
    bool Fits(const QString& text) const;

    TEditTypeControlEnum type_;
    int wholeLength_;
    int fractionalLength_;
    QString previous_;
    bool reverting_ = false;
    bool userEdit_ = false;
    bool wholeRubles_ = false;
};

// Marks the digits field as a whole-ruble amount; gives the field.
TMaskedEdit* WholeRubles(TMaskedEdit* edit);

// Whether an identity-document number fits the mask kind:
// 1 "NN NNNNNNN", 2 "NN NN NNNNNN", 3 "ББ NNNNNN", 4 "ББ NNNNNNN" (each part
// may be shorter while it is the last one typed), 5 any text of up to 20
// characters. The text must also satisfy IsStorableText.
bool DocNumberFits(int maskKind, const QString& text);

// The series and number of an identity document, held to the mask of the
// document kind. In kinds 1-4 the blanks between the parts are put in by the
// field itself, and Cyrillic letters are made upper case.
class TMaskedDocEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit TMaskedDocEdit(QWidget* parent = nullptr);

    int MaskKind() const { return maskKind_; }
    void SetMaskKind(int kind) { maskKind_ = (kind >= 1 && kind <= 5) ? kind : 5; }

  signals:
    void modified();
    void changed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void OnTextChanged(const QString& text);

    int maskKind_ = 5;
    QString previous_;
    bool reverting_ = false;
};

// The mask kind for an identity-document code.
int DocNumberMaskKind(int docTypeCode);

}  // namespace zorv
