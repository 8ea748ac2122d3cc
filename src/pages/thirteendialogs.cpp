#include "pages/thirteendialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "check/taxnumbers.h"
#include "pages/codelists.h"
#include "pages/entrykit.h"
#include "widgets/controlnames.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"
#include "widgets/thinkingframe.h"

namespace zorv {

namespace {

// The income codes against which a non-resident may claim a deduction.
constexpr std::array<uint32_t, 20> kNonResidentDeductible = {
    2761, 2762, 2760, 2720, 2730, 2770, 2790, 2740, 1530, 1531,
    1532, 1533, 1534, 1536, 9530, 9531, 9532, 9533, 9534, 9536};

// Securities and trust income whose expenses may exceed the income: the loss
// is carried on sheet З.
bool MayExceedIncome(uint32_t incomeCode, uint32_t deductCode) {
    const bool securities = (incomeCode >= 1530 && incomeCode <= 1534) || incomeCode == 1536 ||
                            (incomeCode >= 9530 && incomeCode <= 9534) || incomeCode == 9536;
    return securities && deductCode >= 305 && deductCode <= 309;
}

// A field with its label in front: the label names the field for a screen
// reader and takes Alt with its underlined letter to it.
QLabel* LabelFor(QWidget* field, const QString& caption) {
    auto* label = new QLabel(caption, field->parentWidget());
    label->setBuddy(field);
    field->setAccessibleName(QString(caption).remove(QLatin1Char('&')).trimmed());
    return label;
}

QLabel* CodePanel(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* panel = Named(new QLabel(parent), name, accessibleName);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumWidth(panel->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    panel->setAlignment(Qt::AlignCenter);
    panel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    return panel;
}

QPushButton* PickButton(QWidget* parent, const char* name, const QString& what) {
    auto* button = Named(new QPushButton(QStringLiteral("..."), parent), name,
                         QStringLiteral("Выбрать код из справочника: ") + what);
    button->setToolTip(QStringLiteral("Выбрать код из справочника"));
    button->setAutoDefault(false);
    button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("...")) + 20);
    return button;
}

QLabel* NameLabel(QWidget* parent, const char* name) {
    auto* label = Named(new QLabel(parent), name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Room for the longest names, which take three lines.
    label->setMinimumWidth(320);
    label->setMinimumHeight(label->fontMetrics().lineSpacing() * 3 + 4);
    label->setForegroundRole(QPalette::PlaceholderText);
    return label;
}

QHBoxLayout* YesNo(QPushButton*& yes, const char* yesName, QPushButton*& no, QWidget* parent) {
    yes = Named(new QPushButton(QStringLiteral("Да"), parent), yesName);
    no = Named(new QPushButton(QStringLiteral("Нет"), parent), "bnCansel");
    yes->setDefault(true);
    no->setAutoDefault(false);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(yes);
    row->addWidget(no);
    return row;
}

// The amount text of a field, shown empty for 0.
QString AmountOrEmpty(Money amount) {
    return amount == Money() ? QString() : MoneyText(amount);
}

}  // namespace

bool NonResidentDeductible(uint32_t incomeCode) {
    return std::find(kNonResidentDeductible.begin(), kNonResidentDeductible.end(), incomeCode) !=
           kNonResidentDeductible.end();
}

// ---- the payer ----

TfmInput13SourseIncome::TfmInput13SourseIncome(QWidget* parent, bool nonResident)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TfmInput13SourseIncome"));
    setWindowTitle(QStringLiteral("Источник выплаты"));
    meSourseName = Named(new TMaskedEdit(this, edtNone, 140), "meSourseName");
    meINN = Named(new TMaskedEdit(this, edtDigital, 12), "meINN");
    meKPP = Named(new TMaskedEdit(this, edtDigital, 9), "meKPP");
    meOKATO = Named(new TMaskedEdit(this, edtDigital, 11), "meOKATO");
    chbPrimaryWorkplase = Named(
        new QCheckBox(QStringLiteral("Расчет стандартных вычетов вести по этому источнику"), this),
        "chbPrimaryWorkplase");
    chbPrimaryWorkplase->setVisible(!nonResident);
    const int digitWidth = meINN->fontMetrics().horizontalAdvance(QStringLiteral("0")) + 1;
    meINN->setMinimumWidth(digitWidth * 12 + 16);
    meKPP->setMinimumWidth(digitWidth * 9 + 16);
    meOKATO->setMinimumWidth(digitWidth * 11 + 16);
    meSourseName->setMinimumWidth(420);

    auto* grid = new QGridLayout;
    grid->addWidget(LabelFor(meSourseName, QStringLiteral("&Наименование источника выплаты")), 0, 0,
                    1, 6);
    grid->addWidget(meSourseName, 1, 0, 1, 6);
    grid->addWidget(LabelFor(meINN, QStringLiteral("&ИНН")), 2, 0);
    grid->addWidget(meINN, 2, 1);
    grid->addWidget(LabelFor(meKPP, QStringLiteral("&КПП")), 2, 2);
    grid->addWidget(meKPP, 2, 3);
    grid->addWidget(LabelFor(meOKATO, QStringLiteral("&ОКАТО")), 2, 4);
    grid->addWidget(meOKATO, 2, 5);
    grid->addWidget(chbPrimaryWorkplase, 3, 0, 1, 6);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(YesNo(bnOk, "bnOk", bnCansel, this));
    connect(bnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(bnCansel, &QPushButton::clicked, this, &QDialog::reject);
    setTabOrder(meSourseName, meINN);
    setTabOrder(meINN, meKPP);
    setTabOrder(meKPP, meOKATO);
    setTabOrder(meOKATO, chbPrimaryWorkplase);
    setTabOrder(chbPrimaryWorkplase, bnOk);
    setTabOrder(bnOk, bnCansel);
    meSourseName->setFocus();
}

void TfmInput13SourseIncome::Load(const mTThirteenPercent& payer) {
    meSourseName->setText(ToQ(payer.SourceName));
    meINN->setText(ToQ(payer.INN));
    meKPP->setText(ToQ(payer.KPP));
    meOKATO->setText(ToQ(payer.OKATO));
    chbPrimaryWorkplase->setChecked(payer.IsPrimaryWorkplace != 0);
}

void TfmInput13SourseIncome::Save(mTThirteenPercent& payer) const {
    payer.SourceName = FromQ(meSourseName->text());
    payer.INN = FromQ(meINN->text());
    payer.KPP = FromQ(meKPP->text());
    payer.OKATO = FromQ(meOKATO->text());
    payer.IsPrimaryWorkplace = chbPrimaryWorkplase->isChecked() ? 1 : 0;
}

QString TfmInput13SourseIncome::SourceName() const {
    return meSourseName->text();
}

void TfmInput13SourseIncome::accept() {
    const SourceCheckResult result =
        CheckPaymentSource(WindowPrompter(this), kThirteenSection, FromQ(meSourseName->text()),
                           FromQ(meOKATO->text()), FromQ(meKPP->text()), FromQ(meINN->text()));
    switch (result.focus) {
        case 0:
            QDialog::accept();
            return;
        case kSourceFocusName:
            meSourseName->setFocus();
            return;
        case kSourceFocusINN:
            meINN->setFocus();
            return;
        case kSourceFocusKPP:
            meKPP->setFocus();
            return;
        case kSourceFocusOKATO:
            meOKATO->setFocus();
            return;
        default:
            return;
    }
}

// ---- the income line ----

TfmInput13Income::TfmInput13Income(QWidget* parent, bool nonResident)
    : QDialog(parent), nonResident_(nonResident) {
    setObjectName(QStringLiteral("TfmInput13Income"));
    setWindowTitle(QStringLiteral("Сведения о доходе"));
    auto* group =
        Named(new QGroupBox(QStringLiteral("Сведения о полученном доходе"), this), "gbIncome");

    pnlIncomeCod = CodePanel(group, "pnlIncomeCod", QStringLiteral("Код дохода"));
    bnIncomeCod = PickButton(group, "bnIncomeCod", QStringLiteral("код дохода"));
    lbIncomeName = NameLabel(group, "lbIncomeName");
    meIncomeSum = Named(new TMaskedEdit(group, edtCurrency, 12, 2), "meIncomeSum");
    pnlSubtractCod = CodePanel(group, "pnlSubtractCod", QStringLiteral("Код вычета (расхода)"));
    bnSubtractCod = PickButton(group, "bnSubtractCod", QStringLiteral("код вычета"));
    lbSubtractName = NameLabel(group, "lbSubtractName");
    pnlIncomeCod->setFixedHeight(bnIncomeCod->sizeHint().height());
    pnlSubtractCod->setFixedHeight(bnSubtractCod->sizeHint().height());
    meSubtractSum = Named(new TMaskedEdit(group, edtCurrency, 12, 2), "meSubtractSum");
    mePropSale = Named(new TMaskedEdit(group, edtDigital, 2), "mePropSale");
    const int amountWidth =
        meIncomeSum->fontMetrics().horizontalAdvance(QStringLiteral("000000000000,00")) + 16;
    meIncomeSum->setMinimumWidth(amountWidth);
    meSubtractSum->setMinimumWidth(amountWidth);
    meIncomeSum->setAlignment(Qt::AlignRight);
    meSubtractSum->setAlignment(Qt::AlignRight);
    mePropSale->setFixedWidth(mePropSale->fontMetrics().horizontalAdvance(QStringLiteral("000")) +
                              16);

    auto* grid = new QGridLayout(group);
    auto* lbIncomeCod = new QLabel(QStringLiteral("Код дохода"), group);
    grid->addWidget(lbIncomeCod, 0, 0);
    auto* incomeCode = new QHBoxLayout;
    incomeCode->addWidget(pnlIncomeCod);
    incomeCode->addWidget(bnIncomeCod);
    incomeCode->addWidget(lbIncomeName, 1);
    grid->addLayout(incomeCode, 0, 1);
    grid->addWidget(LabelFor(meIncomeSum, QStringLiteral("&Сумма дохода")), 1, 0);
    grid->addWidget(meIncomeSum, 1, 1);
    lbSubtractCod =
        Named(new QLabel(QStringLiteral("Код вычета (расхода)"), group), "lbSubtractCod");
    grid->addWidget(lbSubtractCod, 2, 0);
    auto* deductCode = new QHBoxLayout;
    deductCode->addWidget(pnlSubtractCod);
    deductCode->addWidget(bnSubtractCod);
    deductCode->addWidget(lbSubtractName, 1);
    grid->addLayout(deductCode, 2, 1);
    lbSubtractSum = LabelFor(meSubtractSum, QStringLiteral("С&умма вычета (расхода)"));
    lbSubtractSum->setObjectName(QStringLiteral("lbSubtractSum"));
    grid->addWidget(lbSubtractSum, 3, 0);
    grid->addWidget(meSubtractSum, 3, 1);
    grid->addWidget(LabelFor(mePropSale, QStringLiteral("&Месяц получения дохода")), 4, 0);
    grid->addWidget(mePropSale, 4, 1);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch(1);
    layout->addLayout(YesNo(bnYes, "bnYes", bnCansel, this));

    connect(bnYes, &QPushButton::clicked, this, &QDialog::accept);
    connect(bnCansel, &QPushButton::clicked, this, &QDialog::reject);
    connect(bnIncomeCod, &QPushButton::clicked, this, &TfmInput13Income::ChooseIncomeCode);
    connect(bnSubtractCod, &QPushButton::clicked, this, &TfmInput13Income::ChooseDeductCode);
    connect(meIncomeSum, &TMaskedEdit::changed, this, &TfmInput13Income::OnIncomeSumChanged);
    connect(meSubtractSum, &TMaskedEdit::changed, this, &TfmInput13Income::OnDeductSumChanged);
    connect(mePropSale, &TMaskedEdit::changed, this, &TfmInput13Income::OnMonthChanged);

    setTabOrder(bnIncomeCod, meIncomeSum);
    setTabOrder(meIncomeSum, bnSubtractCod);
    setTabOrder(bnSubtractCod, meSubtractSum);
    setTabOrder(meSubtractSum, mePropSale);
    setTabOrder(mePropSale, bnYes);
    setTabOrder(bnYes, bnCansel);

    // A new line: only the income code can be chosen.
    meIncomeSum->setEnabled(false);
    mePropSale->setEnabled(false);
    SetDeductButton(false);
    bnIncomeCod->setFocus();
}

void TfmInput13Income::SetDeductButton(bool enabled) {
    bnSubtractCod->setEnabled(enabled);
    lbSubtractCod->setEnabled(enabled);
    pnlSubtractCod->setEnabled(enabled);
    lbSubtractSum->setEnabled(enabled);
    if (!enabled) {
        pnlSubtractCod->clear();
        meSubtractSum->clear();
        meSubtractSum->setEnabled(false);
    }
    ShowNames();
}

void TfmInput13Income::SetDeductAmount(bool shown, bool typed) {
    meSubtractSum->setVisible(shown);
    lbSubtractSum->setEnabled(shown);
    meSubtractSum->setEnabled(true);
    meSubtractSum->setReadOnly(!typed);
    // A computed amount is shown greyed.
    QPalette palette = meIncomeSum->palette();
    if (!typed) palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    meSubtractSum->setPalette(palette);
    ShowNames();
}

void TfmInput13Income::ShowNames() {
    lbIncomeName->setText(pnlIncomeCod->text().isEmpty() ? QString() : incomeName_);
    lbIncomeName->setToolTip(lbIncomeName->text());
    QString deduction;
    if (const IncomeCode* income = FindIncomeCode(NumberFromField(pnlIncomeCod->text()));
        income && !pnlSubtractCod->text().isEmpty()) {
        if (const DeductionRow* row = FindDeductionText(*income, FromQ(pnlSubtractCod->text())))
            deduction = CodeText(row->name);
    }
    lbSubtractName->setText(deduction);
    lbSubtractName->setToolTip(deduction);
}

void TfmInput13Income::Load(const mTSourseIncome& line) {
    LoadLine(line);
    ShowNames();
}

void TfmInput13Income::LoadLine(const mTSourseIncome& line) {
    pnlIncomeCod->setText(QString::number(line.IncomeCode));
    meIncomeSum->setEnabled(true);
    meIncomeSum->setText(AmountOrEmpty(line.IncomeSum));
    incomeName_ = ToQ(line.IncomeName);
    rule_ = {};
    deductApplies_ = false;

    if (nonResident_) {
        if (!NonResidentDeductible(line.IncomeCode)) return;
        SetDeductButton(true);
        pnlSubtractCod->setText(QString::number(line.DeductCode));
        meSubtractSum->setText(MoneyText(line.DeductSum));
        SetDeductAmount(true, true);
        return;
    }

    const IncomeCode* income = FindIncomeCode(line.IncomeCode);
    if (!income) return;
    incomeName_ = CodeText(income->name);
    mePropSale->setEnabled(true);
    mePropSale->setText(QString::number(line.Month));
    if (!income->HasDeductions()) return;
    SetDeductButton(true);
    deductApplies_ = true;
    pnlSubtractCod->setText(QString::number(line.DeductCode));
    meSubtractSum->setText(AmountOrEmpty(line.DeductSum));
    const DeductionRow* row = FindDeduction(*income, line.DeductCode);
    if (!row) {
        pnlSubtractCod->clear();
        meSubtractSum->clear();
        meSubtractSum->setEnabled(false);
        return;
    }
    rule_ = row->rule;
    SetDeductAmount(rule_.visible, rule_.enabled);
    if (rule_.share != 0 || rule_.equivalent) OnIncomeSumChanged();
}

mTSourseIncome TfmInput13Income::Line() const {
    mTSourseIncome line;
    line.IncomeCode = NumberFromField(pnlIncomeCod->text());
    line.IncomeName = FromQ(incomeName_);
    line.IncomeSum = MoneyFromField(meIncomeSum->text());
    line.DeductCode = NumberFromField(pnlSubtractCod->text());
    line.DeductSum = MoneyFromField(meSubtractSum->text());
    line.DeductPercent = uint32_t(std::max(rule_.share, 0));
    const uint32_t month = NumberFromField(mePropSale->text());
    line.Month = uint16_t(std::clamp<uint32_t>(month, 1, 12));
    return line;
}

void TfmInput13Income::ChooseIncomeCode() {
    const std::optional<IncomeChoice> choice = PickIncomeCode(
        this, nonResident_ ? std::string_view() : std::string_view("13"), pnlIncomeCod->text());
    if (!choice || CodeText(choice->code) == pnlIncomeCod->text()) return;
    rule_ = {};
    deductApplies_ = false;
    pnlIncomeCod->setText(CodeText(choice->code));
    incomeName_ = CodeText(choice->name);
    meIncomeSum->setEnabled(true);
    meIncomeSum->clear();
    pnlSubtractCod->clear();
    meSubtractSum->clear();
    const bool deductible =
        choice->hasDeductions &&
        (!nonResident_ || NonResidentDeductible(NumberFromField(CodeText(choice->code))));
    SetDeductButton(deductible);
    if (deductible) {
        SetDeductAmount(true, false);
        deductApplies_ = true;
    }
    if (!nonResident_) mePropSale->setEnabled(true);
    ShowNames();
    meIncomeSum->setFocus();
}

void TfmInput13Income::ChooseDeductCode() {
    const DeductionRow* row =
        PickDeductionCode(this, pnlIncomeCod->text(), !nonResident_, pnlSubtractCod->text());
    if (!row || CodeText(row->code) == pnlSubtractCod->text()) return;
    rule_ = row->rule;
    pnlSubtractCod->setText(CodeText(row->code));
    meSubtractSum->clear();
    SetDeductAmount(rule_.visible, rule_.enabled);
    ApplyRowToAmount(rule_);
    if (meSubtractSum->isVisible() && rule_.enabled) meSubtractSum->setFocus();
}

void TfmInput13Income::ApplyRowToAmount(const DeductionRule& rule) {
    meSubtractSum->setText(ToQ(AmountOnChoice(rule, FromQ(meIncomeSum->text()))));
}

void TfmInput13Income::OnIncomeSumChanged() {
    if (!deductApplies_) return;
    const Money shown = MoneyFromField(meSubtractSum->text());
    const Money amount = AmountOnIncomeChange(rule_, FromQ(meIncomeSum->text()), shown);
    meSubtractSum->setText(AmountOrEmpty(amount));
}

void TfmInput13Income::OnDeductSumChanged() {
    if (!rule_.enabled || rule_.maxSum == Money() || meSubtractSum->text().isEmpty()) return;
    const Money typed = MoneyFromField(meSubtractSum->text());
    const Money capped = CapAmount(rule_, typed);
    if (capped != typed) meSubtractSum->setText(MoneyText(capped));
}

void TfmInput13Income::OnMonthChanged() {
    const QString text = mePropSale->text();
    if (text.isEmpty()) return;
    const uint32_t month = NumberFromField(text);
    if (month >= 13)
        mePropSale->setText(QStringLiteral("12"));
    else if (month == 0)
        mePropSale->setText(QStringLiteral("1"));
}

int TfmInput13Income::CheckLine() {
    const CheckPrompter ask = WindowPrompter(this);
    // "Исправить" ends the check with the control to correct; "Пропустить",
    // where it is offered, goes on to the next rule. The close box of the
    // window counts as "Пропустить" only where that button is offered.
    auto fix = [&](const char* message, bool canSkip) {
        return AskCheck(ask, {kThirteenSection, message, canSkip, false, false}) ==
               CheckAnswer::Correct;
    };
    const bool hasCode = NumberFromField(pnlIncomeCod->text()) != 0;
    const bool hasIncome = !meIncomeSum->text().trimmed().isEmpty();
    const bool hasDeductCode = !pnlSubtractCod->text().trimmed().isEmpty();
    if (!hasCode && fix("Не выбран доход", true)) return 1;
    if (!hasIncome && fix("Не указана сумма дохода", false)) return hasCode ? 2 : 1;
    if (deductApplies_ && !hasDeductCode && fix("Не выбран вычет", true)) return 3;
    if (rule_.enabled && !meSubtractSum->text().trimmed().isEmpty()) {
        const char* exceeds = "Сумма вычета превышает сумму дохода";
        if (!hasIncome) {
            if (fix(exceeds, false)) return 2;
        } else {
            const Money income = MoneyFromField(meIncomeSum->text());
            const Money deduction = MoneyFromField(meSubtractSum->text());
            const bool allowed = MayExceedIncome(NumberFromField(pnlIncomeCod->text()),
                                                 NumberFromField(pnlSubtractCod->text()));
            if (deduction > income && !allowed && fix(exceeds, false)) return hasDeductCode ? 4 : 3;
        }
    }
    return 0;
}

void TfmInput13Income::FocusProblem(int code) {
    switch (code) {
        case 1:
            bnIncomeCod->setFocus();
            if (bnIncomeCod->isEnabled()) bnIncomeCod->click();
            break;
        case 2:
            meIncomeSum->setFocus();
            break;
        case 3:
            bnSubtractCod->setFocus();
            if (bnSubtractCod->isEnabled()) bnSubtractCod->click();
            break;
        case 4:
            meSubtractSum->setFocus();
            break;
        default:
            break;
    }
}

void TfmInput13Income::accept() {
    const int code = CheckLine();
    if (code == 0) {
        QDialog::accept();
        return;
    }
    FocusProblem(code);
}

}  // namespace zorv
