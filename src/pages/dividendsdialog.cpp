#include "pages/dividendsdialog.h"

#include <QFormLayout>
#include <QPushButton>

#include "calc/calcmoney.h"
#include "model/income.h"
#include "model/taxlimits2008.h"
#include "widgets/controlnames.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"
#include "widgets/thinkingframe.h"

namespace zorv {

namespace {

const char* const kSection = "Доходы, облагаемые по ставке 30%";

QString AmountField(Money amount) {
    return amount.IsZero() ? QString() : MoneyText(amount);
}

}  // namespace

TfmInput30SourseIncome::TfmInput30SourseIncome(QWidget* parent)
    : TRecordDialog(parent, "TfmInput30SourseIncome", QStringLiteral("Доход")),
      source(this, 140, 10),
      meItogIncomeSum(Named(new TMaskedEdit(this, edtCurrency, 12, 2), "meItogIncomeSum")),
      meOblSum(Named(new TMaskedEdit(this, edtCurrency, 12, 2), "meOblSum")),
      meHoldSum(Named(WholeRubles(new TMaskedEdit(this, edtDigital, 12)), "meHoldSum")),
      meTaxDiscount(Named(new TMaskedEdit(this, edtCurrency, 12, 2), "meTaxDiscount",
                          QStringLiteral("Налог, исчисленный"))) {
    meTaxDiscount->hide();
    const int width =
        meItogIncomeSum->fontMetrics().horizontalAdvance(QStringLiteral("000000000000,00")) + 16;
    for (TMaskedEdit* edit : {meItogIncomeSum, meOblSum, meHoldSum}) {
        edit->setFixedWidth(width);
        edit->setAlignment(Qt::AlignRight);
    }
    connect(meOblSum, &TMaskedEdit::changed, this, [this] { OnTaxableChanged(); });

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    source.AddTo(form);
    AddFieldRow(form, QStringLiteral("Сумма дивидендов"), meItogIncomeSum);
    AddFieldRow(form, QStringLiteral("Облагаемая сумма дивидендов"), meOblSum);
    AddFieldRow(form, QStringLiteral("Налог, удержанный"), meHoldSum);
    SetBody(form);
    setTabOrder(source.meSourseName, source.meINN);
    setTabOrder(source.meINN, source.meKPP);
    setTabOrder(source.meKPP, source.meOKATO);
    setTabOrder(source.meOKATO, meItogIncomeSum);
    setTabOrder(meItogIncomeSum, meOblSum);
    setTabOrder(meOblSum, meHoldSum);
    setTabOrder(meHoldSum, bnOk);
    setTabOrder(bnOk, bnCansel);
    source.meSourseName->setFocus();
}

void TfmInput30SourseIncome::OnTaxableChanged() {
    const QString taxable = meOblSum->text();
    meTaxDiscount->setText(taxable.isEmpty() ? QString()
                                             : MoneyText(TaxAtRate(MoneyFromField(taxable),
                                                                   limits2008::kRateDividendsRes)));
}

void TfmInput30SourseIncome::Load(const mTThirtyPercent& record) {
    source.Load(record);
    meItogIncomeSum->setText(AmountField(record.IncomeTotal));
    meOblSum->setText(AmountField(record.TaxableIncome));
    // The stored tax stands until the taxable dividends are changed.
    meTaxDiscount->setText(AmountField(record.TaxComputed));
    meHoldSum->setText(AmountField(record.TaxWithheld));
}

void TfmInput30SourseIncome::Store(mTThirtyPercent& record) const {
    source.Store(record);
    record.IncomeTotal = MoneyFromField(meItogIncomeSum->text());
    record.TaxableIncome = MoneyFromField(meOblSum->text());
    record.TaxComputed = MoneyFromField(meTaxDiscount->text());
    record.TaxWithheld = MoneyFromField(meHoldSum->text());
}

bool TfmInput30SourseIncome::DividendsCoverTax() {
    const Money withheld = MoneyFromField(meHoldSum->text());
    if ((MoneyFromField(meOblSum->text()) + withheld).IsZero()) return true;
    const bool noDividends = meItogIncomeSum->text().isEmpty();
    if (!noDividends && MoneyFromField(meItogIncomeSum->text()) >= withheld) return true;
    const CheckQuestion question{kSection, "Сумма дивидендов меньше суммы удержанного налога", true,
                                 true};
    if (AskCheck(WindowPrompter(this), question) != CheckAnswer::Correct) return true;
    (noDividends ? meItogIncomeSum : meHoldSum)->setFocus();
    return false;
}

bool TfmInput30SourseIncome::Acceptable() {
    // Dividends come from organisations only, whichever way the dialog is confirmed.
    return source.Check(this, kSection, true) && DividendsCoverTax();
}

}  // namespace zorv
