#include "pages/recorddialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "check/taxnumbers.h"
#include "model/income.h"
#include "widgets/controlnames.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"
#include "widgets/thinkingframe.h"

namespace zorv {

TRecordDialog::TRecordDialog(QWidget* parent, const char* name, const QString& title)
    : QDialog(parent) {
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(title);
    bnOk = Named(new QPushButton(QStringLiteral("Да"), this), "bnOk");
    bnCansel = Named(new QPushButton(QStringLiteral("Нет"), this), "bnCansel");
    bnOk->setDefault(true);
    connect(bnOk, &QPushButton::clicked, this, &TRecordDialog::Confirm);
    connect(bnCansel, &QPushButton::clicked, this, &QDialog::reject);
}

void TRecordDialog::SetBody(QLayout* body) {
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bnOk);
    buttons->addWidget(bnCansel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

void TRecordDialog::Confirm() {
    if (Acceptable()) accept();
}

void AddFieldRow(QFormLayout* form, const QString& label, QWidget* field) {
    auto* caption = new QLabel(label, form->parentWidget());
    caption->setBuddy(field);
    field->setAccessibleName(label);
    form->addRow(caption, field);
}

TSourceFields::TSourceFields(QWidget* parent, int nameLength, int innLength)
    : meSourseName(Named(new TMaskedEdit(parent, edtNone, nameLength), "meSourseName")),
      meINN(Named(new TMaskedEdit(parent, edtDigital, innLength), "meINN")),
      meKPP(Named(new TMaskedEdit(parent, edtDigital, 9), "meKPP")),
      meOKATO(Named(new TMaskedEdit(parent, edtDigital, 11), "meOKATO")) {
    const int digitWidth = meINN->fontMetrics().horizontalAdvance(QStringLiteral("0000000000000"));
    for (TMaskedEdit* edit : {meINN, meKPP, meOKATO}) edit->setFixedWidth(digitWidth + 16);
    meSourseName->setMinimumWidth(digitWidth * 3);
}

void TSourceFields::AddTo(QFormLayout* form) const {
    AddFieldRow(form, QStringLiteral("Наименование источника выплаты"), meSourseName);
    AddFieldRow(form, QStringLiteral("ИНН"), meINN);
    AddFieldRow(form, QStringLiteral("КПП"), meKPP);
    AddFieldRow(form, QStringLiteral("OKATO"), meOKATO);
}

void TSourceFields::Load(const mTSourseIncomeInfo& source) {
    meSourseName->setText(ToQ(source.SourceName));
    meINN->setText(ToQ(source.INN));
    meKPP->setText(ToQ(source.KPP));
    meOKATO->setText(ToQ(source.OKATO));
}

void TSourceFields::Store(mTSourseIncomeInfo& source) const {
    source.SourceName = FromQ(meSourseName->text());
    source.INN = FromQ(meINN->text());
    source.KPP = FromQ(meKPP->text());
    source.OKATO = FromQ(meOKATO->text());
}

bool TSourceFields::Check(QWidget* dialog, const std::string& section, bool organisation) const {
    const std::string name = FromQ(meSourseName->text());
    const std::string okato = FromQ(meOKATO->text());
    const std::string kpp = FromQ(meKPP->text());
    const std::string inn = FromQ(meINN->text());
    const CheckPrompter ask = WindowPrompter(dialog);
    const SourceCheckResult result =
        organisation ? CheckOrganisationSource(ask, section, name, okato, kpp, inn)
                     : CheckPaymentSource(ask, section, name, okato, kpp, inn);
    switch (result.focus) {
        case kSourceFocusName:
            meSourseName->setFocus();
            return false;
        case kSourceFocusINN:
            meINN->setFocus();
            return false;
        case kSourceFocusKPP:
            meKPP->setFocus();
            return false;
        case kSourceFocusOKATO:
            meOKATO->setFocus();
            return false;
        default:
            return true;
    }
}

}  // namespace zorv
