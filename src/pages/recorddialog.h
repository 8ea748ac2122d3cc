#pragma once

#include <QDialog>
#include <QString>
#include <string>

class QFormLayout;
class QLayout;
class QPushButton;

namespace zorv {

class TMaskedEdit;
class mTSourseIncomeInfo;

// The dialog of one record: its fields above, "Да" and "Нет" below. Enter
// presses "Да" (unless a button has the focus) and Escape "Нет". "Да" closes
// the dialog only when the record's checks let it (Confirm).
class TRecordDialog : public QDialog {
    Q_OBJECT
  public:
    QPushButton* bnOk = nullptr;
    QPushButton* bnCansel = nullptr;

    // "Да": checks the record and closes the dialog when it may be taken.
    void Confirm();

  protected:
    TRecordDialog(QWidget* parent, const char* name, const QString& title);
    // Puts the fields above the buttons; call once at the end of the constructor.
    void SetBody(QLayout* body);
    // Whether the record may be taken; otherwise the focus is on the field to correct.
    virtual bool Acceptable() = 0;
};

// A field row of a form: its label names the field for the screen reader too.
void AddFieldRow(QFormLayout* form, const QString& label, QWidget* field);

// The paying organisation or person as the income dialogs ask for it: name,
// taxpayer number, registration code and territory code.
class TSourceFields {
  public:
    // `nameLength` and `innLength` limit the name and the number.
    TSourceFields(QWidget* parent, int nameLength, int innLength);

    void AddTo(QFormLayout* form) const;
    void Load(const mTSourseIncomeInfo& source);
    void Store(mTSourseIncomeInfo& source) const;

    // The check of the payer's details for an organisation, or for any payer;
    // false when the user chose to correct a detail (its field has the focus then).
    bool Check(QWidget* dialog, const std::string& section, bool organisation) const;

    TMaskedEdit* meSourseName;
    TMaskedEdit* meINN;
    TMaskedEdit* meKPP;
    TMaskedEdit* meOKATO;
};

}  // namespace zorv
