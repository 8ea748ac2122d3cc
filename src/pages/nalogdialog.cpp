#include "pages/nalogdialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPushButton>

#include "model/taxlimits2008.h"
#include "widgets/controlnames.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

// The code takes the first 20 characters of an entry, the description begins
// after "  | ".
constexpr qsizetype kCodeLength = 20;
constexpr qsizetype kDescriptionStart = 24;
constexpr qsizetype kDescriptionLength = 100;

struct TBudgetCode {
    const char* code;
    const char* description;
};

// The blanks in the descriptions line them up in the list; the documents keep them.
constexpr TBudgetCode kBudgetCodes[] = {
    {limits2008::kKbkDividends, "9%   дивиденды"},
    {limits2008::kKbkAgents, "13% физ.лица "},
    {limits2008::kKbkSelfEmployed, "13% предприниматели"},
    {limits2008::kKbkDividendsNonRes, "15%  дивиденды нерезиденты"},
    {limits2008::kKbkNonResident, "30% нерезиденты"},
    {limits2008::kKbkPrizes, "35% выигрыши"},
    {limits2008::kKbkNineOther, "9%   ипотека"},
};

}  // namespace

const QStringList& BudgetCodeEntries() {
    static const QStringList entries = [] {
        QStringList list;
        for (const TBudgetCode& entry : kBudgetCodes)
            list << QString::fromLatin1(entry.code) + QStringLiteral("  | ") +
                        QString::fromUtf8(entry.description);
        return list;
    }();
    return entries;
}

TfmInputNalog::TfmInputNalog(QWidget* parent)
    : TRecordDialog(parent, "TfmInputNalog", QStringLiteral("Данные платежа")),
      meHoldSum(Named(WholeRubles(new TMaskedEdit(this, edtDigital, 12)), "meHoldSum")),
      cbKBK(Named(new QComboBox(this), "cbKBK")) {
    meHoldSum->setAlignment(Qt::AlignRight);
    meHoldSum->setFixedWidth(
        meHoldSum->fontMetrics().horizontalAdvance(QStringLiteral("000000000000")) + 16);
    cbKBK->addItems(BudgetCodeEntries());
    cbKBK->setEditable(false);
    cbKBK->setPlaceholderText(QStringLiteral("Выберите код из списка"));
    cbKBK->setCurrentIndex(-1);
    cbKBK->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* form = new QFormLayout;
    AddFieldRow(form, QStringLiteral("Сумма платежа"), meHoldSum);
    AddFieldRow(form, QStringLiteral("КБК"), cbKBK);
    SetBody(form);
    setTabOrder(meHoldSum, cbKBK);
    setTabOrder(cbKBK, bnOk);
    setTabOrder(bnOk, bnCansel);
    meHoldSum->setFocus();
}

void TfmInputNalog::SetAmount(Money amount) {
    meHoldSum->setText(MoneyText(amount));
}

void TfmInputNalog::SelectEntry(const QString& entry) {
    cbKBK->setCurrentIndex(int(BudgetCodeEntries().indexOf(entry)));
}

Money TfmInputNalog::Amount() const {
    return MoneyFromField(meHoldSum->text());
}

std::string TfmInputNalog::BudgetCode() const {
    return cbKBK->currentIndex() < 0 ? std::string()
                                     : FromQ(cbKBK->currentText().left(kCodeLength));
}

std::string TfmInputNalog::BudgetCodeName() const {
    return cbKBK->currentIndex() < 0
               ? std::string()
               : FromQ(cbKBK->currentText().mid(kDescriptionStart, kDescriptionLength));
}

bool TfmInputNalog::Acceptable() {
    if (cbKBK->currentIndex() >= 0) return true;
    cbKBK->setFocus();
    return false;
}

}  // namespace zorv
