#include "pages/nalogpage.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "pages/entrykit.h"
#include "pages/nalogdialog.h"
#include "widgets/controlnames.h"
#include "widgets/shelltext.h"

namespace zorv {

TfrNalog::TfrNalog(TShellContext& ctx, QWidget* parent) : TRecordListPage(ctx, parent, "frNalog") {
    QWidget* list = BuildList(
        {QStringLiteral("Сумма"), QStringLiteral("КБК"), QStringLiteral("Примечание")}, {0});
    List()->header()->resizeSection(
        1, List()->fontMetrics().horizontalAdvance(QStringLiteral("00000000000000000000")) + 24);
    auto* note = Named(new QLabel(QStringLiteral("Суммы налога, уплаченные на основании налоговых "
                                                 "уведомлений."),
                                  this),
                       "lbNote");
    note->setWordWrap(true);
    note->setFrameShape(QFrame::StyledPanel);
    note->setMargin(6);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addWidget(note);
    FillList();
    // The page opens on the first payment.
    if (List()->topLevelItemCount() > 0) {
        SelectRow(List(), 0);
        List()->setFocus();
    }
}

size_t TfrNalog::RecordCount() const {
    return ctx_.Decl().NalogCount();
}

QStringList TfrNalog::RowTexts(size_t index) const {
    const mTNalog& payment = ctx_.Decl().Nalog(index);
    return {MoneyText(payment.Amount), ToQ(payment.BudgetCode), ToQ(payment.BudgetCodeName)};
}

QString TfrNalog::RecordsWhat() const {
    return QStringLiteral("платежей");
}

bool TfrNalog::RunAdd() {
    TfmInputNalog dialog(this);
    if (!RunModal(dialog) || dialog.Amount().IsZero()) return false;
    Notify();
    mTNalog& payment = Decl().Nalog(Decl().AddNalog());
    payment.BudgetCode = dialog.BudgetCode();
    payment.BudgetCodeName = dialog.BudgetCodeName();
    payment.Amount = dialog.Amount();
    return true;
}

bool TfrNalog::RunEdit(size_t index) {
    mTNalog& payment = Decl().Nalog(index);
    TfmInputNalog dialog(this);
    dialog.SelectEntry(ToQ(payment.BudgetCode + "  | " + payment.BudgetCodeName));
    dialog.SetAmount(payment.Amount);
    if (!RunModal(dialog) || dialog.Amount().IsZero()) return false;
    const std::string code = dialog.BudgetCode();
    const std::string name = dialog.BudgetCodeName();
    const Money amount = dialog.Amount();
    // Only a real change marks the document modified.
    if (code == payment.BudgetCode && name == payment.BudgetCodeName && amount == payment.Amount)
        return false;
    Notify();
    payment.BudgetCode = code;
    payment.BudgetCodeName = name;
    payment.Amount = amount;
    return true;
}

void TfrNalog::Remove(size_t index) {
    Decl().RemoveNalog(index);
}

}  // namespace zorv
