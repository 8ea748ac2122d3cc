#include "pages/thirtyfivedialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <functional>
#include <vector>

#include "model/income.h"
#include "pages/codelists.h"
#include "pages/recordpage.h"
#include "widgets/controlnames.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"
#include "widgets/thinkingframe.h"

namespace zorv {

namespace {

const char* const kSection = "Доходы, облагаемые по ставке 35%";
// The income list of this dialog: the codes taxed at 35 %.
constexpr std::string_view kRateFilter = "35";

QString AmountField(Money amount) {
    return amount.IsZero() ? QString() : MoneyText(amount);
}

QString CodeField(uint32_t code) {
    return code == 0 ? QString() : QString::number(code);
}

QPushButton* PickButton(QWidget* parent, const char* name, const QString& hint) {
    auto* button = Named(new QPushButton(QStringLiteral("..."), parent), name, hint);
    button->setToolTip(hint);
    button->setFixedWidth(32);
    return button;
}

// A code display with its "..." button.
QHBoxLayout* CodeRow(QLabel* display, QPushButton* button) {
    auto* row = new QHBoxLayout;
    row->addWidget(display);
    row->addWidget(button);
    row->addStretch(1);
    return row;
}

}  // namespace

TfmInput35SourseIncome::TfmInput35SourseIncome(QWidget* parent)
    : TRecordDialog(parent, "TfmInput35SourseIncome", QStringLiteral("Доход")),
      source(this, 120, 12),
      pnlIncomeCod(MakeDisplay(this, "pnlIncomeCod", QStringLiteral("Код дохода"))),
      bnIncomeCod(
          PickButton(this, "bnIncomeCod", QStringLiteral("Выбрать код дохода из справочника"))),
      meItogIncomeSum(Named(new TMaskedEdit(this, edtCurrency, 12, 2), "meItogIncomeSum")),
      lbSubtractCod(Named(new QLabel(QStringLiteral("Код вычета"), this), "lbSubtractCod")),
      pnlSubtractCod(MakeDisplay(this, "pnlSubtractCod", QStringLiteral("Код вычета"))),
      bnSubtractCod(
          PickButton(this, "bnSubtractCod", QStringLiteral("Выбрать код вычета из справочника"))),
      lbSubtractSum(Named(new QLabel(QStringLiteral("Сумма вычета"), this), "lbSubtractSum")),
      meSubtractSum(Named(new TMaskedEdit(this, edtCurrency, 12, 2), "meSubtractSum")),
      meHoldSum(Named(WholeRubles(new TMaskedEdit(this, edtDigital, 12)), "meHoldSum")) {
    const int width =
        meItogIncomeSum->fontMetrics().horizontalAdvance(QStringLiteral("000000000000,00")) + 16;
    for (TMaskedEdit* edit : {meItogIncomeSum, meSubtractSum, meHoldSum}) {
        edit->setFixedWidth(width);
        edit->setAlignment(Qt::AlignRight);
    }
    for (QLabel* display : {pnlIncomeCod, pnlSubtractCod}) display->setFixedWidth(64);
    // A hidden amount keeps its place, so the dialog does not jump.
    QSizePolicy policy = meSubtractSum->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    meSubtractSum->setSizePolicy(policy);
    meSubtractSum->setAccessibleName(QStringLiteral("Сумма вычета"));
    lbSubtractSum->setBuddy(meSubtractSum);

    connect(bnIncomeCod, &QPushButton::clicked, this, [this] { ChooseIncomeCode(); });
    connect(bnSubtractCod, &QPushButton::clicked, this, [this] { ChooseDeductionCode(); });
    connect(meItogIncomeSum, &TMaskedEdit::changed, this, [this] { OnIncomeChanged(); });
    connect(meSubtractSum, &TMaskedEdit::changed, this, [this] { OnDeductionChanged(); });

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
    source.AddTo(form);
    auto* lbIncomeCod = new QLabel(QStringLiteral("Код дохода"), this);
    lbIncomeCod->setBuddy(bnIncomeCod);
    form->addRow(lbIncomeCod, CodeRow(pnlIncomeCod, bnIncomeCod));
    AddFieldRow(form, QStringLiteral("Сумма дохода"), meItogIncomeSum);
    lbSubtractCod->setBuddy(bnSubtractCod);
    form->addRow(lbSubtractCod, CodeRow(pnlSubtractCod, bnSubtractCod));
    form->addRow(lbSubtractSum, meSubtractSum);
    AddFieldRow(form, QStringLiteral("Сумма удержанного налога"), meHoldSum);
    SetBody(form);
    setTabOrder(source.meSourseName, source.meINN);
    setTabOrder(source.meINN, source.meKPP);
    setTabOrder(source.meKPP, source.meOKATO);
    setTabOrder(source.meOKATO, bnIncomeCod);
    setTabOrder(bnIncomeCod, meItogIncomeSum);
    setTabOrder(meItogIncomeSum, bnSubtractCod);
    setTabOrder(bnSubtractCod, meSubtractSum);
    setTabOrder(meSubtractSum, meHoldSum);
    setTabOrder(meHoldSum, bnOk);
    setTabOrder(bnOk, bnCansel);

    // A new record: the amounts wait for a code.
    meItogIncomeSum->setEnabled(false);
    SetDeductionApplies(false);
    source.meSourseName->setFocus();
}

void TfmInput35SourseIncome::SetDeductionApplies(bool applies) {
    deductionApplies_ = applies;
    for (QWidget* w : std::initializer_list<QWidget*>{bnSubtractCod, lbSubtractCod, pnlSubtractCod,
                                                      lbSubtractSum})
        w->setEnabled(applies);
    meSubtractSum->setVisible(true);
    meSubtractSum->setEnabled(false);
}

void TfmInput35SourseIncome::ApplyRow(const DeductionRule& rule) {
    row_ = rule;
    row_.share = 0;
    meSubtractSum->setVisible(row_.visible);
    meSubtractSum->setEnabled(row_.enabled);
}

QString TfmInput35SourseIncome::AmountFollowingIncome() const {
    return QString::fromStdString(AmountOnChoice(row_, FromQ(meItogIncomeSum->text())));
}

void TfmInput35SourseIncome::Load(const mTThirtyFivePercent& record) {
    loading_ = true;
    pnlIncomeCod->setText(CodeField(record.IncomeCode));
    const IncomeCode* income = record.IncomeCode ? FindIncomeCode(record.IncomeCode) : nullptr;
    if (record.IncomeCode == 0) {
        meItogIncomeSum->clear();
        meItogIncomeSum->setEnabled(false);
        SetDeductionApplies(false);
    } else {
        meItogIncomeSum->setEnabled(true);
        meItogIncomeSum->setText(AmountField(record.IncomeTotal));
        SetDeductionApplies(income && income->HasDeductions());
        pnlSubtractCod->clear();
        meSubtractSum->clear();
    }
    if (income && income->HasDeductions()) {
        pnlSubtractCod->setText(QString::number(record.DeductCode));
        meSubtractSum->setText(AmountField(record.DeductSum));
        if (const DeductionRow* row = FindDeduction(*income, record.DeductCode)) {
            ApplyRow(row->rule);
            if (row_.equivalent) meSubtractSum->setText(AmountFollowingIncome());
        } else {
            pnlSubtractCod->clear();
            meSubtractSum->clear();
        }
    }
    source.Load(record);
    meHoldSum->setText(AmountField(record.TaxWithheld));
    loading_ = false;
}

void TfmInput35SourseIncome::Store(mTThirtyFivePercent& record) const {
    source.Store(record);
    record.IncomeCode = NumberFromField(pnlIncomeCod->text());
    record.DeductCode = NumberFromField(pnlSubtractCod->text());
    record.IncomeTotal = MoneyFromField(meItogIncomeSum->text());
    record.DeductSum = MoneyFromField(meSubtractSum->text());
    record.TaxWithheld = MoneyFromField(meHoldSum->text());
}

void TfmInput35SourseIncome::ChooseIncomeCode() {
    const std::optional<IncomeChoice> choice =
        PickIncomeCode(this, kRateFilter, pnlIncomeCod->text());
    if (!choice || CodeText(choice->code) == pnlIncomeCod->text()) return;
    pnlIncomeCod->setText(CodeText(choice->code));
    meItogIncomeSum->setEnabled(true);
    pnlSubtractCod->clear();
    meSubtractSum->clear();
    row_ = {};
    SetDeductionApplies(choice->hasDeductions);
    meItogIncomeSum->setFocus();
}

void TfmInput35SourseIncome::ChooseDeductionCode() {
    const DeductionRow* row =
        PickDeductionCode(this, pnlIncomeCod->text(), true, pnlSubtractCod->text());
    if (!row || CodeText(row->code) == pnlSubtractCod->text()) return;
    pnlSubtractCod->setText(CodeText(row->code));
    meSubtractSum->clear();
    ApplyRow(row->rule);
    if (row_.equivalent) meSubtractSum->setText(AmountFollowingIncome());
    if (meSubtractSum->isVisible() && meSubtractSum->isEnabled()) meSubtractSum->setFocus();
}

void TfmInput35SourseIncome::OnIncomeChanged() {
    if (loading_ || !deductionApplies_) return;
    const std::optional<Money> income = ParseUserAmount(FromQ(meItogIncomeSum->text()));
    const Money amount = CapAmount(row_, row_.equivalent ? income.value_or(Money()) : Money());
    meSubtractSum->setText(MoneyText(amount));
}

void TfmInput35SourseIncome::OnDeductionChanged() {
    if (loading_ || !row_.enabled || row_.maxSum.IsZero() || meSubtractSum->text().isEmpty())
        return;
    const Money typed = MoneyFromField(meSubtractSum->text());
    if (typed > row_.maxSum) meSubtractSum->setText(MoneyText(row_.maxSum));
}

bool TfmInput35SourseIncome::IncomeChecked() {
    const bool noCode = pnlIncomeCod->text().isEmpty();
    const bool noIncome = meItogIncomeSum->text().isEmpty();
    const Money income = MoneyFromField(meItogIncomeSum->text());
    // A list to choose from opens at once, its button focused.
    const auto openList = [](QPushButton* button) {
        return [button] {
            button->setFocus();
            button->click();
        };
    };
    const auto focusIncome = [this, noCode, openList] {
        if (noCode)
            openList(bnIncomeCod)();
        else
            meItogIncomeSum->setFocus();
    };
    struct Rule {
        CheckQuestion question;
        std::function<void()> correct;
    };
    std::vector<Rule> rules;
    const auto add = [&](const char* message, bool canSkip, std::function<void()> correct) {
        rules.push_back({{kSection, message, canSkip, false}, std::move(correct)});
    };
    if (noCode) add("Не выбран доход", false, openList(bnIncomeCod));
    if (noIncome) add("Не указана сумма дохода", false, focusIncome);
    if (deductionApplies_ && pnlSubtractCod->text().isEmpty())
        add("Не выбран вычет", true, openList(bnSubtractCod));
    if (row_.enabled && !meSubtractSum->text().isEmpty() &&
        (noIncome || MoneyFromField(meSubtractSum->text()) > income)) {
        add("Сумма вычета превышает сумму дохода", false, [this, noIncome, focusIncome] {
            if (noIncome)
                focusIncome();
            else
                meSubtractSum->setFocus();
        });
    }
    if (!meHoldSum->text().isEmpty() && (noIncome || MoneyFromField(meHoldSum->text()) > income)) {
        add("Удержанная сумма превышает сумму дохода", true, [this, noIncome, focusIncome] {
            if (noIncome)
                focusIncome();
            else
                meHoldSum->setFocus();
        });
    }
    std::vector<CheckQuestion> questions;
    for (const Rule& rule : rules) questions.push_back(rule.question);
    const std::optional<size_t> corrected = AskInTurn(WindowPrompter(this), questions);
    if (!corrected) return true;
    rules[*corrected].correct();
    return false;
}

bool TfmInput35SourseIncome::Acceptable() {
    return source.Check(this, kSection, false) && IncomeChecked();
}

}  // namespace zorv
