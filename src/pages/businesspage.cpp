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

TMaskedEdit* MoneyField(QWidget* parent, const char* name, const QString& accessible) {
    auto* edit = Named(new TMaskedEdit(parent, edtCurrency, 12, 2), name, accessible);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000000000,00")) +
                        16);
    return edit;
}

QLabel* Buddy(const QString& caption, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(field);
    return label;
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
    : QDialog(parent) {
    setObjectName(QStringLiteral("TfmInputBusinessIncome"));
    setWindowTitle(QStringLiteral("Вид деятельности"));
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
    lbIncomeCod = Buddy(QStringLiteral("Код вида деятельности"), me1, this);
    lbIncomeCod->setObjectName(QStringLiteral("lbIncomeCod"));
    bnIncomeCod = Named(new QPushButton(QStringLiteral("..."), this), "bnIncomeCod",
                        QStringLiteral("Выбрать код из справочника"));
    bnIncomeCod->setToolTip(QStringLiteral("Выбрать код из справочника"));
    bnIncomeCod->setFixedWidth(32);
    bnIncomeCod->setAutoDefault(false);
    bnOk = Named(new QPushButton(QStringLiteral("Да"), this), "bnOk");
    bnCansel = Named(new QPushButton(QStringLiteral("Нет"), this), "bnCansel");
    bnOk->setDefault(true);
    connect(bnOk, &QPushButton::clicked, this, &QDialog::accept);
    connect(bnCansel, &QPushButton::clicked, this, &QDialog::reject);
    connect(bnIncomeCod, &QPushButton::clicked, this, &TfmInputBusinessIncome::OnPick);
    if (okved.Loaded()) okvedForm_ = new TFormOKVED(this, okved);

    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(lbIncomeCod);
    codeRow->addWidget(me1);
    codeRow->addWidget(bnIncomeCod);
    codeRow->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bnOk);
    buttons->addWidget(bnCansel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kinds);
    layout->addLayout(codeRow);
    layout->addStretch(1);
    layout->addLayout(buttons);
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

TfrBusinessNew::TfrBusinessNew(TShellContext& ctx, QWidget* parent) : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frBusinessNew"));
    TLoadingScope loading(ctx_);
    loading_ = true;

    lvSourseIncomeInfo =
        MakeRecordList(this, "lvSourseIncomeInfo", QStringLiteral("Список видов деятельности"),
                       {QStringLiteral("Виды деятельности")});
    lvSourseIncomeInfo->setMinimumHeight(72);
    fbAddSourseIncome = MakeCommandButton(this, "fbAddSourseIncome", TCommandGlyph::Add,
                                          QStringLiteral("Добавить источник выплат"));
    fbDeleteSourseIncome = MakeCommandButton(this, "fbDeleteSourseIncome", TCommandGlyph::Remove,
                                             QStringLiteral("Удалить источник выплат"));
    fbEditSourseIncome = MakeCommandButton(this, "fbEditSourseIncome", TCommandGlyph::Edit,
                                           QStringLiteral("Редактировать источник выплат"));
    connect(fbAddSourseIncome, &QToolButton::clicked, this, &TfrBusinessNew::AddActivity);
    connect(fbDeleteSourseIncome, &QToolButton::clicked, this, &TfrBusinessNew::DeleteActivity);
    connect(fbEditSourseIncome, &QToolButton::clicked, this, &TfrBusinessNew::EditActivity);
    BindListKeys(
        lvSourseIncomeInfo, [this] { AddActivity(); }, [this] { DeleteActivity(); },
        [this] { EditActivity(); });
    connect(lvSourseIncomeInfo, &QTreeWidget::itemSelectionChanged, this,
            &TfrBusinessNew::OnSelection);

    detail_ = new QWidget(this);
    auto* gbIncome = new QGroupBox(QStringLiteral("Доходы и расходы"), detail_);
    MaskedEdit1 = MoneyField(gbIncome, "MaskedEdit1", QStringLiteral("Сумма дохода"));
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
        expenses_[size_t(i)] = MoneyField(Panel6, kExpenseNames[i], caption.trimmed());
        const int row = i == 0 ? 0 : i + 1;
        itemsLayout->addWidget(Buddy(i == 4 ? QStringLiteral("    ") + caption : caption,
                                     expenses_[size_t(i)], Panel6),
                               row, 0);
        itemsLayout->addWidget(expenses_[size_t(i)], row, 1, Qt::AlignRight);
    }
    itemsLayout->addWidget(new QLabel(QStringLiteral("в том числе"), Panel6), 1, 0);
    itemsLayout->setColumnStretch(0, 1);
    auto* incomeLayout = new QVBoxLayout(gbIncome);
    auto* incomeRow = new QHBoxLayout;
    incomeRow->addWidget(Buddy(QStringLiteral("Сумма дохода"), MaskedEdit1, gbIncome));
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
        Buddy(QStringLiteral("Начисленные платежи"), meNachPrepayment, gbAdvance), 0, 0);
    advanceLayout->addWidget(meNachPrepayment, 0, 1);
    advanceLayout->addWidget(
        Buddy(QStringLiteral("Фактические платежи"), meActualPrepayment, gbAdvance), 1, 0);
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
    meFHSum = MoneyField(gbFarm, "meFHSum", QStringLiteral("Необлагаемый доход"));
    auto* farmLayout = new QGridLayout(gbFarm);
    farmLayout->addWidget(Buddy(QStringLiteral("Год образования"), meBeginninFH, gbFarm), 0, 0);
    auto* yearRow = new QHBoxLayout;
    yearRow->setSpacing(0);
    yearRow->addWidget(meBeginninFH);
    yearRow->addWidget(updBeginningUsePrivilegeDate);
    yearRow->addStretch(1);
    farmLayout->addLayout(yearRow, 0, 1);
    farmLayout->addWidget(Buddy(QStringLiteral("Необлагаемый доход"), meFHSum, gbFarm), 1, 0);
    farmLayout->addWidget(meFHSum, 1, 1);

    auto* right = new QVBoxLayout;
    right->addWidget(gbAdvance);
    right->addWidget(gbFarm);
    right->addStretch(1);
    auto* detailLayout = new QHBoxLayout(detail_);
    detailLayout->setContentsMargins(0, 0, 0, 0);
    detailLayout->addWidget(gbIncome, 3);
    detailLayout->addLayout(right, 2);

    auto* commands = new QHBoxLayout;
    commands->addWidget(fbAddSourseIncome);
    commands->addWidget(fbDeleteSourseIncome);
    commands->addWidget(fbEditSourseIncome);
    commands->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(commands);
    layout->addWidget(lvSourseIncomeInfo, 1);
    layout->addWidget(detail_);

    connect(chbIsConfirmedExpensies, &QCheckBox::toggled, this, &TfrBusinessNew::OnConfirmed);
    connect(MaskedEdit1, &TMaskedEdit::changed, this, &TfrBusinessNew::ShowNorm);
    WatchFields();
    SetTabOrder({fbAddSourseIncome, fbDeleteSourseIncome, fbEditSourseIncome, lvSourseIncomeInfo,
                 MaskedEdit1, chbIsConfirmedExpensies, expenses_[0], expenses_[1], expenses_[2],
                 expenses_[3], expenses_[4], expenses_[5], meNachPrepayment, meActualPrepayment,
                 meBeginninFH, meFHSum});

    const mTDeclaration& d = Decl();
    for (size_t i = 0; i < d.BusinessCount(); ++i)
        AppendRow(lvSourseIncomeInfo, {Caption(d.Business(i))});
    // Whole rubles are typed; a stored amount is shown as it is.
    meActualPrepayment->setText(ZeroText(d.AdvanceActual));
    meNachPrepayment->setText(ZeroText(d.AdvanceAccrued));
    meFHSum->setText(ZeroText(d.FarmExemptIncome));
    meBeginninFH->setText(QString::number(CivilFromDayNumber(d.FarmStartDate).year));
    OnConfirmed();
    if (d.BusinessCount() == 0) {
        EnableDetail(false);
        meActualPrepayment->setText(QStringLiteral("0"));
        meNachPrepayment->setText(QStringLiteral("0"));
        meFHSum->setText(QStringLiteral("0"));
    } else {
        EnableDetail(true);
    }
    loading_ = false;
    // The page opens on its first record.
    if (lvSourseIncomeInfo->topLevelItemCount() > 0) SelectRow(lvSourseIncomeInfo, 0);
}

TfrBusinessNew::~TfrBusinessNew() {
    deleting_ = true;
}

const TOkvedTable& TfrBusinessNew::Okved() {
    if (!okved_)
        okved_ = std::make_unique<TOkvedTable>(TOkvedTable::Parse(ctx_.references.activityXml));
    return *okved_;
}

QString TfrBusinessNew::Caption(const mTBusinessNew& b) {
    return ToQ(ActivityCaption(b));
}

void TfrBusinessNew::EnableDetail(bool enabled) {
    detail_->setEnabled(enabled);
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

void TfrBusinessNew::OnSelection() {
    if (loading_ || deleting_) return;
    TLoadingScope loading(ctx_);
    if (selected_ >= 0 && size_t(selected_) < Decl().BusinessCount())
        StoreActivity(size_t(selected_));
    selected_ = SelectedRow(lvSourseIncomeInfo);
    if (selected_ >= 0) ShowActivity(size_t(selected_));
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

void TfrBusinessNew::StoreActivity(size_t index) {
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
    mTDeclaration& d = Decl();
    if (selected_ >= 0 && size_t(selected_) < d.BusinessCount()) StoreActivity(size_t(selected_));
    d.AdvanceActual = MoneyFromField(meActualPrepayment->text());
    d.AdvanceAccrued = MoneyFromField(meNachPrepayment->text());
    d.FarmExemptIncome = MoneyFromField(meFHSum->text());
    // No date can be formed from year 0: it is stored as an empty year is.
    const uint32_t year = NumberFromField(meBeginninFH->text());
    d.FarmStartDate = DayNumber(year == 0 ? kNoFarmYear : int(year), 1, 1);
}

void TfrBusinessNew::AddActivity() {
    if (!RoomForOneMore(this, Decl().BusinessCount(), QStringLiteral("видов деятельности"))) return;
    TfmInputBusinessIncome dialog(this, Okved());
    if (!RunModal(dialog)) return;
    const QString kind = dialog.Kind();
    const QString code = dialog.Code().trimmed();
    if (kind == kEntrepreneur && code.isEmpty()) return;
    Notify();
    mTDeclaration& d = Decl();
    if (d.BusinessCount() == 0) EnableDetail(true);
    const size_t index = d.AddBusiness();
    mTBusinessNew& b = d.Business(index);
    b.ActivityKind = FromQ(kind);
    b.ActivityCode = FromQ(dialog.Code());
    b.HasConfirmedExpenses = 0;
    AppendRow(lvSourseIncomeInfo, {Caption(b)});
    SelectRow(lvSourseIncomeInfo, int(index));
}

void TfrBusinessNew::EditActivity() {
    if (selected_ < 0) return;
    TfmInputBusinessIncome dialog(this, Okved());
    mTBusinessNew& current = Decl().Business(size_t(selected_));
    dialog.SetKind(ToQ(current.ActivityKind));
    dialog.SetCode(ToQ(current.ActivityCode));
    if (!RunModal(dialog)) return;
    Notify();
    mTBusinessNew& b = Decl().Business(size_t(selected_));
    b.ActivityKind = FromQ(dialog.Kind());
    b.ActivityCode = FromQ(dialog.Code());
    SetRowTexts(lvSourseIncomeInfo->topLevelItem(selected_), {Caption(b)});
    SelectRow(lvSourseIncomeInfo, selected_);
}

void TfrBusinessNew::DeleteActivity() {
    if (selected_ < 0) return;
    const int removed = selected_;
    deleting_ = true;
    Notify();
    Decl().RemoveBusiness(size_t(removed));
    selected_ = -1;
    delete lvSourseIncomeInfo->takeTopLevelItem(removed);
    deleting_ = false;
    const int remaining = lvSourseIncomeInfo->topLevelItemCount();
    if (remaining == 0) {
        lvSourseIncomeInfo->clearSelection();
        EnableDetail(false);
        meActualPrepayment->setText(QStringLiteral("0"));
        meNachPrepayment->setText(QStringLiteral("0"));
        meFHSum->setText(QStringLiteral("0"));
        return;
    }
    lvSourseIncomeInfo->clearSelection();
    SelectRow(lvSourseIncomeInfo, RowAfterRemoval(removed, remaining));
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
    if (code < 1 || code > lvSourseIncomeInfo->topLevelItemCount()) return;
    lvSourseIncomeInfo->setFocus();
    SelectRow(lvSourseIncomeInfo, code - 1);
    // The field of the first rule the activity breaks.
    const size_t index = size_t(code - 1);
    for (const CheckRule& rule : RulesOf(kPageBusiness).rules) {
        if (!rule.test(Decl(), index)) continue;
        const char* name = RuleField(rule.id);
        if (auto* field = name ? findChild<QWidget*>(QString::fromLatin1(name)) : nullptr) {
            if (field->isVisibleTo(this) && field->isEnabled()) field->setFocus();
        }
        return;
    }
}

}  // namespace zorv
