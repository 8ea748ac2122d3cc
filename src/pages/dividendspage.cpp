#include "pages/dividendspage.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>
#include <tuple>

#include "pages/dividendsdialog.h"
#include "pages/entrykit.h"
#include "widgets/controlnames.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

// Every dividend record carries the one income code of dividends.
constexpr uint32_t kDividendsCode = 1010;

auto Values(const mTThirtyPercent& r) {
    return std::tie(r.SourceName, r.INN, r.KPP, r.OKATO, r.IncomeTotal, r.TaxableIncome,
                    r.TaxComputed, r.TaxWithheld);
}

}  // namespace

TfrThirtyPercent::TfrThirtyPercent(TShellContext& ctx, QWidget* parent)
    : TRecordListPage(ctx, parent, "frThirtyPercent") {
    QWidget* list = BuildList({QStringLiteral("Источники выплат")});
    auto* summary =
        Named(new QGroupBox(QStringLiteral("Сведения об источнике выплаты"), this), "gbSummary");
    pnlItogIncomeSum = MakeDisplay(summary, "pnlItogIncomeSum", QStringLiteral("Сумма дивидендов"));
    pnlHoldSum = MakeDisplay(summary, "pnlHoldSum", QStringLiteral("Удержанный налог"));
    auto* form = new QFormLayout(summary);
    form->addRow(QStringLiteral("Сумма дивидендов"), pnlItogIncomeSum);
    form->addRow(QStringLiteral("Удержанный налог"), pnlHoldSum);
    for (QLabel* display : {pnlItogIncomeSum, pnlHoldSum}) {
        display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        display->setFixedWidth(
            display->fontMetrics().horizontalAdvance(QStringLiteral("000 000 000 000,00")) + 16);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addWidget(summary);
    FillList();
}

size_t TfrThirtyPercent::RecordCount() const {
    return ctx_.Decl().ThirtyPercentCount();
}

QStringList TfrThirtyPercent::RowTexts(size_t index) const {
    return {ToQ(ctx_.Decl().ThirtyPercent(index).SourceName)};
}

QString TfrThirtyPercent::RecordsWhat() const {
    return QStringLiteral("источников выплаты дивидендов");
}

bool TfrThirtyPercent::RunAdd() {
    TfmInput30SourseIncome dialog(this);
    if (!RunModal(dialog) || dialog.source.meSourseName->text().trimmed().isEmpty()) return false;
    Notify();
    mTThirtyPercent& record = Decl().ThirtyPercent(Decl().AddThirtyPercent());
    dialog.Store(record);
    record.IncomeCode = kDividendsCode;
    return true;
}

bool TfrThirtyPercent::RunEdit(size_t index) {
    TfmInput30SourseIncome dialog(this);
    mTThirtyPercent& record = Decl().ThirtyPercent(index);
    dialog.Load(record);
    if (!RunModal(dialog) || dialog.source.meSourseName->text().trimmed().isEmpty()) return false;
    mTThirtyPercent edited = record;
    dialog.Store(edited);
    if (Values(edited) == Values(record)) return false;
    Notify();
    record = edited;
    return true;
}

void TfrThirtyPercent::Remove(size_t index) {
    Decl().RemoveThirtyPercent(index);
}

void TfrThirtyPercent::ShowRecord(int index) {
    if (index < 0) {
        pnlItogIncomeSum->clear();
        pnlHoldSum->clear();
        return;
    }
    const mTThirtyPercent& record = Decl().ThirtyPercent(size_t(index));
    pnlItogIncomeSum->setText(GroupedAmount(MoneyText(record.IncomeTotal)));
    pnlHoldSum->setText(GroupedAmount(MoneyText(record.TaxWithheld)));
}

}  // namespace zorv
