#include "shell/initialdata.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "widgets/controlnames.h"
#include "widgets/dateedit.h"
#include "widgets/lookups.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

namespace zorv {

TfrInitialData::TfrInitialData(TShellContext& ctx, QWidget* parent) : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frInitialData"));
    TLoadingScope loading(ctx_);
    BuildControls();
    SetFocusTargets();
    Fill();
    WatchFields();
    building_ = false;
}

void TfrInitialData::BuildControls() {
    // Form of the declaration.
    auto* gbForm = Named(new QGroupBox(QStringLiteral("Тип декларации"), this), "gbForm");
    rbSimple = Named(new QRadioButton(QStringLiteral("3-НДФЛ"), gbForm), "rbSimple");
    rbNeRez = Named(new QRadioButton(QStringLiteral("3-НДФЛ нерезидента"), gbForm), "rbNeRez");
    rb4ndfl = Named(new QRadioButton(QStringLiteral("4-НДФЛ"), gbForm), "rb4ndfl");
    formGroup_ = new QButtonGroup(this);
    formGroup_->addButton(rbSimple, kResident3NDFL);
    formGroup_->addButton(rbNeRez, kNonResident3NDFL);
    formGroup_->addButton(rb4ndfl, kEstimated4NDFL);
    auto* formLayout = new QVBoxLayout(gbForm);
    formLayout->addWidget(rbSimple);
    formLayout->addWidget(rbNeRez);
    formLayout->addWidget(rb4ndfl);

    // Inspection, correction, primary or corrective, filing date.
    auto* gbInspection =
        Named(new QGroupBox(QStringLiteral("Налоговый орган"), this), "gbInspection");
    meInspection = Named(new TMaskedEdit(gbInspection, edtDigital, 4), "meInspection",
                         QStringLiteral("Номер инспекции"));
    meInspection->setFixedWidth(60);
    meInspection->setToolTip(
        QStringLiteral("Четыре цифры кода инспекции; или выберите её из списка кнопкой «...»"));
    bnInspection = Named(new QPushButton(QStringLiteral("..."), gbInspection), "bnInspection",
                         QStringLiteral("Выбрать инспекцию из списка"));
    bnInspection->setFixedWidth(32);
    bnInspection->setToolTip(QStringLiteral("Выбрать инспекцию из списка"));
    Edit1 = Named(new TMaskedEdit(gbInspection, edtNone), "Edit1",
                  QStringLiteral("Наименование инспекции"));
    Edit1->hide();
    lbInspectionName = Named(new QLabel(gbInspection), "lbInspectionName");
    lbInspectionName->setWordWrap(true);
    lbInspectionName->setMinimumHeight(2 * fontMetrics().height());
    meNumVer = Named(new TMaskedEdit(gbInspection, edtDigital, 3), "meNumVer",
                     QStringLiteral("Номер корректировки"));
    meNumVer->setFixedWidth(48);
    updCorrUp = Named(new QToolButton(gbInspection), "updCorrUp",
                      QStringLiteral("Увеличить номер корректировки"));
    updCorrUp->setArrowType(Qt::UpArrow);
    updCorrDown = Named(new QToolButton(gbInspection), "updCorrDown",
                        QStringLiteral("Уменьшить номер корректировки"));
    updCorrDown->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {updCorrUp, updCorrDown}) {
        b->setFixedSize(18, 12);
        b->setFocusPolicy(Qt::NoFocus);
    }
    rbFirst = Named(new QRadioButton(QStringLiteral("Первичная"), gbInspection), "rbFirst");
    rbLast = Named(new QRadioButton(QStringLiteral("Корректирующая"), gbInspection), "rbLast");
    lbGetDate = Named(new QLabel(QStringLiteral("Дата подачи"), gbInspection), "lbGetDate");
    dtGetDate = Named(new TDateEdit(gbInspection), "dtGetDate", QStringLiteral("Дата подачи"));
    dtGetDate->setDateRange(QDate(2008, 1, 1), LastDeclarationDay());
    dtGetDate->SetAllowEmpty(true);
    dtGetDate->setPlaceholderText(QStringLiteral("день выгрузки"));
    cbPrintData = Named(new QCheckBox(QStringLiteral("Не выводить дату на печать"), gbInspection),
                        "cbPrintData");

    auto* inspectionLayout = new QGridLayout(gbInspection);
    auto* inspectionRow = new QHBoxLayout;
    inspectionRow->addWidget(meInspection);
    inspectionRow->addWidget(bnInspection);
    inspectionRow->addStretch(1);
    inspectionLayout->addWidget(new QLabel(QStringLiteral("Номер инспекции"), gbInspection), 0, 0);
    inspectionLayout->addLayout(inspectionRow, 0, 1);
    inspectionLayout->addWidget(lbInspectionName, 1, 0, 1, 2);
    auto* spin = new QVBoxLayout;
    spin->setSpacing(0);
    spin->addWidget(updCorrUp);
    spin->addWidget(updCorrDown);
    auto* corrRow = new QHBoxLayout;
    corrRow->setSpacing(1);
    corrRow->addWidget(meNumVer);
    corrRow->addLayout(spin);
    corrRow->addStretch(1);
    inspectionLayout->addWidget(new QLabel(QStringLiteral("№ корр."), gbInspection), 2, 0);
    inspectionLayout->addLayout(corrRow, 2, 1);
    auto* primaryRow = new QHBoxLayout;
    primaryRow->addWidget(rbFirst);
    primaryRow->addWidget(rbLast);
    primaryRow->addStretch(1);
    inspectionLayout->addLayout(primaryRow, 3, 0, 1, 2);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(dtGetDate);
    dateRow->addStretch(1);
    inspectionLayout->addWidget(lbGetDate, 4, 0);
    inspectionLayout->addLayout(dateRow, 4, 1);
    inspectionLayout->addWidget(cbPrintData, 5, 0, 1, 2);
    inspectionLayout->setColumnStretch(1, 1);
    inspectionLayout->setRowStretch(6, 1);

    // Reporting year.
    pnlYear = Named(new QGroupBox(QStringLiteral("Отчетный год"), this), "pnlYear");
    rb2008 = Named(new QRadioButton(QStringLiteral("2008"), pnlYear), "rb2008");
    rb2009 = Named(new QRadioButton(QStringLiteral("2009"), pnlYear), "rb2009");
    auto* yearLayout = new QHBoxLayout(pnlYear);
    yearLayout->addWidget(rb2008);
    yearLayout->addWidget(rb2009);
    yearLayout->addStretch(1);

    // Taxpayer category.
    gbCategory =
        Named(new QGroupBox(QStringLiteral("Признак налогоплательщика"), this), "gbCategory");
    rbFermer = Named(new QRadioButton(QStringLiteral("Глава фермерского хозяйства"), gbCategory),
                     "rbFermer");
    rbPredp = Named(new QRadioButton(QStringLiteral("Индивидуальный предприниматель"), gbCategory),
                    "rbPredp");
    rbNotarius =
        Named(new QRadioButton(QStringLiteral("Частный нотариус"), gbCategory), "rbNotarius");
    rbAdvokat = Named(new QRadioButton(QStringLiteral("Адвокат"), gbCategory), "rbAdvokat");
    rbFLProch =
        Named(new QRadioButton(QStringLiteral("Иное физическое лицо "), gbCategory), "rbFLProch");
    categoryGroup_ = new QButtonGroup(this);
    categoryGroup_->addButton(rbPredp, 0);
    categoryGroup_->addButton(rbFermer, 1);
    categoryGroup_->addButton(rbNotarius, 2);
    categoryGroup_->addButton(rbAdvokat, 3);
    categoryGroup_->addButton(rbFLProch, 5);
    auto* categoryLayout = new QVBoxLayout(gbCategory);
    for (QRadioButton* rb : {rbFermer, rbPredp, rbNotarius, rbAdvokat, rbFLProch})
        categoryLayout->addWidget(rb);

    // Who confirms the declaration.
    gbSubmitter =
        Named(new QGroupBox(QStringLiteral("Достоверность подтверждается:"), this), "gbSubmitter");
    rbGiveSelf = Named(new QRadioButton(QStringLiteral("Лично"), gbSubmitter), "rbGiveSelf");
    rbGiveTrustFase = Named(new QRadioButton(QStringLiteral("Представителем - ФЛ"), gbSubmitter),
                            "rbGiveTrustFase");
    rbGiveByMail =
        Named(new QRadioButton(QStringLiteral("Представителем - ЮЛ"), gbSubmitter), "rbGiveByMail");
    submitterGroup_ = new QButtonGroup(this);
    submitterGroup_->addButton(rbGiveSelf, 0);
    submitterGroup_->addButton(rbGiveTrustFase, 1);
    submitterGroup_->addButton(rbGiveByMail, 2);
    lbFIO = Named(new QLabel(QStringLiteral("ФИО"), gbSubmitter), "lbFIO");
    meFIO = Named(new TMaskedEdit(gbSubmitter, edtNone, 182), "meFIO",
                  QStringLiteral("ФИО представителя"));
    lbOsn = Named(new QLabel(QStringLiteral("Документ"), gbSubmitter), "lbOsn");
    meOsn = Named(new TMaskedEdit(gbSubmitter, edtNone), "meOsn",
                  QStringLiteral("Документ, подтверждающий полномочия представителя"));
    lbUL = Named(new QLabel(QStringLiteral("Организация - представитель"), gbSubmitter), "lbUL");
    meUL = Named(new TMaskedEdit(gbSubmitter, edtNone, 182), "meUL",
                 QStringLiteral("Организация - представитель"));
    auto* submitterLayout = new QGridLayout(gbSubmitter);
    submitterLayout->addWidget(rbGiveSelf, 0, 0);
    submitterLayout->addWidget(rbGiveTrustFase, 0, 1);
    submitterLayout->addWidget(rbGiveByMail, 1, 1);
    submitterLayout->addWidget(lbFIO, 2, 0);
    submitterLayout->addWidget(meFIO, 2, 1);
    submitterLayout->addWidget(lbOsn, 3, 0);
    submitterLayout->addWidget(meOsn, 3, 1);
    submitterLayout->addWidget(lbUL, 4, 0, 1, 2);
    submitterLayout->addWidget(meUL, 5, 0, 1, 2);
    submitterLayout->setColumnStretch(1, 1);

    // Income groups.
    auto* gbIncome = Named(new QGroupBox(QStringLiteral("Доходы"), this), "gbIncome");
    chbIncomeInquiry =
        Named(new QCheckBox(
                  QStringLiteral(
                      "Учитываемые \"справками о доходах физического лица\", доходы по договорам"),
                  gbIncome),
              "chbIncomeInquiry");
    lbIncomeNote = Named(new QLabel(QStringLiteral("гр.-правового характера, по авторским "
                                                   "вознаграждениям, от продажи имущества и др."),
                                    gbIncome),
                         "lbIncomeNote");
    lbIncomeNote->setWordWrap(true);
    lbIncomeNote->setIndent(22);
    chbIncomeCurrency =
        Named(new QCheckBox(QStringLiteral("В иностранной валюте"), gbIncome), "chbIncomeCurrency");
    chbIncomeBusiness =
        Named(new QCheckBox(QStringLiteral("От предпринимательской деятельности"), gbIncome),
              "chbIncomeBusiness");
    lbSupposeIncome =
        Named(new QLabel(QStringLiteral("Предполагаемый доход:"), gbIncome), "lbSupposeIncome");
    meSupposeIncome = Named(WholeRubles(new TMaskedEdit(gbIncome, edtDigital, 12)),
                            "meSupposeIncome", QStringLiteral("Предполагаемый доход"));
    meSupposeIncome->setFixedWidth(120);
    meSupVich = Named(new TMaskedEdit(gbIncome, edtCurrency, 12, 2), "meSupVich",
                      QStringLiteral("Предполагаемые расходы"));
    meSupVich->hide();
    auto* incomeLayout = new QGridLayout(gbIncome);
    incomeLayout->addWidget(chbIncomeInquiry, 0, 0, 1, 3);
    incomeLayout->addWidget(lbIncomeNote, 1, 0, 1, 3);
    incomeLayout->addWidget(chbIncomeCurrency, 2, 0, 1, 3);
    incomeLayout->addWidget(chbIncomeBusiness, 3, 0);
    incomeLayout->addWidget(lbSupposeIncome, 3, 1, Qt::AlignRight);
    incomeLayout->addWidget(meSupposeIncome, 3, 2);
    incomeLayout->setColumnStretch(0, 1);

    // Supporting documents (kept for the title page; not shown).
    gbAppendixes =
        Named(new QGroupBox(QStringLiteral("Общее число листов подтверждающих документов"), this),
              "gbAppendixes");
    meAppendixes = Named(new TMaskedEdit(gbAppendixes, edtDigital, 4), "meAppendixes",
                         QStringLiteral("Общее число листов подтверждающих документов"));
    chbAutoCalculateApp =
        Named(new QCheckBox(QStringLiteral("Автоматический подсчет"), gbAppendixes),
              "chbAutoCalculateApp");
    auto* appLayout = new QHBoxLayout(gbAppendixes);
    appLayout->addWidget(meAppendixes);
    appLayout->addWidget(chbAutoCalculateApp);
    gbAppendixes->hide();

    auto* grid = new QGridLayout(this);
    grid->addWidget(gbForm, 0, 0);
    grid->addWidget(gbCategory, 0, 1, 2, 1);
    grid->addWidget(pnlYear, 1, 0);
    grid->addWidget(gbInspection, 2, 0);
    grid->addWidget(gbSubmitter, 2, 1);
    grid->addWidget(gbIncome, 3, 0, 1, 2);
    grid->addWidget(gbAppendixes, 4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    // Keyboard order: down the left column, then the right one, then the income groups.
    SetTabOrder({rbSimple,
                 rbNeRez,
                 rb4ndfl,
                 rb2008,
                 rb2009,
                 bnInspection,
                 meNumVer,
                 rbFirst,
                 rbLast,
                 dtGetDate,
                 cbPrintData,
                 rbFermer,
                 rbPredp,
                 rbNotarius,
                 rbAdvokat,
                 rbFLProch,
                 rbGiveSelf,
                 rbGiveTrustFase,
                 rbGiveByMail,
                 meFIO,
                 meOsn,
                 meUL,
                 chbIncomeInquiry,
                 chbIncomeCurrency,
                 chbIncomeBusiness,
                 meSupposeIncome});

    connect(chbIncomeInquiry, &QCheckBox::toggled, this, &TfrInitialData::OnIncomeInquiry);
    connect(chbIncomeCurrency, &QCheckBox::toggled, this, &TfrInitialData::OnIncomeCurrency);
    connect(chbIncomeBusiness, &QCheckBox::toggled, this, &TfrInitialData::OnIncomeBusiness);
    connect(formGroup_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (!on) return;
        Notify();
        OnForm(id);
    });
    connect(submitterGroup_, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (!on) return;
        Notify();
        OnSubmitter(id);
    });
    connect(categoryGroup_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) Notify();
    });
    connect(rb2009, &QRadioButton::toggled, this, [this](bool on) {
        Notify();
        if (on && !building_) OnYear2009();
    });
    connect(rbLast, &QRadioButton::toggled, this, [this](bool on) {
        Notify();
        meNumVer->setEnabled(on);
    });
    connect(chbAutoCalculateApp, &QCheckBox::toggled, this, [this](bool on) {
        Notify();
        meAppendixes->setEnabled(!on);
    });
    connect(cbPrintData, &QCheckBox::toggled, this, [this](bool on) {
        ctx_.printDateOption = on;
        dtGetDate->setEnabled(!on || FormKind() != kEstimated4NDFL);
    });
    connect(dtGetDate, &TDateEdit::dateChanged, this, [this] { Notify(); });
    connect(bnInspection, &QPushButton::clicked, this, &TfrInitialData::OnInspection);
    connect(meInspection, &QLineEdit::textEdited, this, &TfrInitialData::OnInspectionTyped);
    connect(updCorrUp, &QToolButton::clicked, this, [this] { StepCorrection(1); });
    connect(updCorrDown, &QToolButton::clicked, this, [this] { StepCorrection(-1); });
}

void TfrInitialData::SetFocusTargets() {
    using F = ConditionsFocus;
    // Without the inspection list the read-only code field stands for the button.
    focusTargets_.AddLookup(F::Inspection, bnInspection);
    focusTargets_.Add(F::Inspection, meInspection);
    focusTargets_.Add(F::ExpectedIncome, meSupposeIncome);
    focusTargets_.Add(F::RepresentativeName, meFIO);
    focusTargets_.Add(F::RepresentativeDocument, meOsn);
    focusTargets_.Add(F::RepresentativeOrganisation, meUL);
}

void TfrInitialData::Fill() {
    const mTDeclaration& d = Decl();
    cbPrintData->setChecked(ctx_.printDateOption);
    meInspection->setText(ToQ(d.InspectionCode));
    // A document that keeps only the code shows the inspection's name from the list.
    QString inspectionName = ToQ(d.InspectionName);
    if (inspectionName.trimmed().isEmpty() && !d.InspectionCode.empty()) {
        for (const TCodeName& entry : ctx_.references.inspections)
            if (entry.code == ToQ(d.InspectionCode)) inspectionName = entry.name;
    }
    Edit1->setText(inspectionName);
    lbInspectionName->setText(inspectionName);
    dtGetDate->setDate(d.HasFilingDate() ? DateFromDayNumber(d.FilingDate) : QDate());
    meNumVer->setText(QString::number(std::min<uint32_t>(d.CorrectionNumber, 999)));

    if (QAbstractButton* b = submitterGroup_->button(d.SubmitterKind <= 2 ? d.SubmitterKind : 0))
        b->setChecked(true);
    OnSubmitter(submitterGroup_->checkedId());
    meOsn->setText(ToQ(d.RepresentativeDocument));
    meFIO->setText(ToQ(d.RepresentativeName));
    meUL->setText(ToQ(d.RepresentativeOrganisation));

    (d.Year != "2008" ? rb2009 : rb2008)->setChecked(true);
    if (QAbstractButton* b = categoryGroup_->button(d.TaxpayerCategory))
        b->setChecked(true);
    else
        rbFLProch->setChecked(true);

    chbIncomeInquiry->setChecked(d.HasIncome(kIncomeFromAgents));
    chbIncomeCurrency->setChecked(d.HasIncome(kIncomeForeign));
    chbIncomeBusiness->setChecked(d.HasIncome(kIncomeBusiness));
    // The toggles above only run for a change; set everything they govern.
    OnIncomeInquiry(chbIncomeInquiry->isChecked());
    OnIncomeCurrency(chbIncomeCurrency->isChecked());
    OnIncomeBusiness(chbIncomeBusiness->isChecked());

    meSupposeIncome->setText(d.ExpectedIncome.IsZero() ? QString() : MoneyText(d.ExpectedIncome));
    meSupVich->setText(d.ExpectedExpense.IsZero() ? QString() : MoneyText(d.ExpectedExpense));
    meAppendixes->setText(QString::number(d.AppendixTotal));
    chbAutoCalculateApp->setChecked(false);
    bnInspection->setEnabled(ctx_.references.HaveInspections());

    // The form decides the rest; primary or corrective comes from the document.
    const int kind =
        d.DeclarationKind <= kEstimated4NDFL ? int(d.DeclarationKind) : int(kResident3NDFL);
    formGroup_->button(kind)->setChecked(true);
    OnForm(kind);
    if (kind == kEstimated4NDFL) (d.IsPrimary ? rbFirst : rbLast)->setChecked(true);
    meNumVer->setEnabled(rbLast->isChecked());
}

int TfrInitialData::FormKind() const {
    return formGroup_->checkedId() < 0 ? 0 : formGroup_->checkedId();
}

void TfrInitialData::UpdateDeduction() {
    const bool any = chbIncomeInquiry->isChecked() || chbIncomeCurrency->isChecked() ||
                     chbIncomeBusiness->isChecked();
    const int kind = FormKind();
    ctx_.SetNavEnabled(navDeduction, any && kind != kNonResident3NDFL && kind != kEstimated4NDFL);
}

void TfrInitialData::OnIncomeInquiry(bool checked) {
    Notify();
    ctx_.SetNavEnabled(navRussianIncome, checked);
    UpdateDeduction();
}

void TfrInitialData::OnIncomeCurrency(bool checked) {
    Notify();
    ctx_.SetNavEnabled(navForeignIncome, checked);
    UpdateDeduction();
}

void TfrInitialData::OnIncomeBusiness(bool checked) {
    Notify();
    ctx_.SetNavEnabled(navBusinessIncome, checked);
    lbSupposeIncome->setEnabled(checked);
    meSupposeIncome->setEnabled(checked);
    meSupVich->setEnabled(checked);
    if (!checked) {
        meSupposeIncome->clear();
        meSupVich->clear();
    }
    UpdateDeduction();
}

void TfrInitialData::OnSubmitter(int kind) {
    const bool person = kind >= 1;
    const bool organisation = kind == 2;
    for (QWidget* w : std::initializer_list<QWidget*>{lbFIO, meFIO, lbOsn, meOsn})
        w->setEnabled(person);
    lbUL->setEnabled(organisation);
    meUL->setEnabled(organisation);
}

void TfrInitialData::OnForm(int kind) {
    const bool estimated = kind == kEstimated4NDFL;
    const bool resident = kind == kResident3NDFL;
    pnlYear->setVisible(!estimated);
    if (!resident) {
        chbIncomeCurrency->setChecked(false);
        chbIncomeBusiness->setChecked(false);
    }
    chbIncomeCurrency->setEnabled(resident);
    chbIncomeBusiness->setEnabled(resident);
    if (estimated) chbIncomeInquiry->setChecked(false);
    chbIncomeInquiry->setEnabled(!estimated);
    UpdateDeduction();
    ctx_.SetNavEnabled(navNalog, !estimated);
    chbAutoCalculateApp->setEnabled(!estimated);
    lbIncomeNote->setEnabled(!estimated);

    rbFermer->setEnabled(!estimated);
    rbFLProch->setEnabled(!estimated);
    if (estimated && (rbFermer->isChecked() || rbFLProch->isChecked())) rbPredp->setChecked(true);

    rbFirst->setVisible(estimated);
    rbLast->setVisible(estimated);
    // A 4-NDFL without a correction number is a primary one (a stored document
    // then shows what it was stored as).
    if (estimated)
        (NumberFromField(meNumVer->text()) == 0 ? rbFirst : rbLast)->setChecked(true);
    else
        rbLast->setChecked(true);

    for (QRadioButton* rb : {rbGiveSelf, rbGiveTrustFase, rbGiveByMail}) rb->setEnabled(!estimated);
    if (estimated) {
        rbGiveSelf->setChecked(true);
        for (QWidget* w : std::initializer_list<QWidget*>{lbFIO, meFIO, lbOsn, meOsn, lbUL, meUL})
            w->setEnabled(false);
        gbAppendixes->hide();
    } else {
        OnSubmitter(submitterGroup_->checkedId());
    }

    lbSupposeIncome->setVisible(estimated);
    meSupposeIncome->setVisible(estimated);
    if (estimated) {
        lbSupposeIncome->setEnabled(true);
        meSupposeIncome->setEnabled(true);
    }
    // Every form carries its date; only the 4-NDFL paper may leave it out.
    cbPrintData->setVisible(estimated);
    dtGetDate->setEnabled(!(estimated && ctx_.printDateOption));
}

void TfrInitialData::OnYear2009() {
    ShowInfo(
        this,
        QStringLiteral(
            "Внимание! В программе используются бланки форм и алгоритмы расчета, актуальные для "
            "доходов 2008 года. Вы в праве воспользоваться программой для заполнения Декларации за "
            "2009 год до тех пор, пока приказ Минфина России от 31.12.2008 № 153н остается в "
            "силе."));
    ShowInfo(
        this,
        QStringLiteral(
            "Лицам, получающим имущественный вычет на новое строительство, стандартные и "
            "социальные "
            "вычеты настоятельно рекомендуем дождаться нового приказа и программы \"Zorv 2009\"."));
}

void TfrInitialData::OnInspection() {
    TfmInputInspectionNumber lookup(this, ctx_.references.inspections);
    TCodeName chosen;
    if (!PickFromLookup(lookup, meInspection->text(), chosen)) return;
    if (chosen.code == meInspection->text()) return;
    meInspection->setText(chosen.code);
    Edit1->setText(chosen.name);
    lbInspectionName->setText(chosen.name);
    Notify();
}

void TfrInitialData::OnInspectionTyped(const QString& code) {
    QString name;
    QString note;
    if (code.size() == 4) {
        for (const TCodeName& entry : ctx_.references.inspections)
            if (entry.code == code) name = entry.name;
        if (name.isEmpty() && !ctx_.references.inspections.empty())
            note = QStringLiteral(
                       "Инспекции с кодом %1 нет в списке: проверьте код или выберите "
                       "инспекцию кнопкой «...».")
                       .arg(code);
    } else if (!code.isEmpty()) {
        note = QStringLiteral("Код инспекции состоит из четырех цифр.");
    }
    Edit1->setText(name);
    lbInspectionName->setText(name.isEmpty() ? note : name);
}

void TfrInitialData::StepCorrection(int delta) {
    if (!meNumVer->isEnabled()) return;
    const int value = std::clamp(int(NumberFromField(meNumVer->text())) + delta, 0, 999);
    meNumVer->setText(QString::number(value));
}

void TfrInitialData::StoreToModel() {
    mTDeclaration& d = Decl();
    d.InspectionCode = FromQ(meInspection->text());
    d.InspectionName = FromQ(Edit1->text());
    d.FilingDate = dtGetDate->date().isValid() ? DayNumberFromDate(dtGetDate->date()) : 0;
    // A 4-NDFL declaration is confirmed by the taxpayer: the representative
    // choice is locked there, and a kind left over from another form would ask
    // for a name that cannot be typed.
    d.SubmitterKind =
        FormKind() == kEstimated4NDFL ? 0 : uint8_t(std::max(0, submitterGroup_->checkedId()));
    d.Year = rb2009->isChecked() ? "2009" : "2008";
    d.TaxpayerCategory =
        uint8_t(categoryGroup_->checkedId() < 0 ? kCategoryOther : categoryGroup_->checkedId());
    d.DeclarationKind = uint8_t(FormKind());

    uint8_t flags = 0;
    if (chbIncomeInquiry->isChecked()) flags |= kIncomeFromAgents;
    if (chbIncomeCurrency->isChecked()) flags |= kIncomeForeign;
    if (chbIncomeBusiness->isChecked()) flags |= kIncomeBusiness;
    // Private-practice records come only from documents and no box stands for
    // them, so leaving the page keeps them.
    if (d.HasIncome(kIncomeRepetit)) flags |= kIncomeRepetit;
    d.SetIncomeFlags(flags);

    d.ExpectedIncome = MoneyFromField(meSupposeIncome->text());
    d.ExpectedExpense =
        chbIncomeBusiness->isChecked() ? MoneyFromField(meSupVich->text()) : Money();

    auto kept = [](const TMaskedEdit* edit) {
        return edit->isEnabled() && !edit->text().isEmpty() ? FromQ(edit->text()) : std::string();
    };
    d.RepresentativeDocument = kept(meOsn);
    d.RepresentativeOrganisation = kept(meUL);
    d.RepresentativeName = kept(meFIO);

    d.IsPrimary = rbFirst->isChecked() ? 1 : 0;
    d.CorrectionNumber = rbLast->isChecked() ? NumberFromField(meNumVer->text()) : 0;

    d.AutoCountAppendixes = 0;
    if (!chbAutoCalculateApp->isChecked())
        d.SetAppendixTotal(NumberFromField(meAppendixes->text()));
}

int TfrInitialData::Validate() {
    return CheckRules(kPageConditions);
}

}  // namespace zorv
