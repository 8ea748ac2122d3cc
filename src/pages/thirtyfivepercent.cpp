#include "pages/thirtyfivepercent.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <tuple>

#include "pages/entrykit.h"
#include "pages/thirtyfivedialog.h"
#include "widgets/controlnames.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

auto Values(const mTThirtyFivePercent& r) {
    return std::tie(r.SourceName, r.INN, r.KPP, r.OKATO, r.IncomeCode, r.DeductCode, r.IncomeTotal,
                    r.DeductSum, r.TaxWithheld);
}

QString CodeDisplay(uint32_t code) {
    return code == 0 ? QStringLiteral("Нет") : QString::number(code);
}

}  // namespace

TfrThirtyFivePercent::TfrThirtyFivePercent(TShellContext& ctx, QWidget* parent)
    : TRecordListPage(ctx, parent, "frThirtyFivePercent") {
    QWidget* list = BuildList({QStringLiteral("Источники выплат")});
    auto* summary =
        Named(new QGroupBox(QStringLiteral("Сведения об источнике выплаты"), this), "gbSummary");
    pnlIncomeCod = MakeDisplay(summary, "pnlIncomeCod", QStringLiteral("Код дохода"));
    pnlItogIncomeSum = MakeDisplay(summary, "pnlItogIncomeSum", QStringLiteral("Сумма дохода"));
    pnlSubtractCod = MakeDisplay(summary, "pnlSubtractCod", QStringLiteral("Код вычета"));
    pnlSubtractSum = MakeDisplay(summary, "pnlSubtractSum", QStringLiteral("Сумма вычета"));
    pnlHoldSum = MakeDisplay(summary, "pnlHoldSum", QStringLiteral("Сумма удержанного налога"));
    const int amountWidth =
        pnlHoldSum->fontMetrics().horizontalAdvance(QStringLiteral("000 000 000 000,00")) + 16;
    for (QLabel* amount : {pnlItogIncomeSum, pnlSubtractSum, pnlHoldSum}) {
        amount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        amount->setFixedWidth(amountWidth);
    }
    for (QLabel* code : {pnlIncomeCod, pnlSubtractCod}) code->setFixedWidth(64);
    auto* grid = new QGridLayout(summary);
    const auto put = [&](int row, int column, const QString& caption, QLabel* display) {
        grid->addWidget(new QLabel(caption, summary), row, column);
        grid->addWidget(display, row, column + 1);
    };
    put(0, 0, QStringLiteral("Код дохода"), pnlIncomeCod);
    put(0, 2, QStringLiteral("Сумма дохода"), pnlItogIncomeSum);
    put(1, 0, QStringLiteral("Код вычета"), pnlSubtractCod);
    put(1, 2, QStringLiteral("Сумма вычета"), pnlSubtractSum);
    put(2, 2, QStringLiteral("Сумма удержанного налога"), pnlHoldSum);
    grid->setColumnMinimumWidth(1, 80);
    grid->setColumnStretch(4, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addWidget(summary);
    FillList();
}

size_t TfrThirtyFivePercent::RecordCount() const {
    return ctx_.Decl().ThirtyFivePercentCount();
}

QStringList TfrThirtyFivePercent::RowTexts(size_t index) const {
    return {ToQ(ctx_.Decl().ThirtyFivePercent(index).SourceName)};
}

QString TfrThirtyFivePercent::RecordsWhat() const {
    return QStringLiteral("источников дохода, облагаемого по ставке 35%");
}

bool TfrThirtyFivePercent::RunAdd() {
    TfmInput35SourseIncome dialog(this);
    if (!RunModal(dialog) || dialog.source.meSourseName->text().trimmed().isEmpty() ||
        dialog.pnlIncomeCod->text().isEmpty())
        return false;
    Notify();
    dialog.Store(Decl().ThirtyFivePercent(Decl().AddThirtyFivePercent()));
    return true;
}

bool TfrThirtyFivePercent::RunEdit(size_t index) {
    TfmInput35SourseIncome dialog(this);
    mTThirtyFivePercent& record = Decl().ThirtyFivePercent(index);
    dialog.Load(record);
    if (!RunModal(dialog) || dialog.source.meSourseName->text().trimmed().isEmpty() ||
        dialog.pnlIncomeCod->text().isEmpty())
        return false;
    mTThirtyFivePercent edited = record;
    dialog.Store(edited);
    if (Values(edited) == Values(record)) return false;
    Notify();
    record = edited;
    return true;
}

void TfrThirtyFivePercent::Remove(size_t index) {
    Decl().RemoveThirtyFivePercent(index);
}

void TfrThirtyFivePercent::ShowRecord(int index) {
    QLabel* const displays[] = {pnlIncomeCod, pnlItogIncomeSum, pnlSubtractCod, pnlSubtractSum,
                                pnlHoldSum};
    if (index < 0) {
        for (QLabel* display : displays) display->clear();
        return;
    }
    const mTThirtyFivePercent& r = Decl().ThirtyFivePercent(size_t(index));
    pnlIncomeCod->setText(CodeDisplay(r.IncomeCode));
    pnlItogIncomeSum->setText(GroupedAmount(MoneyText(r.IncomeTotal)));
    pnlSubtractCod->setText(CodeDisplay(r.DeductCode));
    pnlSubtractSum->setText(GroupedAmount(MoneyText(r.DeductSum)));
    pnlHoldSum->setText(GroupedAmount(MoneyText(r.TaxWithheld)));
}

}  // namespace zorv
