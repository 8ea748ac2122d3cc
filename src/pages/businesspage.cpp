#include "pages/businesspage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "check/checkrules.h"
#include "codes/codedictionary.h"
#include "model/numtext.h"
#include "pages/entrykit.h"
#include "storage/daynumber.h"
#include "widgets/controlnames.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

const QString kEntrepreneur = QStringLiteral("1");
constexpr int kFlatNormShare = 20;  // expenses without documents: 20 % of the income
constexpr int kFirstFarmYear = 1997;
constexpr int kLastFarmYear = 2009;
constexpr int kNoFarmYear = 2000;  // stored for an empty (or 0) year

const char* const kExpenseNames[6] = {"MaskedEdit2", "MaskedEdit3", "MaskedEdit4",
                                      "MaskedEdit5", "MaskedEdit6", "MaskedEdit7"};
const char* const kExpenseCaptions[6] = {"Итого расходов ",         "Мат. расходы",
                                         "Амортизац. начисл.",      "Оплата труда",
                                         "в т.ч. по тр. договорам", "Прочие расходы"};

// The fields the rules of the whole check lead to.
const char* RuleField(const std::string& rule) {
    if (rule == "25") return "chbIsConfirmedExpensies";
    if (rule == "26") return "MaskedEdit6";
    if (rule == "27") return "MaskedEdit7";
    if (rule == "28") return "MaskedEdit2";
    return nullptr;
}

QString ZeroText(Money m) {
    return MoneyText(m);
}

// Up and Down in the year field step the year.
class TYearKeys : public QObject {
  public:
    TYearKeys(QObject* parent, std::function<void(int)> step)
        : QObject(parent), step_(std::move(step)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                step_(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void(int)> step_;
};

}  // namespace

// ---- activity dialog ----

TfmInputBusinessIncome::TfmInputBusinessIncome(QWidget* parent, const TOkvedTable& okved)
    : TRecordDialog(parent, "TfmInputBusinessIncome", QStringLiteral("Вид деятельности")) {
    auto* kinds = new QGroupBox(QStringLiteral("Вид деятельности"), this);
    rbPredp = Named(new QRadioButton(QStringLiteral("Предпринимательская"), kinds), "rbPredp");
    rbNota = Named(new QRadioButton(QStringLiteral("Нотариальная"), kinds), "rbNota");
    rbAdvokat = Named(new QRadioButton(QStringLiteral("Адвокатская"), kinds), "rbAdvokat");
    rbInaya = Named(new QRadioButton(QStringLiteral("Иная"), kinds), "rbInaya");
    auto* group = new QButtonGroup(this);
    auto* kindLayout = new QVBoxLayout(kinds);
    for (QRadioButton* rb : {rbPredp, rbNota, rbAdvokat, rbInaya}) {
        group->addButton(rb);
        kindLayout->addWidget(rb);
        connect(rb, &QRadioButton::toggled, this, [this](bool on) {
            if (on) OnKind();
        });
    }
    // Without the classification the code is typed (8 characters, as 52.48.2).
    me1 = Named(new TMaskedEdit(this, edtNone, 8), "me1", QStringLiteral("Код вида деятельности"));
    me1->setReadOnly(okved.Loaded());
    me1->setFixedWidth(me1->fontMetrics().horizontalAdvance(QStringLiteral("00.00.000")) + 16);
    lbIncomeCod = MakeBuddy(QStringLiteral("Код вида деятельности"), me1, this);
    lbIncomeCod->setObjectName(QStringLiteral("lbIncomeCod"));
    bnIncomeCod = Named(new QPushButton(QStringLiteral("..."), this), "bnIncomeCod",
                        QStringLiteral("Выбрать код из справочника"));
    bnIncomeCod->setToolTip(QStringLiteral("Выбрать код из справочника"));
    bnIncomeCod->setFixedWidth(32);
    bnIncomeCod->setAutoDefault(false);
    connect(bnIncomeCod, &QPushButton::clicked, this, &TfmInputBusinessIncome::OnPick);
    if (okved.Loaded()) okvedForm_ = new TFormOKVED(this, okved);

    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(lbIncomeCod);
    codeRow->addWidget(me1);
    codeRow->addWidget(bnIncomeCod);
    codeRow->addStretch(1);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(0, 0, 0, 0);
    body->addWidget(kinds);
    body->addLayout(codeRow);
    SetBody(body);
    setTabOrder(rbPredp, me1);
    setTabOrder(me1, bnIncomeCod);
    setTabOrder(bnIncomeCod, bnOk);
    setTabOrder(bnOk, bnCansel);
    rbPredp->setChecked(true);
    OnKind();
    setMinimumWidth(360);  // the caption is read whole
}

QString TfmInputBusinessIncome::Kind() const {
    if (rbNota->isChecked()) return QStringLiteral("2");
    if (rbAdvokat->isChecked()) return QStringLiteral("3");
    if (rbInaya->isChecked()) return QStringLiteral("4");
    return kEntrepreneur;
}

void TfmInputBusinessIncome::SetKind(const QString& kind) {
    QRadioButton* rb = kind == QLatin1String("2")   ? rbNota
                       : kind == QLatin1String("3") ? rbAdvokat
                       : kind == QLatin1String("4") ? rbInaya
                                                    : rbPredp;
    rb->setChecked(true);
    OnKind();
}

QString TfmInputBusinessIncome::Code() const {
    return me1->text();
}

void TfmInputBusinessIncome::SetCode(const QString& code) {
    me1->setText(code);
}

void TfmInputBusinessIncome::OnKind() {
    const bool entrepreneur = rbPredp->isChecked();
    lbIncomeCod->setEnabled(entrepreneur);
    bnIncomeCod->setEnabled(entrepreneur && okvedForm_);
    me1->setEnabled(entrepreneur || okvedForm_);
}

void TfmInputBusinessIncome::OnPick() {
    if (!okvedForm_) return;
    if (RunModal(*okvedForm_)) me1->setText(okvedForm_->Code());
}

// ---- page ----

TfrBusinessNew::TfrBusinessNew(TShellContext& ctx, QWidget* parent)
    : TRecordListPage(ctx, parent, "frBusinessNew") {
    TLoadingScope loading(ctx_);

    QWidget* list = BuildList({QStringLiteral("Виды деятельности")}, {},
                              QStringLiteral("Список видов деятельности"));
    List()->setMinimumHeight(72);

    detail_ = new QWidget(this);
    auto* gbIncome = new QGroupBox(QStringLiteral("Доходы и расходы"), detail_);
    gbIncome_ = gbIncome;
    MaskedEdit1 = MakeMoneyField(gbIncome, "MaskedEdit1", QStringLiteral("Сумма дохода"));
    chbIsConfirmedExpensies =
        Named(new QCheckBox(QStringLiteral("Имеются документально подтв. расходы"), gbIncome),
              "chbIsConfirmedExpensies");
    Panel4 = Named(new QWidget(gbIncome), "Panel4");
    Panel5 = Named(new QLabel(Panel4), "Panel5", QStringLiteral("Итого расходов"));
    Panel5->setFrameShape(QFrame::StyledPanel);
    Panel5->setFrameShadow(QFrame::Sunken);
    Panel5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Panel5->setFixedWidth(MaskedEdit1->width());
    auto* normLayout = new QHBoxLayout(Panel4);
    normLayout->setContentsMargins(0, 0, 0, 0);
    normLayout->addWidget(new QLabel(QStringLiteral("Итого расходов (норматив 20%)"), Panel4));
    normLayout->addStretch(1);
    normLayout->addWidget(Panel5);
    Panel6 = Named(new QWidget(gbIncome), "Panel6");
    auto* itemsLayout = new QGridLayout(Panel6);
    itemsLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 6; ++i) {
        const QString caption = QString::fromUtf8(kExpenseCaptions[i]);
        expenses_[size_t(i)] = MakeMoneyField(Panel6, kExpenseNames[i], caption.trimmed());
        const int row = i == 0 ? 0 : i + 1;
        itemsLayout->addWidget(MakeBuddy(i == 4 ? QStringLiteral("    ") + caption : caption,
                                         expenses_[size_t(i)], Panel6),
                               row, 0);
        itemsLayout->addWidget(expenses_[size_t(i)], row, 1, Qt::AlignRight);
    }
    itemsLayout->addWidget(new QLabel(QStringLiteral("в том числе"), Panel6), 1, 0);
    itemsLayout->setColumnStretch(0, 1);
    auto* incomeLayout = new QVBoxLayout(gbIncome);
    auto* incomeRow = new QHBoxLayout;
    incomeRow->addWidget(MakeBuddy(QStringLiteral("Сумма дохода"), MaskedEdit1, gbIncome));
    incomeRow->addStretch(1);
    incomeRow->addWidget(MaskedEdit1);
    incomeLayout->addLayout(incomeRow);
    incomeLayout->addWidget(chbIsConfirmedExpensies);
    incomeLayout->addWidget(Panel4);
    incomeLayout->addWidget(Panel6);
    incomeLayout->addStretch(1);

    auto* gbAdvance = new QGroupBox(QStringLiteral("Авансовые платежи"), detail_);
    meNachPrepayment = Named(WholeRubles(new TMaskedEdit(gbAdvance, edtDigital, 12)),
                             "meNachPrepayment", QStringLiteral("Начисленные платежи"));
    meActualPrepayment = Named(WholeRubles(new TMaskedEdit(gbAdvance, edtDigital, 12)),
                               "meActualPrepayment", QStringLiteral("Фактические платежи"));
    for (TMaskedEdit* e : {meNachPrepayment, meActualPrepayment}) {
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(MaskedEdit1->width());
    }
    auto* advanceLayout = new QGridLayout(gbAdvance);
    advanceLayout->addWidget(
        MakeBuddy(QStringLiteral("Начисленные платежи"), meNachPrepayment, gbAdvance), 0, 0);
    advanceLayout->addWidget(meNachPrepayment, 0, 1);
    advanceLayout->addWidget(
        MakeBuddy(QStringLiteral("Фактические платежи"), meActualPrepayment, gbAdvance), 1, 0);
    advanceLayout->addWidget(meActualPrepayment, 1, 1);

    auto* gbFarm = new QGroupBox(QStringLiteral("Крестьянское (фермерское) хозяйство"), detail_);
    meBeginninFH = Named(new TMaskedEdit(gbFarm, edtDigital, 4), "meBeginninFH",
                         QStringLiteral("Год образования"));
    meBeginninFH->setFixedWidth(meBeginninFH->fontMetrics().horizontalAdvance("00000") + 16);
    meBeginninFH->installEventFilter(new TYearKeys(meBeginninFH, [this](int s) { StepYear(s); }));
    updBeginningUsePrivilegeDate = Named(new QWidget(gbFarm), "updBeginningUsePrivilegeDate");
    auto* upDown = new QVBoxLayout(updBeginningUsePrivilegeDate);
    upDown->setContentsMargins(0, 0, 0, 0);
    upDown->setSpacing(0);
    for (int step : {1, -1}) {
        auto* b = new QToolButton(updBeginningUsePrivilegeDate);
        b->setArrowType(step > 0 ? Qt::UpArrow : Qt::DownArrow);
        b->setFixedSize(18, 12);
        b->setFocusPolicy(Qt::NoFocus);
        b->setAccessibleName(step > 0 ? QStringLiteral("Следующий год")
                                      : QStringLiteral("Предыдущий год"));
        connect(b, &QToolButton::clicked, this, [this, step] { StepYear(step); });
        upDown->addWidget(b);
    }
    meFHSum = MakeMoneyField(gbFarm, "meFHSum", QStringLiteral("Необлагаемый доход"));
    auto* farmLayout = new QGridLayout(gbFarm);
    farmLayout->addWidget(MakeBuddy(QStringLiteral("Год образования"), meBeginninFH, gbFarm), 0, 0);
    auto* yearRow = new QHBoxLayout;
    yearRow->setSpacing(0);
    yearRow->addWidget(meBeginninFH);
    yearRow->addWidget(updBeginningUsePrivilegeDate);
    yearRow->addStretch(1);
    farmLayout->addLayout(yearRow, 0, 1);
    farmLayout->addWidget(MakeBuddy(QStringLiteral("Необлагаемый доход"), meFHSum, gbFarm), 1, 0);
    farmLayout->addWidget(meFHSum, 1, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(gbAdvance);
    right->addWidget(gbFarm);
    right->addStretch(1);
    auto* detailLayout = new QHBoxLayout(detail_);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    detailLayout->addWidget(gbIncome, 3);
    detailLayout->addLayout(right, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list, 1);
    layout->addWidget(detail_);

    connect(chbIsConfirmedExpensies, &QCheckBox::toggled, this, &TfrBusinessNew::OnConfirmed);
    connect(MaskedEdit1, &TMaskedEdit::changed, this, &TfrBusinessNew::ShowNorm);
    WatchFields();
    SetTabOrder({List(), fbAddSourseIncome, fbDeleteSourseIncome, fbEditSourseIncome, MaskedEdit1,
                 chbIsConfirmedExpensies, expenses_[0], expenses_[1], expenses_[2], expenses_[3],
                 expenses_[4], expenses_[5], meNachPrepayment, meActualPrepayment, meBeginninFH,
                 meFHSum});

    const mTDeclaration& d = Decl();
    // Whole rubles are typed; a stored amount is shown as it is.
    meActualPrepayment->setText(ZeroText(d.AdvanceActual));
    meNachPrepayment->setText(ZeroText(d.AdvanceAccrued));
    meFHSum->setText(ZeroText(d.FarmExemptIncome));
    meBeginninFH->setText(QString::number(CivilFromDayNumber(d.FarmStartDate).year));
    OnConfirmed();
    FillList();
    // The page opens on its first record.
    SelectRow(List(), 0);
}

size_t TfrBusinessNew::RecordCount() const {
    return ctx_.Decl().BusinessCount();
}

QStringList TfrBusinessNew::RowTexts(size_t index) const {
    return {Caption(ctx_.Decl().Business(index))};
}

QString TfrBusinessNew::RecordsWhat() const {
    return QStringLiteral("видов деятельности");
}

const TOkvedTable& TfrBusinessNew::Okved() {
    if (!okved_)
        okved_ = std::make_unique<TOkvedTable>(TOkvedTable::Parse(ctx_.references.activityXml));
    return *okved_;
}

QString TfrBusinessNew::Caption(const mTBusinessNew& b) {
    return ToQ(ActivityCaption(b));
}

void TfrBusinessNew::ShowNorm() {
    const QString text = MaskedEdit1->text().trimmed();
    Panel5->setText(text.isEmpty()
                        ? QStringLiteral("0")
                        : MoneyText(ShareOfIncome(MoneyFromField(text), kFlatNormShare)));
}

void TfrBusinessNew::OnConfirmed() {
    Notify();
    const bool confirmed = chbIsConfirmedExpensies->isChecked();
    Panel6->setVisible(confirmed);
    Panel4->setVisible(!confirmed);
    ShowNorm();
}

void TfrBusinessNew::StepYear(int step) {
    if (!meBeginninFH->isEnabled()) return;
    const int year = std::clamp(int(NumberFromField(meBeginninFH->text())) + step, kFirstFarmYear,
                                kLastFarmYear);
    meBeginninFH->setText(QString::number(year));
}

void TfrBusinessNew::ShowRecord(int index) {
    TLoadingScope loading(ctx_);
    const bool any = RecordCount() > 0;
    detail_->setEnabled(any);
    // Without an activity selected its fields take no typing.
    gbIncome_->setEnabled(index >= 0);
    if (index >= 0) {
        ShowActivity(size_t(index));
        return;
    }
    MaskedEdit1->clear();
    for (TMaskedEdit* e : expenses_) e->clear();
    if (any) return;
    // No activity, no payments and no farm income.
    meActualPrepayment->setText(QStringLiteral("0"));
    meNachPrepayment->setText(QStringLiteral("0"));
    meFHSum->setText(QStringLiteral("0"));
}

void TfrBusinessNew::ShowActivity(size_t index) {
    const mTBusinessNew& b = Decl().Business(index);
    chbIsConfirmedExpensies->setChecked(b.HasConfirmedExpenses != 0);
    OnConfirmed();
    MaskedEdit1->setText(b.Income.IsZero() ? QString() : MoneyText(b.Income));
    for (size_t i = 0; i < expenses_.size(); ++i)
        expenses_[i]->setText(ZeroText(b.ExpenseItems[i]));
    Panel5->setText(ZeroText(b.ExpenseTotal));
}

void TfrBusinessNew::KeepRecord(size_t index) {
    mTBusinessNew& b = Decl().Business(index);
    b.Income = MoneyFromField(MaskedEdit1->text());
    if (chbIsConfirmedExpensies->isChecked()) {
        b.HasConfirmedExpenses = 1;
        for (size_t i = 0; i < expenses_.size(); ++i)
            b.ExpenseItems[i] = MoneyFromField(expenses_[i]->text());
    } else {
        b.HasConfirmedExpenses = 0;
        b.ExpenseTotal = MoneyFromField(Panel5->text());
    }
}

void TfrBusinessNew::StoreToModel() {
    KeepShownRecord();
    mTDeclaration& d = Decl();
    d.AdvanceActual = MoneyFromField(meActualPrepayment->text());
    d.AdvanceAccrued = MoneyFromField(meNachPrepayment->text());
    d.FarmExemptIncome = MoneyFromField(meFHSum->text());
    // No date can be formed from year 0: it is stored as an empty year is.
    const uint32_t year = NumberFromField(meBeginninFH->text());
    d.FarmStartDate = DayNumber(year == 0 ? kNoFarmYear : int(year), 1, 1);
}

bool TfrBusinessNew::RunAdd() {
    TfmInputBusinessIncome dialog(this, Okved());
    if (!RunModal(dialog)) return false;
    const QString kind = dialog.Kind();
    // An entrepreneur's activity is known by its code.
    if (kind == kEntrepreneur && dialog.Code().trimmed().isEmpty()) return false;
    Notify();
    mTBusinessNew& b = Decl().Business(Decl().AddBusiness());
    b.ActivityKind = FromQ(kind);
    b.ActivityCode = FromQ(dialog.Code());
    b.HasConfirmedExpenses = 0;
    return true;
}

bool TfrBusinessNew::RunEdit(size_t index) {
    TfmInputBusinessIncome dialog(this, Okved());
    mTBusinessNew& b = Decl().Business(index);
    dialog.SetKind(ToQ(b.ActivityKind));
    dialog.SetCode(ToQ(b.ActivityCode));
    if (!RunModal(dialog)) return false;
    return Rewrite({{&b.ActivityKind, dialog.Kind()}, {&b.ActivityCode, dialog.Code()}});
}

void TfrBusinessNew::Remove(size_t index) {
    Decl().RemoveBusiness(index);
}

int TfrBusinessNew::Validate() {
    const mTDeclaration& d = Decl();
    const PageRules& table = RulesOf(kPageBusiness);
    const CheckPrompter ask = WindowPrompter(this);
    int recorded = 0;
    bool lastCorrected = false;
    for (size_t i = 0; i < d.BusinessCount(); ++i) {
        for (const CheckRule& rule : table.rules) {
            if (rule.use == RuleUse::DeclarationOnly) continue;
            // After "Исправить" only the ungated rule may still speak.
            if (lastCorrected && rule.gate != Gate::Always) continue;
            const Verdict verdict = rule.test(d, i);
            if (!verdict) continue;
            const CheckAnswer answer = AskCheck(ask, {rule.section, *verdict, true, true, false});
            if (answer == CheckAnswer::SkipAll) return recorded;
            lastCorrected = answer == CheckAnswer::Correct;
            if (lastCorrected) {
                recorded = int(i) + 1;
                break;
            }
        }
    }
    return recorded;
}

void TfrBusinessNew::FocusError(int code) {
    // The field of the first rule the activity breaks.
    const CheckRule* rule = SelectBrokenRecord(code, kPageBusiness);
    const char* name = rule ? RuleField(rule->id) : nullptr;
    if (auto* field = name ? findChild<QWidget*>(QString::fromLatin1(name)) : nullptr) {
        if (field->isVisibleTo(this) && field->isEnabled()) field->setFocus();
    }
}

}  // namespace zorv
