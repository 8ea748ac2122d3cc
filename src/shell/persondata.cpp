#include "shell/persondata.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "widgets/controlnames.h"
#include "widgets/dateedit.h"
#include "widgets/flashbutton.h"
#include "widgets/lookups.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

TDateEdit* DateEdit(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* edit = Named(new TDateEdit(parent), name, accessibleName);
    edit->setDateRange(QDate(1900, 1, 1), QDate::currentDate());
    return edit;
}

QLabel* PanelLabel(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* label = Named(new QLabel(parent), name, accessibleName);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setWordWrap(true);
    label->setMinimumHeight(label->fontMetrics().height() + 8);
    return label;
}

QString TwoDigits(int code) {
    return QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
}

}  // namespace

// ---- name and identity ----

TfrPersonNaim::TfrPersonNaim(TShellContext& ctx, QWidget* parent) : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frPersonNaim"));
    TLoadingScope loading(ctx_);

    auto* gbName = Named(new QGroupBox(QStringLiteral("Фамилия, имя, отчество"), this), "gbName");
    meSurName = Named(new TMaskedEdit(gbName, edtNone, 33), "meSurName", QStringLiteral("Фамилия"));
    meName = Named(new TMaskedEdit(gbName, edtNone, 33), "meName", QStringLiteral("Имя"));
    mePatronymic =
        Named(new TMaskedEdit(gbName, edtNone, 33), "mePatronymic", QStringLiteral("Отчество"));
    meINN = Named(new TMaskedEdit(gbName, edtDigital, 12), "meINN", QStringLiteral("ИНН"));
    lbStrSv =
        Named(new QLabel(QStringLiteral("Номер страхового свидетельства"), gbName), "lbStrSv");
    meStrSv = Named(new TMaskedEdit(gbName, edtDigital, 11), "meStrSv",
                    QStringLiteral("Номер страхового свидетельства"));
    lbSex = Named(new QLabel(QStringLiteral("Пол"), gbName), "lbSex");
    rbM = Named(new QRadioButton(QStringLiteral("Мужской"), gbName), "rbM");
    rbZh = Named(new QRadioButton(QStringLiteral("Женский"), gbName), "rbZh");
    dtBirthDate = DateEdit(gbName, "dtBirthDate", QStringLiteral("Дата рождения"));
    meMesto =
        Named(new TMaskedEdit(gbName, edtNone, 128), "meMesto", QStringLiteral("Место рождения"));
    auto* sexGroup = new QButtonGroup(this);
    sexGroup->addButton(rbM);
    sexGroup->addButton(rbZh);

    auto* nameLayout = new QGridLayout(gbName);
    nameLayout->addWidget(new QLabel(QStringLiteral("Фамилия"), gbName), 0, 0);
    nameLayout->addWidget(meSurName, 0, 1);
    nameLayout->addWidget(new QLabel(QStringLiteral("ИНН"), gbName), 0, 2);
    nameLayout->addWidget(meINN, 0, 3);
    nameLayout->addWidget(new QLabel(QStringLiteral("Имя"), gbName), 1, 0);
    nameLayout->addWidget(meName, 1, 1);
    nameLayout->addWidget(lbStrSv, 1, 2);
    nameLayout->addWidget(meStrSv, 1, 3);
    nameLayout->addWidget(new QLabel(QStringLiteral("Отчество"), gbName), 2, 0);
    nameLayout->addWidget(mePatronymic, 2, 1);
    auto* sexRow = new QHBoxLayout;
    sexRow->addWidget(lbSex);
    sexRow->addSpacing(8);
    sexRow->addWidget(rbM);
    sexRow->addWidget(rbZh);
    sexRow->addStretch(1);
    nameLayout->addLayout(sexRow, 2, 2, 1, 2);
    nameLayout->addWidget(new QLabel(QStringLiteral("Дата рождения"), gbName), 3, 0);
    auto* birthRow = new QHBoxLayout;
    birthRow->addWidget(dtBirthDate);
    birthRow->addStretch(1);
    nameLayout->addLayout(birthRow, 3, 1);
    nameLayout->addWidget(new QLabel(QStringLiteral("Место рождения"), gbName), 4, 0);
    nameLayout->addWidget(meMesto, 4, 1, 1, 3);
    nameLayout->setColumnStretch(1, 1);
    meINN->setFixedWidth(120);
    meStrSv->setFixedWidth(120);

    auto* gbDocument = Named(
        new QGroupBox(QStringLiteral("Документ, удостоверяющий личность"), this), "gbDocument");
    pnlDocType = PanelLabel(gbDocument, "pnlDocType", QStringLiteral("Вид документа"));
    bnDocType = Named(new QPushButton(QStringLiteral("..."), gbDocument), "bnDocType",
                      QStringLiteral("Выбрать вид документа"));
    bnDocType->setFixedWidth(32);
    bnDocType->setToolTip(QStringLiteral("Выбрать вид документа"));
    meSerial = Named(new TMaskedDocEdit(gbDocument), "meSerial",
                     QStringLiteral("Серия и номер документа"));
    dtRegDate = DateEdit(gbDocument, "dtRegDate", QStringLiteral("Дата выдачи документа"));
    meKem = Named(new TMaskedEdit(gbDocument, edtNone, 128), "meKem",
                  QStringLiteral("Кем выдан документ"));
    auto* docLayout = new QGridLayout(gbDocument);
    docLayout->addWidget(new QLabel(QStringLiteral("Вид документа"), gbDocument), 0, 0);
    docLayout->addWidget(pnlDocType, 0, 1, 1, 3);
    docLayout->addWidget(bnDocType, 0, 4);
    docLayout->addWidget(new QLabel(QStringLiteral("Серия и номер"), gbDocument), 1, 0);
    docLayout->addWidget(meSerial, 1, 1);
    docLayout->addWidget(new QLabel(QStringLiteral("Дата выдачи"), gbDocument), 1, 2,
                         Qt::AlignRight);
    docLayout->addWidget(dtRegDate, 1, 3);
    docLayout->addWidget(new QLabel(QStringLiteral("Кем выдан"), gbDocument), 2, 0);
    docLayout->addWidget(meKem, 2, 1, 1, 4);
    docLayout->setColumnStretch(1, 1);

    gbCitizenship =
        Named(new QGroupBox(QStringLiteral("Данные о гражданстве"), this), "gbCitizenship");
    chbIsForeighner =
        Named(new QCheckBox(QStringLiteral("Являюсь иностранным лицом"), gbCitizenship),
              "chbIsForeighner");
    rbGr = Named(new QRadioButton(QStringLiteral("Гражданин"), gbCitizenship), "rbGr");
    rbBomzh =
        Named(new QRadioButton(QStringLiteral("Лицо без гражданства"), gbCitizenship), "rbBomzh");
    lbKodGrazhd = Named(new QLabel(QStringLiteral("Код страны"), gbCitizenship), "lbKodGrazhd");
    meKodGrazhd = Named(new TMaskedEdit(gbCitizenship, edtDigital, 3), "meKodGrazhd",
                        QStringLiteral("Код страны"));
    meKodGrazhd->setFixedWidth(48);
    bnGrazhd = Named(new QPushButton(QStringLiteral("..."), gbCitizenship), "bnGrazhd",
                     QStringLiteral("Выбрать страну из списка"));
    bnGrazhd->setFixedWidth(32);
    bnGrazhd->setToolTip(QStringLiteral("Выбрать страну из списка"));
    meCitizenship = Named(new TMaskedEdit(gbCitizenship, edtNone, 70), "meCitizenship",
                          QStringLiteral("Гражданство"));
    auto* citizenGroup = new QButtonGroup(this);
    citizenGroup->addButton(rbGr);
    citizenGroup->addButton(rbBomzh);
    auto* citLayout = new QGridLayout(gbCitizenship);
    auto* citRow = new QHBoxLayout;
    citRow->addWidget(chbIsForeighner);
    citRow->addWidget(rbGr);
    citRow->addWidget(rbBomzh);
    citRow->addStretch(1);
    citLayout->addLayout(citRow, 0, 0, 1, 4);
    citLayout->addWidget(lbKodGrazhd, 1, 0);
    citLayout->addWidget(meKodGrazhd, 1, 1);
    citLayout->addWidget(bnGrazhd, 1, 2);
    citLayout->addWidget(meCitizenship, 1, 3);
    citLayout->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbName);
    layout->addWidget(gbDocument);
    layout->addWidget(gbCitizenship);
    layout->addStretch(1);

    SetTabOrder({meSurName, meName, mePatronymic, meINN, meStrSv, rbM, rbZh, dtBirthDate, meMesto,
                 bnDocType, meSerial, dtRegDate, meKem, chbIsForeighner, rbGr, rbBomzh, meKodGrazhd,
                 bnGrazhd, meCitizenship});

    connect(chbIsForeighner, &QCheckBox::toggled, this, &TfrPersonNaim::OnForeigner);
    connect(bnDocType, &QPushButton::clicked, this, &TfrPersonNaim::OnDocType);
    connect(bnGrazhd, &QPushButton::clicked, this, &TfrPersonNaim::OnCountry);
    for (QRadioButton* rb : {rbM, rbZh, rbGr, rbBomzh})
        connect(rb, &QRadioButton::toggled, this, [this](bool on) {
            if (on) Notify();
        });
    for (TDateEdit* dt : {dtBirthDate, dtRegDate})
        connect(dt, &TDateEdit::dateChanged, this, [this] { Notify(); });

    using F = TaxpayerFocus;
    focusTargets_.Add(F::SurName, meSurName);
    focusTargets_.Add(F::Name, meName);
    focusTargets_.Add(F::Patronymic, mePatronymic);
    focusTargets_.Add(F::INN, meINN);
    focusTargets_.AddLookup(F::DocType, bnDocType);
    focusTargets_.Add(F::DocNumber, meSerial);
    focusTargets_.Add(F::DocIssueDate, dtRegDate);
    focusTargets_.Add(F::DocIssuedBy, meKem);
    focusTargets_.Add(F::BirthPlace, meMesto);
    focusTargets_.Add(F::Citizenship, meCitizenship);

    Fill();
    WatchFields();
}

void TfrPersonNaim::Fill() {
    mTPersonInformation& p = Decl().Person;
    const bool estimated = Decl().DeclarationKind == kEstimated4NDFL;
    lbStrSv->setVisible(estimated);
    meStrSv->setVisible(estimated);
    lbSex->setVisible(estimated);
    rbM->setVisible(estimated);
    rbZh->setVisible(estimated);
    chbIsForeighner->setVisible(estimated);
    rbGr->setVisible(!estimated);
    rbBomzh->setVisible(!estimated);
    if (estimated) {
        gbCitizenship->setTitle(QStringLiteral("Заполняется иностранными физическими лицами"));
    } else {
        gbCitizenship->setTitle(QStringLiteral("Данные о гражданстве"));
        // A 3-NDFL taxpayer always states a citizenship.
        chbIsForeighner->setChecked(true);
        OnForeigner(true);
    }

    meSurName->setText(ToQ(p.SurName));
    meName->setText(ToQ(p.Name));
    mePatronymic->setText(ToQ(p.Patronymic));
    meINN->setText(ToQ(p.INN));
    meStrSv->setText(ToQ(p.InsuranceNumber));
    (p.Sex != kSexMale ? rbZh : rbM)->setChecked(true);
    meMesto->setText(ToQ(p.BirthPlace));

    docTypeCode_ = p.DocTypeCode;
    docTypeName_ = ToQ(p.DocTypeName);
    pnlDocType->setText(docTypeName_);
    EnableDocument(!docTypeName_.isEmpty());
    const QString number = ToQ(p.DocNumber);
    int mask = docTypeName_.isEmpty() ? 5 : DocNumberMaskKind(docTypeCode_);
    // A number kept in another form (an earlier year's document) stays as it is.
    if (!DocNumberFits(mask, number)) mask = 5;
    meSerial->SetMaskKind(mask);
    meSerial->setText(number);
    meKem->setText(ToQ(p.DocIssuedBy));

    dtBirthDate->setDate(DateFromDayNumber(p.BirthDate));
    dtRegDate->setDate(DateFromDayNumber(p.DocIssueDate));

    chbIsForeighner->setChecked(p.IsForeigner != 0);
    OnForeigner(chbIsForeighner->isChecked());
    (p.CitizenshipKind == "2" ? rbBomzh : rbGr)->setChecked(true);
    meKodGrazhd->setText(ToQ(p.CitizenshipCode));
    meCitizenship->setText(ToQ(p.CitizenshipName));
}

void TfrPersonNaim::EnableDocument(bool enabled) {
    meSerial->setEnabled(enabled);
    dtRegDate->setEnabled(enabled);
    meKem->setEnabled(enabled);
}

void TfrPersonNaim::OnForeigner(bool checked) {
    Decl().Person.IsForeigner = checked ? 1 : 0;
    Notify();
    const bool lookup = checked && ctx_.references.HaveCountries();
    bnGrazhd->setEnabled(lookup);
    lbKodGrazhd->setEnabled(checked);
    for (QWidget* w : std::initializer_list<QWidget*>{rbGr, rbBomzh, meKodGrazhd, meCitizenship})
        w->setEnabled(checked);
}

void TfrPersonNaim::OnDocType() {
    TfmDocType lookup(this);
    TCodeName chosen;
    if (!PickFromLookup(lookup, TwoDigits(docTypeCode_ ? docTypeCode_ : 1), chosen)) return;
    const uint16_t code = uint16_t(chosen.code.toUInt());
    if (code == docTypeCode_ && !docTypeName_.isEmpty()) return;
    Notify();
    docTypeCode_ = code;
    docTypeName_ = chosen.name;
    pnlDocType->setText(docTypeName_);
    meSerial->clear();
    meSerial->SetMaskKind(DocNumberMaskKind(code));
    EnableDocument(true);
    dtRegDate->setDate(QDate(1990, 1, 1));
    meKem->clear();
}

void TfrPersonNaim::OnCountry() {
    TfmGrazhd lookup(this, ctx_.references.countries);
    TCodeName chosen;
    if (!PickFromLookup(lookup, meKodGrazhd->text(), chosen)) return;
    if (chosen.code == meKodGrazhd->text()) return;
    meKodGrazhd->setText(chosen.code);
    meCitizenship->setText(chosen.name.left(70));
    Notify();
}

void TfrPersonNaim::StoreToModel() {
    mTPersonInformation& p = Decl().Person;
    p.SurName = FromQ(meSurName->text());
    p.Name = FromQ(meName->text());
    p.Patronymic = FromQ(mePatronymic->text());
    p.INN = FromQ(meINN->text());
    p.InsuranceNumber = FromQ(meStrSv->text());
    p.Sex = rbM->isChecked() ? kSexMale : kSexFemale;
    p.BirthPlace = FromQ(meMesto->text());
    p.DocTypeCode = docTypeCode_;
    p.DocTypeName = FromQ(docTypeName_);
    p.DocNumber = FromQ(meSerial->text());
    p.DocIssuedBy = FromQ(meKem->text());
    p.BirthDate = DayNumberFromDate(dtBirthDate->date());
    p.DocIssueDate = DayNumberFromDate(dtRegDate->date());
    p.IsForeigner = chbIsForeighner->isChecked() ? 1 : 0;
    if (p.IsForeigner) {
        p.CitizenshipKind = rbGr->isChecked() ? "1" : "2";
        p.CitizenshipName = FromQ(meCitizenship->text());
        p.CitizenshipCode = FromQ(meKodGrazhd->text());
    }
}

int TfrPersonNaim::Validate() {
    return CheckRules(kPageTaxpayer);
}

// ---- address ----

TfrPersonAddress::TfrPersonAddress(TShellContext& ctx, QWidget* parent)
    : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frPersonAddress"));
    TLoadingScope loading(ctx_);

    auto* gbAddress =
        Named(new QGroupBox(QStringLiteral("Адрес в Российской Федерации"), this), "gbAddress");
    rbReg = Named(new QRadioButton(QStringLiteral("жительства"), gbAddress), "rbReg");
    rbPreb = Named(new QRadioButton(QStringLiteral("пребывания"), gbAddress), "rbPreb");
    mePostIndex = Named(new TMaskedEdit(gbAddress, edtDigital, 6), "mePostIndex",
                        QStringLiteral("Почтовый индекс"));
    mePostIndex->setFixedWidth(70);
    pnlRegion = PanelLabel(gbAddress, "pnlRegion", QStringLiteral("Регион"));
    bnRegion = Named(new QPushButton(QStringLiteral("..."), gbAddress), "bnRegion",
                     QStringLiteral("Выбрать регион из списка"));
    bnRegion->setFixedWidth(32);
    bnRegion->setToolTip(QStringLiteral("Выбрать регион из списка"));
    meDistrict =
        Named(new TMaskedEdit(gbAddress, edtNone, 40), "meDistrict", QStringLiteral("Район"));
    meCity = Named(new TMaskedEdit(gbAddress, edtNone, 40), "meCity", QStringLiteral("Город"));
    meArea = Named(new TMaskedEdit(gbAddress, edtNone, 40), "meArea",
                   QStringLiteral("Населенный пункт"));
    meStreet = Named(new TMaskedEdit(gbAddress, edtNone, 40), "meStreet", QStringLiteral("Улица"));
    meHouse = Named(new TMaskedEdit(gbAddress, edtNone, 7), "meHouse", QStringLiteral("Дом"));
    meBuilding =
        Named(new TMaskedEdit(gbAddress, edtNone, 7), "meBuilding", QStringLiteral("Корпус"));
    meFlat = Named(new TMaskedEdit(gbAddress, edtNone, 7), "meFlat", QStringLiteral("Квартира"));
    meOKATO =
        Named(new TMaskedEdit(gbAddress, edtDigital, 11), "meOKATO", QStringLiteral("Код ОКАТО"));
    for (TMaskedEdit* e : {meHouse, meBuilding, meFlat}) e->setFixedWidth(70);
    meOKATO->setFixedWidth(110);

    auto* kindGroup = new QButtonGroup(this);
    kindGroup->addButton(rbReg);
    kindGroup->addButton(rbPreb);
    auto* grid = new QGridLayout(gbAddress);
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(new QLabel(QStringLiteral("Адрес места"), gbAddress));
    kindRow->addWidget(rbReg);
    kindRow->addWidget(rbPreb);
    kindRow->addStretch(1);
    grid->addLayout(kindRow, 0, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Почтовый индекс"), gbAddress), 1, 0);
    grid->addWidget(mePostIndex, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Регион"), gbAddress), 2, 0);
    auto* regionRow = new QHBoxLayout;
    regionRow->addWidget(pnlRegion, 1);
    regionRow->addWidget(bnRegion);
    grid->addLayout(regionRow, 2, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Район"), gbAddress), 3, 0);
    grid->addWidget(meDistrict, 3, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Город"), gbAddress), 4, 0);
    grid->addWidget(meCity, 4, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Населенный пункт"), gbAddress), 5, 0);
    grid->addWidget(meArea, 5, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Улица"), gbAddress), 6, 0);
    grid->addWidget(meStreet, 6, 1, 1, 3);
    auto* houseRow = new QHBoxLayout;
    houseRow->addWidget(meHouse);
    houseRow->addWidget(new QLabel(QStringLiteral("Корпус"), gbAddress));
    houseRow->addWidget(meBuilding);
    houseRow->addWidget(new QLabel(QStringLiteral("Квартира"), gbAddress));
    houseRow->addWidget(meFlat);
    houseRow->addStretch(1);
    grid->addWidget(new QLabel(QStringLiteral("Дом"), gbAddress), 7, 0);
    grid->addLayout(houseRow, 7, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Код ОКАТО"), gbAddress), 8, 0);
    grid->addWidget(meOKATO, 8, 1);
    grid->setColumnStretch(3, 1);

    gbPhone = Named(new QGroupBox(QStringLiteral("Контактный телефон"), this), "gbPhone");
    meHomePhone = Named(new TMaskedEdit(gbPhone, edtDigital, 20), "meHomePhone",
                        QStringLiteral("Контактный телефон"));
    auto* phoneLayout = new QHBoxLayout(gbPhone);
    phoneLayout->addWidget(meHomePhone);
    auto* gbForeign =
        Named(new QGroupBox(QStringLiteral("Адрес за пределами РФ"), this), "gbForeign");
    meAdr = Named(new TMaskedEdit(gbForeign, edtNone, 140), "meAdr",
                  QStringLiteral("Адрес за пределами РФ"));
    auto* foreignLayout = new QHBoxLayout(gbForeign);
    foreignLayout->addWidget(meAdr);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(gbPhone, 1);
    bottom->addWidget(gbForeign, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gbAddress);
    layout->addLayout(bottom);
    layout->addStretch(1);

    SetTabOrder({rbReg, rbPreb, mePostIndex, bnRegion, meDistrict, meCity, meArea, meStreet,
                 meHouse, meBuilding, meFlat, meOKATO, meHomePhone, meAdr});

    const mTPersonInformation& p = Decl().Person;
    (p.IsTemporaryAddress ? rbPreb : rbReg)->setChecked(true);
    mePostIndex->setText(ToQ(p.PostIndex));
    regionCode_ = p.RegionCode;
    pnlRegion->setText(ToQ(p.RegionName));
    meDistrict->setText(ToQ(p.District));
    meCity->setText(ToQ(p.City));
    meArea->setText(ToQ(p.Locality));
    meStreet->setText(ToQ(p.Street));
    meHouse->setText(ToQ(p.House));
    meBuilding->setText(ToQ(p.Building));
    meFlat->setText(ToQ(p.Flat));
    meOKATO->setText(ToQ(p.OKATO));
    meHomePhone->setText(ToQ(p.HomePhone));
    meAdr->setText(ToQ(p.ForeignAddress));
    gbPhone->setVisible(Decl().DeclarationKind != kEstimated4NDFL);

    connect(rbReg, &QRadioButton::toggled, this, [this] { Notify(); });
    connect(bnRegion, &QPushButton::clicked, this, &TfrPersonAddress::OnRegion);
    WatchFields();

    using F = AddressFocus;
    focusTargets_.AddLookup(F::Region, bnRegion);
    focusTargets_.Add(F::OKATO, meOKATO);
    focusTargets_.Add(F::Locality, meArea);
}

void TfrPersonAddress::OnRegion() {
    TfmRegionName lookup(this);
    TCodeName chosen;
    if (!PickFromLookup(lookup, TwoDigits(regionCode_), chosen)) return;
    if (chosen.name == pnlRegion->text()) return;
    regionCode_ = uint16_t(chosen.code.toUInt());
    pnlRegion->setText(chosen.name);
    Notify();
}

void TfrPersonAddress::StoreToModel() {
    mTPersonInformation& p = Decl().Person;
    p.IsTemporaryAddress = rbPreb->isChecked() ? 1 : 0;
    p.PostIndex = FromQ(mePostIndex->text());
    p.RegionCode = regionCode_;
    p.RegionName = FromQ(pnlRegion->text());
    p.District = FromQ(meDistrict->text());
    p.City = FromQ(meCity->text());
    p.Locality = FromQ(meArea->text());
    p.Street = FromQ(meStreet->text());
    p.House = FromQ(meHouse->text());
    p.Building = FromQ(meBuilding->text());
    p.Flat = FromQ(meFlat->text());
    p.OKATO = FromQ(meOKATO->text());
    p.HomePhone = FromQ(meHomePhone->text());
    p.ForeignAddress = FromQ(meAdr->text());
}

int TfrPersonAddress::Validate() {
    return CheckRules(kPageAddress);
}

// ---- hub ----

TfrPersonData::TfrPersonData(TShellContext& ctx, QWidget* parent) : THubFrame(ctx, parent) {
    setObjectName(QStringLiteral("frPersonData"));
    // The sub-buttons in the order of the hub's sub-pages (see PageAt).
    Named(AddSubButton(QStringLiteral("ФИО и документ"),
                       QStringLiteral("Сведения о ФИО и документе, удостоверяющем личность")),
          "fbPersonNaim");
    Named(AddSubButton(QStringLiteral("Место жительства"),
                       QStringLiteral("Сведения о месте жительства")),
          "fbPersonAddress");
    Start(SubPageOf(kPageTaxpayer));
}

TThinkingFrame* TfrPersonData::CreateSubPage(int index, QWidget* parent) {
    if (PageAt(navPersonInfo, index) == kPageAddress) return new TfrPersonAddress(ctx_, parent);
    return new TfrPersonNaim(ctx_, parent);
}

}  // namespace zorv
