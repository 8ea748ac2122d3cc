#include "pages/socialdeduct.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "check/taxnumbers.h"
#include "pages/entrykit.h"
#include "widgets/controlnames.h"
#include "widgets/dateedit.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

const char kPensSection[] = "Пенсионные договоры";
// The contracts have no territory code; a code of full length keeps its check quiet.
const char kNoOkato[] = "00000000000";

TMaskedEdit* AmountField(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* edit = Named(new TMaskedEdit(parent, edtCurrency, 12, 2), name, accessibleName);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000000000,00")) +
                        14);
    return edit;
}

// "Да" and "Нет" of a page's dialog.
QDialogButtonBox* YesNo(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(dialog);
    auto* ok = buttons->addButton(QStringLiteral("Да"), QDialogButtonBox::AcceptRole);
    auto* no = buttons->addButton(QStringLiteral("Нет"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("bnOk"));
    ok->setDefault(true);
    no->setObjectName(QStringLiteral("bnCansel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QString AmountText(Money amount) {
    return MoneyText(amount);
}

}  // namespace

// ---- education amount ----

TfmChildEduSum::TfmChildEduSum(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmChildEduSum"));
    setWindowTitle(QStringLiteral("Сумма за обучение"));
    meChildEduSum =
        AmountField(this, "meChildEduSum", QStringLiteral("Сумма, уплаченная за обучение ребенка"));
    auto* label = new QLabel(QStringLiteral("Сумма, уплаченная за обучение ребенка"), this);
    label->setBuddy(meChildEduSum);
    auto* buttons = YesNo(this);
    setMinimumWidth(340);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(meChildEduSum);
    layout->addWidget(buttons);
}

// ---- contract ----

TfmInputSoursePens::TfmInputSoursePens(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmInputSoursePens"));
    setWindowTitle(QStringLiteral("Данные договора"));
    meSourseName = Named(new TMaskedEdit(this, edtNone, 140), "meSourseName",
                         QStringLiteral("Наименование организации или фонда"));
    meSourseName->setMinimumWidth(360);
    meINN = Named(new TMaskedEdit(this, edtDigital, 10), "meINN", QStringLiteral("ИНН"));
    meKPP = Named(new TMaskedEdit(this, edtDigital, 9), "meKPP", QStringLiteral("КПП"));
    meNomDog =
        Named(new TMaskedEdit(this, edtNone, 20), "meNomDog", QStringLiteral("Номер договора"));
    for (TMaskedEdit* e : {meINN, meKPP})
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 16);
    meNomDog->setFixedWidth(meNomDog->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 20 +
                            16);
    dtpDatDog = Named(new TDateEdit(this), "dtpDatDog", QStringLiteral("Дата договора"));
    dtpDatDog->setDateRange(QDate(1990, 1, 1), LastDeclarationDay());
    dtpDatDog->setDate(QDate(2008, 1, 1));
    meVZSum = AmountField(this, "meVZSum", QStringLiteral("Сумма взноса"));
    meVichSum = AmountField(this, "meVichSum", QStringLiteral("Сумма взноса к вычету"));
    meVichSum->hide();

    auto* gbKind = Named(new QGroupBox(QStringLiteral("Вид договора"), this), "gbKind");
    rbSelf3 = Named(new QRadioButton(QStringLiteral("добровольное пенс. страхования"), gbKind),
                    "rbSelf3", QStringLiteral("В свою пользу: добровольное пенс. страхования"));
    rbSelf4 = Named(new QRadioButton(QStringLiteral("негосударств. пенс. обеспечения"), gbKind),
                    "rbSelf4", QStringLiteral("В свою пользу: негосударств. пенс. обеспечения"));
    rbFam3 =
        Named(new QRadioButton(QStringLiteral("добровольное пенс. страхования"), gbKind), "rbFam3",
              QStringLiteral("В пользу родственника: добровольное пенс. страхования"));
    rbFam4 =
        Named(new QRadioButton(QStringLiteral("негосударств. пенс. обеспечения"), gbKind), "rbFam4",
              QStringLiteral("В пользу родственника: негосударств. пенс. обеспечения"));
    rbSelf3->setChecked(true);
    auto* kindGrid = new QGridLayout(gbKind);
    kindGrid->addWidget(new QLabel(QStringLiteral("В свою пользу"), gbKind), 0, 0);
    kindGrid->addWidget(new QLabel(QStringLiteral("В пользу родственника"), gbKind), 0, 1);
    kindGrid->addWidget(rbSelf3, 1, 0);
    kindGrid->addWidget(rbSelf4, 2, 0);
    kindGrid->addWidget(rbFam3, 1, 1);
    kindGrid->addWidget(rbFam4, 2, 1);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Наименование организации или фонда"), meSourseName);
    form->addRow(QStringLiteral("ИНН"), meINN);
    form->addRow(QStringLiteral("КПП"), meKPP);
    form->addRow(QStringLiteral("Номер договора"), meNomDog);
    dtpDatDog->setFixedWidth(
        dtpDatDog->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 40);
    form->addRow(QStringLiteral("Дата договора"), dtpDatDog);
    form->addRow(QStringLiteral("Сумма взноса"), meVZSum);
    auto* buttons = YesNo(this);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(gbKind);
    layout->addWidget(meVichSum);
    layout->addWidget(buttons);
}

void TfmInputSoursePens::Fill(const mTPens& c) {
    meSourseName->setText(ToQ(c.Name));
    meINN->setText(ToQ(c.INN));
    meKPP->setText(ToQ(c.KPP));
    meNomDog->setText(ToQ(c.ContractNumber));
    if (c.ContractDate != 0) dtpDatDog->setDate(DateFromDayNumber(c.ContractDate));
    meVZSum->setText(AmountText(c.Contributions));
    meVichSum->setText(AmountText(c.DeductSum));
    switch (c.ContractKind) {
        case 2:
            rbFam3->setChecked(true);
            break;
        case 3:
            rbSelf4->setChecked(true);
            break;
        case 4:
            rbFam4->setChecked(true);
            break;
        default:
            rbSelf3->setChecked(true);
            break;
    }
}

void TfmInputSoursePens::Store(mTPens& c) const {
    c.Name = FromQ(meSourseName->text());
    c.INN = FromQ(meINN->text());
    c.KPP = FromQ(meKPP->text());
    c.ContractNumber = FromQ(meNomDog->text());
    c.ContractKind = rbFam3->isChecked()    ? 2
                     : rbSelf4->isChecked() ? 3
                     : rbFam4->isChecked()  ? 4
                                            : 1;
    c.ContractDate = DayNumberFromDate(dtpDatDog->date());
    c.Contributions = MoneyFromField(meVZSum->text());
    c.DeductSum = MoneyFromField(meVichSum->text());
}

bool TfmInputSoursePens::Checked() {
    const CheckPrompter ask = WindowPrompter(this);
    const std::string name = FromQ(meSourseName->text()), kpp = FromQ(meKPP->text()),
                      inn = FromQ(meINN->text());
    const SourceCheckResult result =
        CheckOrganisationSource(ask, kPensSection, name, kNoOkato, kpp, inn);
    QWidget* focus = nullptr;
    switch (result.focus) {
        case 0:
            break;
        case kSourceFocusName:
            focus = meSourseName;
            break;
        case kSourceFocusINN:
            focus = meINN;
            break;
        case kSourceFocusKPP:
            focus = meKPP;
            break;
        default:
            focus = meNomDog;
            break;
    }
    if (!focus && meNomDog->text().trimmed().isEmpty()) {
        AskCheck(ask, {kPensSection, "Введите номер договора", false, false});
        focus = meNomDog;
    }
    if (!focus) return true;
    focus->setFocus();
    return false;
}

void TfmInputSoursePens::accept() {
    if (Checked()) QDialog::accept();
}

void TfmInputSoursePens::keyPressEvent(QKeyEvent* event) {
    // Enter checks the contract as "Да" does: a contract accepted by one key
    // and refused by the other would depend on how the user closed the window.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// ---- page ----

TfrFramePensDeduct::TfrFramePensDeduct(TShellContext& ctx, QWidget* parent)
    : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frFramePensDeduct"));
    TLoadingScope loading(ctx_);

    chbGrantingSocDeduct =
        Named(new QCheckBox(QStringLiteral("Предоставить социальные налоговые вычеты"), this),
              "chbGrantingSocDeduct");
    chbGrantingSocDeduct->setChecked(true);

    auto* gbSums = Named(new QGroupBox(QStringLiteral("Суммы, затраченные на"), this), "gbSums");
    meCharitySum = AmountField(gbSums, "meCharitySum", QStringLiteral("благотворительность"));
    meSelfEducationSum = AmountField(gbSums, "meSelfEducationSum", QStringLiteral("свое обучение"));
    meMedicalSum = AmountField(gbSums, "meMedicalSum", QStringLiteral("лечение"));
    meExpensiveMedicalSum =
        AmountField(gbSums, "meExpensiveMedicalSum", QStringLiteral("дорогостоящее лечение"));
    meStrahovka = AmountField(gbSums, "meStrahovka", QStringLiteral("добровольное страхование"));
    auto* sums = new QFormLayout(gbSums);
    for (TMaskedEdit* e : Amounts()) {
        auto* label = new QLabel(e->accessibleName(), gbSums);
        label->setBuddy(e);
        labels_.append(label);
        sums->addRow(label, e);
    }

    auto* gbEdu =
        Named(new QGroupBox(QStringLiteral("Суммы, уплаченные за обучение детей"), this), "gbEdu");
    lvSumList =
        MakeRecordList(gbEdu, "lvSumList", QStringLiteral("Список сумм, уплаченных за всех детей"),
                       {QStringLiteral("Суммы")}, {0});
    fbAddSum =
        MakeCommandButton(gbEdu, "fbAddSum", TCommandGlyph::Add,
                          QStringLiteral("Добавить очередную сумму, уплаченную за обучение детей"));
    fbDeleteSum = MakeCommandButton(gbEdu, "fbDeleteSum", TCommandGlyph::Remove,
                                    QStringLiteral("Удалить сумму, уплаченную за обучение детей"));
    fbEditSum =
        MakeCommandButton(gbEdu, "fbEditSum", TCommandGlyph::Edit,
                          QStringLiteral("Редактировать сумму, уплаченную за обучение детей"));
    auto* eduButtons = new QVBoxLayout;
    for (QToolButton* b : {fbAddSum, fbDeleteSum, fbEditSum}) eduButtons->addWidget(b);
    eduButtons->addStretch(1);
    auto* eduLayout = new QHBoxLayout(gbEdu);
    eduLayout->addLayout(eduButtons);
    eduLayout->addWidget(lvSumList, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(gbSums);
    top->addWidget(gbEdu, 1);

    const QString pensCaption = QStringLiteral(
        "Договоры добровольного пенс. страхования и негосударственного пенс. обеспечения");
    auto* gbPens = Named(new QGroupBox(pensCaption, this), "gbPens");
    lvPensInfo = MakeRecordList(
        gbPens, "lvPensInfo", pensCaption,
        {QStringLiteral("Организация или фонд"), QStringLiteral("Сумма взноса")}, {1});
    lvPensInfo->header()->setStretchLastSection(false);
    lvPensInfo->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    fbAddPens = MakeCommandButton(gbPens, "fbAddPens", TCommandGlyph::Add,
                                  QStringLiteral("Добавить источник выплат"));
    fbDeletePens = MakeCommandButton(gbPens, "fbDeletePens", TCommandGlyph::Remove,
                                     QStringLiteral("Удалить источник выплат"));
    fbEditPens = MakeCommandButton(gbPens, "fbEditPens", TCommandGlyph::Edit,
                                   QStringLiteral("Редактировать источник выплат"));
    auto* pensButtons = new QVBoxLayout;
    for (QToolButton* b : {fbAddPens, fbDeletePens, fbEditPens}) pensButtons->addWidget(b);
    pensButtons->addStretch(1);
    auto* pensLayout = new QHBoxLayout(gbPens);
    pensLayout->addLayout(pensButtons);
    pensLayout->addWidget(lvPensInfo, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chbGrantingSocDeduct);
    layout->addLayout(top);
    layout->addWidget(gbPens, 1);

    SetTabOrder({chbGrantingSocDeduct, meCharitySum, meSelfEducationSum, meMedicalSum,
                 meExpensiveMedicalSum, meStrahovka, fbAddSum, fbDeleteSum, fbEditSum, lvSumList,
                 fbAddPens, fbDeletePens, fbEditPens, lvPensInfo});

    connect(fbAddSum, &QToolButton::clicked, this, &TfrFramePensDeduct::AddSum);
    connect(fbDeleteSum, &QToolButton::clicked, this, &TfrFramePensDeduct::DeleteSum);
    connect(fbEditSum, &QToolButton::clicked, this, &TfrFramePensDeduct::EditSum);
    connect(fbAddPens, &QToolButton::clicked, this, &TfrFramePensDeduct::AddPens);
    connect(fbDeletePens, &QToolButton::clicked, this, &TfrFramePensDeduct::DeletePens);
    connect(fbEditPens, &QToolButton::clicked, this, &TfrFramePensDeduct::EditPens);
    BindListKeys(
        lvSumList, [this] { AddSum(); }, [this] { DeleteSum(); }, [this] { EditSum(); });
    BindListKeys(
        lvPensInfo, [this] { AddPens(); }, [this] { DeletePens(); }, [this] { EditPens(); });

    const mTSocialDeduct& s = Social();
    chbGrantingSocDeduct->setChecked(s.Granted != 0);
    if (s.Granted != 0) {
        meCharitySum->setText(AmountText(s.CharitySum));
        meSelfEducationSum->setText(AmountText(s.SelfEducationSum));
        meMedicalSum->setText(AmountText(s.MedicalSum));
        meExpensiveMedicalSum->setText(AmountText(s.ExpensiveMedicalSum));
        meStrahovka->setText(AmountText(s.InsuranceSum));
        for (size_t i = 0; i < s.EducationSumCount(); ++i)
            AppendRow(lvSumList, {AmountText(s.EducationSum(int(i)))});
        SelectRow(lvSumList, 0);
        for (size_t i = 0; i < s.PensCount(); ++i) AppendRow(lvPensInfo, PensRow(s.Pens(i)));
    }
    OnGranting();
    connect(chbGrantingSocDeduct, &QCheckBox::toggled, this, [this] {
        Notify();
        OnGranting();
    });
    WatchFields();

    using F = DeductionsFocus;
    focusTargets_.Add(F::SocialSums, meCharitySum);
    focusTargets_.Add(F::EducationList, lvSumList);
}

QList<TMaskedEdit*> TfrFramePensDeduct::Amounts() const {
    return {meCharitySum, meSelfEducationSum, meMedicalSum, meExpensiveMedicalSum, meStrahovka};
}

QStringList TfrFramePensDeduct::PensRow(const mTPens& contract) const {
    return {ToQ(contract.Name), AmountText(contract.Contributions)};
}

void TfrFramePensDeduct::OnGranting() {
    const bool on = chbGrantingSocDeduct->isChecked();
    for (TMaskedEdit* e : Amounts()) {
        e->setEnabled(on);
        if (!on) e->clear();
    }
    for (QWidget* w : labels_) w->setEnabled(on);
    for (QWidget* w : QList<QWidget*>{fbAddSum, fbDeleteSum, fbEditSum, fbAddPens, fbDeletePens,
                                      fbEditPens, lvSumList, lvPensInfo})
        w->setEnabled(on);
    if (on) return;
    // Every entry goes, so that none stays in the declaration unseen.
    mTSocialDeduct& s = Social();
    while (s.EducationSumCount() > 0) s.RemoveEducationSum(int(s.EducationSumCount() - 1));
    while (s.PensCount() > 0) s.RemovePens(s.PensCount() - 1);
    lvSumList->clear();
    lvPensInfo->clear();
}

void TfrFramePensDeduct::AddSum() {
    if (!chbGrantingSocDeduct->isChecked()) return;
    mTSocialDeduct& s = Social();
    if (!RoomForOneMore(this, s.EducationSumCount(), QStringLiteral("сумм за обучение детей")))
        return;
    TfmChildEduSum dialog(this);
    if (!RunModal(dialog)) return;
    const Money amount = MoneyFromField(dialog.meChildEduSum->text());
    if (amount.IsZero()) return;
    Notify();
    s.AddEducationSum(amount);
    AppendRow(lvSumList, {AmountText(amount)});
    SelectRow(lvSumList, lvSumList->topLevelItemCount() - 1);
}

void TfrFramePensDeduct::EditSum() {
    const int index = SelectedRow(lvSumList);
    if (index < 0 || !chbGrantingSocDeduct->isChecked()) return;
    mTSocialDeduct& s = Social();
    TfmChildEduSum dialog(this);
    dialog.meChildEduSum->setText(AmountText(s.EducationSum(index)));
    if (!RunModal(dialog)) return;
    const Money amount = MoneyFromField(dialog.meChildEduSum->text());
    if (amount.IsZero()) return;
    if (amount != s.EducationSum(index)) Notify();
    s.SetEducationSum(index, amount);
    SetRowTexts(lvSumList->topLevelItem(index), {AmountText(amount)});
    SelectRow(lvSumList, index);
}

void TfrFramePensDeduct::DeleteSum() {
    const int index = SelectedRow(lvSumList);
    if (index < 0 || !chbGrantingSocDeduct->isChecked()) return;
    Notify();
    Social().RemoveEducationSum(index);
    delete lvSumList->takeTopLevelItem(index);
    SelectRow(lvSumList, RowAfterRemoval(index, lvSumList->topLevelItemCount()));
}

void TfrFramePensDeduct::AddPens() {
    if (!chbGrantingSocDeduct->isChecked()) return;
    mTSocialDeduct& s = Social();
    if (!RoomForOneMore(this, s.PensCount(), QStringLiteral("пенсионных договоров"))) return;
    TfmInputSoursePens dialog(this);
    if (!RunModal(dialog) || dialog.meSourseName->text().trimmed().isEmpty()) return;
    Notify();
    const size_t index = s.AddPens();
    dialog.Store(s.Pens(index));
    AppendRow(lvPensInfo, PensRow(s.Pens(index)));
    SelectRow(lvPensInfo, int(index));
}

void TfrFramePensDeduct::EditPens() {
    const int index = SelectedRow(lvPensInfo);
    if (index < 0 || !chbGrantingSocDeduct->isChecked()) return;
    mTPens& contract = Social().Pens(size_t(index));
    TfmInputSoursePens dialog(this);
    dialog.Fill(contract);
    if (!RunModal(dialog) || dialog.meSourseName->text().trimmed().isEmpty()) return;
    Notify();
    dialog.Store(contract);
    SetRowTexts(lvPensInfo->topLevelItem(index), PensRow(contract));
    SelectRow(lvPensInfo, index);
}

void TfrFramePensDeduct::DeletePens() {
    const int index = SelectedRow(lvPensInfo);
    if (index < 0 || !chbGrantingSocDeduct->isChecked()) return;
    Notify();
    Social().RemovePens(size_t(index));
    delete lvPensInfo->takeTopLevelItem(index);
    SelectRow(lvPensInfo, -1);
}

void TfrFramePensDeduct::StoreToModel() {
    mTSocialDeduct& s = Social();
    s.Granted = chbGrantingSocDeduct->isChecked() ? 1 : 0;
    s.CharitySum = MoneyFromField(meCharitySum->text());
    s.SelfEducationSum = MoneyFromField(meSelfEducationSum->text());
    s.MedicalSum = MoneyFromField(meMedicalSum->text());
    s.ExpensiveMedicalSum = MoneyFromField(meExpensiveMedicalSum->text());
    s.InsuranceSum = MoneyFromField(meStrahovka->text());
}

int TfrFramePensDeduct::Validate() {
    return CheckRules(kPageDeductions);
}

}  // namespace zorv
