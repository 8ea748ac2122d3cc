#include "pages/thirteenpercent.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "check/checkrules.h"
#include "pages/entrykit.h"
#include "pages/thirteendialogs.h"
#include "storage/errors.h"
#include "widgets/controlnames.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

struct TAppendixField {
    const char* name;
    const char* caption;
    AppendixCounter counter;
};

// The supporting-document counters of the sheets, kept on the page unseen.
constexpr TAppendixField kAppendixFields[] = {
    {"meAppG", "Д:", AppendixCounter::D}, {"meAppJ", "Ж:", AppendixCounter::J},
    {"meAppD", "Е:", AppendixCounter::E}, {"meAppK", "З:", AppendixCounter::Z},
    {"meAppL", "И:", AppendixCounter::I}, {"meAppM", "Г:", AppendixCounter::G},
};

QString AmountOrDash(Money amount) {
    return amount == Money() ? QStringLiteral("-") : MoneyText(amount);
}

QToolButton* ButtonColumn(QVBoxLayout* column, QToolButton* button) {
    column->addWidget(button);
    return button;
}

}  // namespace

QStringList IncomeRowTexts(const mTSourseIncome& line) {
    return {QString::number(line.Month), QString::number(line.IncomeCode),
            AmountOrDash(line.IncomeSum),
            line.DeductCode == 0 ? QStringLiteral("Нет") : QString::number(line.DeductCode),
            AmountOrDash(line.DeductSum)};
}

TfrThirteenPercent::TfrThirteenPercent(TShellContext& ctx, QWidget* parent)
    : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frThirteenPercent"));
    loading_ = true;
    TLoadingScope loadingScope(ctx_);

    // The payers.
    splitter1 = Named(new QSplitter(Qt::Vertical, this), "splitter1");
    splitter1->setChildrenCollapsible(false);
    auto* payerPanel = Named(new QWidget(splitter1), "pnlSourseIncome");
    lvSourseIncomeInfo =
        MakeRecordList(payerPanel, "lvSourseIncomeInfo", QStringLiteral("Список источников выплат"),
                       {QStringLiteral("Источники выплат")});
    auto* payerButtons = new QVBoxLayout;
    fbAddSourseIncome = ButtonColumn(
        payerButtons, MakeCommandButton(payerPanel, "fbAddSourseIncome", TCommandGlyph::Add,
                                        QStringLiteral("Добавить источник выплат")));
    fbDeleteSourseIncome = ButtonColumn(
        payerButtons, MakeCommandButton(payerPanel, "fbDeleteSourseIncome", TCommandGlyph::Remove,
                                        QStringLiteral("Удалить источник выплат")));
    fbEditSourseIncome = ButtonColumn(
        payerButtons, MakeCommandButton(payerPanel, "fbEditSourseIncome", TCommandGlyph::Edit,
                                        QStringLiteral("Редактировать источник выплат")));
    payerButtons->addStretch(1);
    auto* payerLayout = new QHBoxLayout(payerPanel);
    payerLayout->setContentsMargins(4, 4, 4, 4);
    payerLayout->addWidget(lvSourseIncomeInfo, 1);
    payerLayout->addLayout(payerButtons);
    payerPanel->setMinimumHeight(120);

    // The lines of the payer selected.
    auto* linePanel = Named(new QWidget(splitter1), "pnlIncome");
    lvIncome = MakeRecordList(
        linePanel, "lvIncome",
        QStringLiteral("Список доходов по выбранному источнику выплат (п. 3.1 справки о доходах)"),
        {QStringLiteral("Месяц дохода"), QStringLiteral("Код дохода"),
         QStringLiteral("Сумма дохода"), QStringLiteral("Код вычета"),
         QStringLiteral("Сумма вычета")},
        {2, 4});
    // The amounts stay beside their codes on a wide page.
    lvIncome->header()->setStretchLastSection(false);
    auto* lineButtons = new QVBoxLayout;
    fbAddIncome =
        ButtonColumn(lineButtons, MakeCommandButton(linePanel, "fbAddIncome", TCommandGlyph::Add,
                                                    QStringLiteral("Добавить доход")));
    fbRemoveIncome = ButtonColumn(
        lineButtons, MakeCommandButton(linePanel, "fbRemoveIncome", TCommandGlyph::Remove,
                                       QStringLiteral("Удалить доход")));
    fbEditIncome =
        ButtonColumn(lineButtons, MakeCommandButton(linePanel, "fbEditIncome", TCommandGlyph::Edit,
                                                    QStringLiteral("Редактировать доход")));
    fbCopy = ButtonColumn(lineButtons, MakeCommandButton(linePanel, "fbCopy", TCommandGlyph::Repeat,
                                                         QStringLiteral("Повторить доход")));
    lineButtons->addStretch(1);
    auto* lineList = new QHBoxLayout;
    lineList->addWidget(lvIncome, 1);
    lineList->addLayout(lineButtons);

    // The payer's totals.
    gbResult = Named(new QGroupBox(QStringLiteral("Итоговые суммы по источнику выплат"), linePanel),
                     "gbResult");
    pnlItogIncomeSum =
        Named(new QLabel(gbResult), "pnlItogIncomeSum", QStringLiteral("Общая сумма дохода"));
    pnlItogIncomeSum->setFrameShape(QFrame::StyledPanel);
    pnlItogIncomeSum->setFrameShadow(QFrame::Sunken);
    pnlItogIncomeSum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    meHoldSum = Named(WholeRubles(new TMaskedEdit(gbResult, edtDigital, 12)), "meHoldSum",
                      QStringLiteral("Сумма налога удержанная"));
    meObl = Named(new TMaskedEdit(gbResult, edtCurrency, 12, 2), "meObl",
                  QStringLiteral("Облагаемая сумма дохода"));
    meTaxIsch = Named(WholeRubles(new TMaskedEdit(gbResult, edtDigital, 12)), "meTaxIsch",
                      QStringLiteral("Сумма налога исчисленная"));
    // Wide enough for the 12 digits the fields take.
    const QFontMetrics metrics = meObl->fontMetrics();
    const int amountWidth = metrics.horizontalAdvance(QStringLiteral("000000000000,00")) + 12;
    const int wholeWidth = metrics.horizontalAdvance(QStringLiteral("000000000000")) + 12;
    pnlItogIncomeSum->setMinimumWidth(amountWidth);
    meObl->setMinimumWidth(amountWidth);
    meHoldSum->setMinimumWidth(wholeWidth);
    meTaxIsch->setMinimumWidth(wholeWidth);
    for (TMaskedEdit* field : {meHoldSum, meObl, meTaxIsch}) field->setAlignment(Qt::AlignRight);
    auto* totals = new QGridLayout(gbResult);
    auto label = [this](const QString& caption, QWidget* buddy) {
        auto* l = new QLabel(caption, gbResult);
        l->setBuddy(buddy);
        return l;
    };
    totals->addWidget(label(QStringLiteral("Общая сумма дохода"), pnlItogIncomeSum), 0, 0);
    totals->addWidget(pnlItogIncomeSum, 0, 1);
    totals->addWidget(label(QStringLiteral("Сумма налога &удержанная"), meHoldSum), 0, 3);
    totals->addWidget(meHoldSum, 0, 4);
    totals->addWidget(label(QStringLiteral("&Облагаемая сумма дохода"), meObl), 1, 0);
    totals->addWidget(meObl, 1, 1);
    totals->addWidget(label(QStringLiteral("Сумма налога &исчисленная"), meTaxIsch), 1, 3);
    totals->addWidget(meTaxIsch, 1, 4);
    totals->setColumnMinimumWidth(2, 8);
    totals->setColumnStretch(5, 1);

    // The counters of supporting documents: never shown, they hold the
    // declaration's values.
    gbAppendixes = Named(new QGroupBox(QStringLiteral("Листы"), linePanel), "gbAppendixes");
    auto* appendixLayout = new QHBoxLayout(gbAppendixes);
    for (size_t i = 0; i < std::size(kAppendixFields); ++i) {
        auto* edit = Named(new TMaskedEdit(gbAppendixes, edtDigital, 4), kAppendixFields[i].name,
                           QString::fromUtf8(kAppendixFields[i].caption));
        appendixLayout->addWidget(new QLabel(QString::fromUtf8(kAppendixFields[i].caption)));
        appendixLayout->addWidget(edit);
        appendixes_[i].edit = edit;
    }
    appendixLayout->addWidget(new QLabel(QStringLiteral("подтвержд. документов"), gbAppendixes));
    gbAppendixes->hide();

    auto* lineLayout = new QVBoxLayout(linePanel);
    lineLayout->setContentsMargins(4, 4, 4, 4);
    lineLayout->addLayout(lineList, 1);
    lineLayout->addWidget(gbResult);
    lineLayout->addWidget(gbAppendixes);
    linePanel->setMinimumHeight(200);
    splitter1->setStretchFactor(0, 2);
    splitter1->setStretchFactor(1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter1);

    connect(fbAddSourseIncome, &QToolButton::clicked, this, &TfrThirteenPercent::AddPayer);
    connect(fbDeleteSourseIncome, &QToolButton::clicked, this, &TfrThirteenPercent::DeletePayer);
    connect(fbEditSourseIncome, &QToolButton::clicked, this, &TfrThirteenPercent::EditPayer);
    connect(fbAddIncome, &QToolButton::clicked, this, &TfrThirteenPercent::AddLine);
    connect(fbRemoveIncome, &QToolButton::clicked, this, &TfrThirteenPercent::DeleteLine);
    connect(fbEditIncome, &QToolButton::clicked, this, &TfrThirteenPercent::EditLine);
    connect(fbCopy, &QToolButton::clicked, this, &TfrThirteenPercent::RepeatLine);
    BindListKeys(
        lvSourseIncomeInfo, [this] { AddPayer(); }, [this] { DeletePayer(); },
        [this] { EditPayer(); });
    BindListKeys(
        lvIncome, [this] { AddLine(); }, [this] { DeleteLine(); }, [this] { EditLine(); });
    connect(lvSourseIncomeInfo, &QTreeWidget::itemSelectionChanged, this,
            &TfrThirteenPercent::OnPayerSelection);
    connect(lvIncome, &QTreeWidget::itemSelectionChanged, this,
            &TfrThirteenPercent::OnLineSelection);
    WatchFields();
    SetTabOrder({lvSourseIncomeInfo, fbAddSourseIncome, fbDeleteSourseIncome, fbEditSourseIncome,
                 lvIncome, fbAddIncome, fbRemoveIncome, fbEditIncome, fbCopy, meHoldSum, meObl,
                 meTaxIsch});

    // Fill from the declaration; no payer is selected yet.
    for (size_t i = 0; i < Decl().ThirteenPercentCount(); ++i)
        AppendRow(lvSourseIncomeInfo, {ToQ(Decl().ThirteenPercent(i).SourceName)});
    for (size_t i = 0; i < std::size(kAppendixFields); ++i) {
        appendixes_[i].edit->setText(
            QString::number(Decl().AppendixCount(kAppendixFields[i].counter)));
        appendixes_[i].shown = appendixes_[i].edit->text();
    }
    ClearTotals();
    EnableLineControls(false);
    loading_ = false;
}

TfrThirteenPercent::~TfrThirteenPercent() {
    destroying_ = true;
}

bool TfrThirteenPercent::NonResident() const {
    return ctx_.Decl().DeclarationKind == kNonResident3NDFL;
}

void TfrThirteenPercent::EnableLineControls(bool enabled) {
    for (QWidget* control :
         {static_cast<QWidget*>(lvIncome), static_cast<QWidget*>(fbAddIncome),
          static_cast<QWidget*>(fbRemoveIncome), static_cast<QWidget*>(fbEditIncome),
          static_cast<QWidget*>(fbCopy), static_cast<QWidget*>(gbResult)})
        control->setEnabled(enabled);
}

void TfrThirteenPercent::ClearTotals() {
    pnlItogIncomeSum->clear();
    for (TShownValue* value : {&holdSum_, &obl_, &taxIsch_}) value->shown.clear();
    holdSum_.edit = meHoldSum;
    obl_.edit = meObl;
    taxIsch_.edit = meTaxIsch;
    meHoldSum->clear();
    meObl->clear();
    meTaxIsch->clear();
}

void TfrThirteenPercent::ShowIncomeTotal() {
    if (payer_ < 0) return;
    pnlItogIncomeSum->setText(
        GroupedAmount(MoneyText(Decl().ThirteenPercent(size_t(payer_)).IncomeTotal)));
}

void TfrThirteenPercent::ShowPayer(int index) {
    const mTThirteenPercent& payer = Decl().ThirteenPercent(size_t(index));
    lvIncome->clear();
    for (size_t i = 0; i < payer.IncomeCount(); ++i)
        AppendRow(lvIncome, IncomeRowTexts(payer.Income(i)));
    line_ = -1;
    SelectRow(lvIncome, payer.IncomeCount() > 0 ? 0 : -1);
    line_ = SelectedRow(lvIncome);
    pnlItogIncomeSum->setText(GroupedAmount(MoneyText(payer.IncomeTotal)));
    // A value the field does not take leaves it empty, not showing the
    // previous payer's.
    auto show = [](TShownValue& value, Money amount) {
        value.edit->clear();
        value.edit->setText(MoneyText(amount));
        value.shown = value.edit->text();
    };
    show(holdSum_, payer.TaxWithheld);
    show(obl_, payer.TaxableIncome);
    show(taxIsch_, payer.TaxComputed);
}

void TfrThirteenPercent::StoreTotals(int index) {
    if (index < 0 || size_t(index) >= Decl().ThirteenPercentCount()) return;
    mTThirteenPercent& payer = Decl().ThirteenPercent(size_t(index));
    // A field the user left alone keeps the stored value, even one that it
    // could not show.
    auto store = [](const TShownValue& value, Money& target) {
        if (value.edit->text() != value.shown) target = MoneyFromField(value.edit->text());
    };
    store(holdSum_, payer.TaxWithheld);
    store(obl_, payer.TaxableIncome);
    store(taxIsch_, payer.TaxComputed);
}

void TfrThirteenPercent::OnPayerSelection() {
    if (loading_ || deletingPayer_ || destroying_) return;
    const int selected = SelectedRow(lvSourseIncomeInfo);
    if (selected == payer_) return;
    TLoadingScope loadingScope(ctx_);
    if (payer_ >= 0) StoreTotals(payer_);
    payer_ = selected;
    if (payer_ < 0) {
        lvIncome->clear();
        line_ = -1;
        ClearTotals();
        EnableLineControls(false);
        return;
    }
    EnableLineControls(true);
    ShowPayer(payer_);
}

void TfrThirteenPercent::OnLineSelection() {
    if (loading_ || deletingLine_ || destroying_) return;
    line_ = SelectedRow(lvIncome);
}

void TfrThirteenPercent::AddPayer() {
    if (!RoomForOneMore(this, Decl().ThirteenPercentCount(), QStringLiteral("источников выплат")))
        return;
    TfmInput13SourseIncome dialog(this, NonResident());
    if (!RunModal(dialog) || dialog.SourceName().trimmed().isEmpty()) return;
    Notify();
    const size_t index = Decl().AddThirteenPercent();
    dialog.Save(Decl().ThirteenPercent(index));
    AppendRow(lvSourseIncomeInfo, {dialog.SourceName()});
    SelectRow(lvSourseIncomeInfo, int(index));
    EnableLineControls(true);
}

void TfrThirteenPercent::EditPayer() {
    if (payer_ < 0 || SelectedRow(lvSourseIncomeInfo) != payer_) return;
    mTThirteenPercent& payer = Decl().ThirteenPercent(size_t(payer_));
    TfmInput13SourseIncome dialog(this, NonResident());
    dialog.Load(payer);
    if (!RunModal(dialog) || dialog.SourceName().trimmed().isEmpty()) return;
    Notify();
    dialog.Save(payer);
    lvSourseIncomeInfo->topLevelItem(payer_)->setText(0, dialog.SourceName());
    SelectRow(lvSourseIncomeInfo, payer_);
}

void TfrThirteenPercent::DeletePayer() {
    if (payer_ < 0) return;
    const int removed = payer_;
    deletingPayer_ = true;
    Notify();
    Decl().RemoveThirteenPercent(size_t(removed));
    lvIncome->clear();
    line_ = -1;
    delete lvSourseIncomeInfo->takeTopLevelItem(removed);
    deletingPayer_ = false;
    // The totals on show were the removed payer's: nothing of them is stored.
    payer_ = -1;
    {
        TLoadingScope loadingScope(ctx_);
        ClearTotals();
    }
    EnableLineControls(false);
    lvSourseIncomeInfo->clearSelection();
    SelectRow(lvSourseIncomeInfo,
              RowAfterRemoval(removed, lvSourseIncomeInfo->topLevelItemCount()));
}

template <typename Change>
bool TfrThirteenPercent::ChangeLines(Change change) {
    try {
        change(Decl().ThirteenPercent(size_t(payer_)));
        return true;
    } catch (const mEPrivBase& e) {
        ShowError(this, UserMessage(e.what()));
        return false;
    }
}

void TfrThirteenPercent::AddLine() {
    if (payer_ < 0) return;
    if (!RoomForOneMore(this, Decl().ThirteenPercent(size_t(payer_)).IncomeCount(),
                        QStringLiteral("доходов по одному источнику выплат")))
        return;
    TfmInput13Income dialog(this, NonResident());
    if (!RunModal(dialog)) return;
    const mTSourseIncome line = dialog.Line();
    if (line.IncomeCode == 0) return;
    size_t index = 0;
    if (!ChangeLines([&](mTThirteenPercent& payer) { index = payer.AddIncome(line); })) return;
    Notify();
    AppendRow(lvIncome, IncomeRowTexts(line));
    ShowIncomeTotal();
    SelectRow(lvIncome, int(index));
}

void TfrThirteenPercent::EditLine() {
    if (payer_ < 0 || line_ < 0) return;
    const int index = line_;
    TfmInput13Income dialog(this, NonResident());
    dialog.Load(Decl().ThirteenPercent(size_t(payer_)).Income(size_t(index)));
    if (!RunModal(dialog)) return;
    const mTSourseIncome line = dialog.Line();
    if (!ChangeLines([&](mTThirteenPercent& payer) { payer.SetIncome(size_t(index), line); }))
        return;
    Notify();
    SetRowTexts(lvIncome->topLevelItem(index), IncomeRowTexts(line));
    ShowIncomeTotal();
    SelectRow(lvIncome, index);
}

void TfrThirteenPercent::RepeatLine() {
    if (payer_ < 0 || line_ < 0) return;
    const mTThirteenPercent& payer = Decl().ThirteenPercent(size_t(payer_));
    if (!RoomForOneMore(this, payer.IncomeCount(),
                        QStringLiteral("доходов по одному источнику выплат")))
        return;
    mTSourseIncome line = payer.Income(size_t(line_));
    line.Month = uint16_t(std::min(line.Month + 1, 12));
    size_t index = 0;
    if (!ChangeLines([&](mTThirteenPercent& p) { index = p.AddIncome(line); })) return;
    Notify();
    AppendRow(lvIncome, IncomeRowTexts(line));
    ShowIncomeTotal();
    SelectRow(lvIncome, int(index));
}

void TfrThirteenPercent::DeleteLine() {
    if (payer_ < 0 || line_ < 0) return;
    const int removed = line_;
    if (!ChangeLines([&](mTThirteenPercent& payer) { payer.SetIncome(size_t(removed), {}); }))
        return;
    deletingLine_ = true;
    Notify();
    line_ = -1;
    delete lvIncome->takeTopLevelItem(removed);
    deletingLine_ = false;
    lvIncome->clearSelection();
    SelectRow(lvIncome, RowAfterRemoval(removed, lvIncome->topLevelItemCount()));
    line_ = SelectedRow(lvIncome);
    ShowIncomeTotal();
}

void TfrThirteenPercent::StoreToModel() {
    StoreTotals(payer_);
    for (size_t i = 0; i < std::size(kAppendixFields); ++i) {
        const TShownValue& value = appendixes_[i];
        if (value.edit->text() == value.shown) continue;
        Decl().SetAppendixCount(kAppendixFields[i].counter, NumberFromField(value.edit->text()));
    }
}

int TfrThirteenPercent::Validate() {
    const PageRules& table = RulesOf(kPageIncome13);
    const CheckPrompter ask = WindowPrompter(this);
    for (size_t i = 0; i < Decl().ThirteenPercentCount(); ++i) {
        for (const CheckRule& rule : table.rules) {
            if (rule.use == RuleUse::DeclarationOnly) continue;
            const Verdict verdict = rule.test(Decl(), i);
            if (!verdict) continue;
            // Whatever the answer, the check ends with this window.
            const CheckAnswer answer = AskCheck(ask, {rule.section, *verdict, rule.buttons.canSkip,
                                                      rule.buttons.canSkipAll, false});
            return answer == CheckAnswer::Correct ? RuleFocus(rule, i) : 0;
        }
    }
    return 0;
}

void TfrThirteenPercent::FocusError(int code) {
    if (lvSourseIncomeInfo->topLevelItemCount() == 0) return;
    lvSourseIncomeInfo->setFocus();
    if (code >= 1 && code <= lvSourseIncomeInfo->topLevelItemCount())
        SelectRow(lvSourseIncomeInfo, code - 1);
}

}  // namespace zorv
