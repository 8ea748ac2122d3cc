#include "pages/propertydeduct.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "pages/entrykit.h"
#include "pages/updown.h"
#include "widgets/controlnames.h"
#include "widgets/dateedit.h"
#include "widgets/dialogs.h"
#include "widgets/lookups.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

constexpr int kFirstStartYear = 1992;
constexpr int kLastStartYear = 2009;
constexpr int kEmptyStartYear = 1997;

TDateEdit* DateField(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* edit = Named(new TDateEdit(parent), name, accessibleName);
    edit->setDateRange(QDate(1990, 1, 1), LastDeclarationDay());
    edit->setDate(QDate(2008, 1, 1));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00.00.00000")) + 40);
    return edit;
}

// An amount of up to 8 whole digits and kopecks.
TMaskedEdit* MoneyField(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* edit = Named(new TMaskedEdit(parent, edtCurrency, 8, 2), name, accessibleName);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000000,00")) + 16);
    return edit;
}

TMaskedEdit* TextField(QWidget* parent, const char* name, int length, const QString& label) {
    return Named(new TMaskedEdit(parent, edtNone, length), name, label);
}

// A share part: empty or "0" is 1.
uint32_t SharePart(const QString& text) {
    const uint32_t n = NumberFromField(text);
    return n == 0 ? 1 : n;
}

}  // namespace

int TfrConstructionDeduct::StartYearOf(const QString& text) {
    if (text.trimmed().isEmpty()) return kEmptyStartYear;
    return std::clamp(text.toInt(), kFirstStartYear, kLastStartYear);
}

TfrConstructionDeduct::TfrConstructionDeduct(TShellContext& ctx, QWidget* parent)
    : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frConstructionDeduct"));
    TLoadingScope loading(ctx_);

    chbGrantingDeduct =
        Named(new QCheckBox(QStringLiteral("Предоставить имущественный налоговый вычет"), this),
              "chbGrantingDeduct");
    chbGrantingDeduct->setChecked(true);

    auto* gbObject = Named(new QGroupBox(QStringLiteral("Сведения об объекте"), this), "gbObject");
    meObjectNaim = TextField(gbObject, "meObjectNaim", 50, QStringLiteral("Наименование объекта"));
    mePostIndex = Named(new TMaskedEdit(gbObject, edtDigital, 6), "mePostIndex",
                        QStringLiteral("Почтовый индекс"));
    mePostIndex->setFixedWidth(70);
    pnlRegion = Named(new QLabel(QStringLiteral("0"), gbObject), "pnlRegion",
                      QStringLiteral("Код субъекта РФ"));
    pnlRegion->setFrameShape(QFrame::StyledPanel);
    pnlRegion->setFrameShadow(QFrame::Sunken);
    pnlRegion->setFixedWidth(40);
    pnlRegion->setAlignment(Qt::AlignCenter);
    bnRegion = Named(new QPushButton(QStringLiteral("..."), gbObject), "bnRegion",
                     QStringLiteral("Выбрать регион из списка"));
    bnRegion->setToolTip(QStringLiteral("Выбрать регион из списка"));
    bnRegion->setFixedWidth(32);
    meDistrict = TextField(gbObject, "meDistrict", 40, QStringLiteral("Район"));
    meCity = TextField(gbObject, "meCity", 40, QStringLiteral("Город"));
    meArea = TextField(gbObject, "meArea", 40, QStringLiteral("Населенный пункт"));
    meStreet = TextField(gbObject, "meStreet", 40, QStringLiteral("Улица"));
    meHouse = TextField(gbObject, "meHouse", 7, QStringLiteral("Дом"));
    meBuilding = TextField(gbObject, "meBuilding", 7, QStringLiteral("Корпус"));
    meFlat = TextField(gbObject, "meFlat", 7, QStringLiteral("Квартира"));
    for (TMaskedEdit* e : {meHouse, meBuilding, meFlat}) e->setFixedWidth(70);
    dtpBayDate = DateField(gbObject, "dtpBayDate", QStringLiteral("Дата приобретения"));
    dtpRegRightDate =
        DateField(gbObject, "dtpRegRightDate", QStringLiteral("Дата регистрации или акта"));
    dtpRegRightDate->setToolTip(QStringLiteral("по поводу ограничения даты смотрите хелп"));
    meDol1 = Named(new TMaskedEdit(gbObject, edtDigital, 6), "meDol1",
                   QStringLiteral("Доля: числитель"));
    meDol2 = Named(new TMaskedEdit(gbObject, edtDigital, 6), "meDol2",
                   QStringLiteral("Доля: знаменатель"));
    for (TMaskedEdit* e : {meDol1, meDol2}) {
        e->setText(QStringLiteral("1"));
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(70);
    }
    mePart = Named(new TMaskedEdit(gbObject, edtCurrency, 1, 4), "mePart", QStringLiteral("Доля"));
    mePart->hide();
    meBeginningUsePrivilegeDate =
        Named(new TMaskedEdit(gbObject, edtDigital, 4), "meBeginningUsePrivilegeDate",
              QStringLiteral("Год начала вычета"));
    meBeginningUsePrivilegeDate->setText(QStringLiteral("2005"));
    meBeginningUsePrivilegeDate->setFixedWidth(60);
    meBeginningUsePrivilegeDate->installEventFilter(this);
    updBeginningUsePrivilegeDate =
        Named(new TUpDown(gbObject, meBeginningUsePrivilegeDate, kFirstStartYear, kLastStartYear),
              "updBeginningUsePrivilegeDate");
    meObsch = MoneyField(gbObject, "meObsch", QStringLiteral("Стоимость объекта (доли)"));
    meobschip = MoneyField(gbObject, "meobschip",
                           QStringLiteral("Проценты по кредитам в отчетном налоговом периоде"));
    meAppZ = Named(new TMaskedEdit(gbObject, edtDigital, 3), "meAppZ",
                   QStringLiteral("Количество подтверждающих документов"));
    meAppZ->hide();

    auto label = [this](QWidget* parent, const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, parent);
        l->setBuddy(buddy);
        labels_.append(l);
        return l;
    };

    // Two label-and-field pairs a row.
    auto* grid = new QGridLayout(gbObject);
    grid->addWidget(label(gbObject, QStringLiteral("Наименование объекта"), meObjectNaim), 0, 0);
    grid->addWidget(meObjectNaim, 0, 1, 1, 3);
    grid->addWidget(label(gbObject, QStringLiteral("Почтовый индекс"), mePostIndex), 1, 0);
    auto* regionRow = new QHBoxLayout;
    regionRow->addWidget(mePostIndex);
    regionRow->addSpacing(12);
    regionRow->addWidget(label(gbObject, QStringLiteral("Код субъекта РФ"), bnRegion));
    regionRow->addWidget(pnlRegion);
    regionRow->addWidget(bnRegion);
    regionRow->addStretch(1);
    grid->addLayout(regionRow, 1, 1, 1, 3);
    grid->addWidget(label(gbObject, QStringLiteral("Район"), meDistrict), 2, 0);
    grid->addWidget(meDistrict, 2, 1);
    grid->addWidget(label(gbObject, QStringLiteral("Город"), meCity), 2, 2);
    grid->addWidget(meCity, 2, 3);
    grid->addWidget(label(gbObject, QStringLiteral("Населенный пункт"), meArea), 3, 0);
    grid->addWidget(meArea, 3, 1);
    grid->addWidget(label(gbObject, QStringLiteral("Улица"), meStreet), 3, 2);
    grid->addWidget(meStreet, 3, 3);
    auto* houseRow = new QHBoxLayout;
    houseRow->addWidget(meHouse);
    houseRow->addWidget(label(gbObject, QStringLiteral("Корпус"), meBuilding));
    houseRow->addWidget(meBuilding);
    houseRow->addWidget(label(gbObject, QStringLiteral("Квартира"), meFlat));
    houseRow->addWidget(meFlat);
    houseRow->addStretch(1);
    grid->addWidget(label(gbObject, QStringLiteral("Дом"), meHouse), 4, 0);
    grid->addLayout(houseRow, 4, 1, 1, 3);
    grid->addWidget(label(gbObject, QStringLiteral("Дата приобретения"), dtpBayDate), 5, 0);
    grid->addWidget(dtpBayDate, 5, 1, Qt::AlignLeft);
    grid->addWidget(label(gbObject, QStringLiteral("Дата регистрации или акта"), dtpRegRightDate),
                    5, 2);
    grid->addWidget(dtpRegRightDate, 5, 3, Qt::AlignLeft);
    grid->addWidget(
        label(gbObject, QStringLiteral("Год начала вычета"), meBeginningUsePrivilegeDate), 6, 0);
    auto* yearRow = new QHBoxLayout;
    yearRow->setSpacing(0);
    yearRow->addWidget(meBeginningUsePrivilegeDate);
    yearRow->addWidget(updBeginningUsePrivilegeDate);
    yearRow->addStretch(1);
    grid->addLayout(yearRow, 6, 1);
    grid->addWidget(label(gbObject, QStringLiteral("Доля"), meDol1), 6, 2);
    auto* shareRow = new QHBoxLayout;
    shareRow->addWidget(meDol1);
    shareRow->addWidget(label(gbObject, QStringLiteral("/"), meDol2));
    shareRow->addWidget(meDol2);
    shareRow->addStretch(1);
    grid->addLayout(shareRow, 6, 3);
    grid->addWidget(label(gbObject, QStringLiteral("Стоимость объекта (доли)"), meObsch), 7, 0);
    grid->addWidget(meObsch, 7, 1, Qt::AlignLeft);
    QLabel* interest = label(
        gbObject, QStringLiteral("Проценты по кредитам в отчетном налоговом периоде"), meobschip);
    interest->setWordWrap(true);
    grid->addWidget(interest, 7, 2);
    grid->addWidget(meobschip, 7, 3, Qt::AlignLeft);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    // What was deducted before and through a tax agent, housing on the left,
    // loan interest on the right.
    auto* gbHousing =
        Named(new QGroupBox(QStringLiteral("Расходы по покупке (строительству) жилья"), this),
              "gbHousing");
    auto* gbCredit =
        Named(new QGroupBox(QStringLiteral("Расходы по погашению кредитов"), this), "gbCredit");
    struct Row {
        const char* caption;
        bool agent;
        const char* housing;
        const char* credit;
    };
    const Row rows[] = {
        {"Вычет по предыдущим годам по декларации ", false, "mePostYears", "mePostYearsIp"},
        {"Вычет по пред. годам у налогового агента ", true, "mePostYearsNA", "mePostYearsIpNA"},
        {"Сумма, перешедшая с предыдущего года", false, "meTransferringChargeSum",
         "meTransferringCreditSum"},
        {"Вычет у налогового агента в отчетном году ", true, "meVychNA", "meVychIpNA"},
    };
    TMaskedEdit* made[2][4] = {};
    auto* housingGrid = new QGridLayout(gbHousing);
    auto* creditGrid = new QGridLayout(gbCredit);
    for (int i = 0; i < 4; ++i) {
        const QString caption = QString::fromUtf8(rows[i].caption);
        const QString spoken = caption.trimmed();
        for (int side = 0; side < 2; ++side) {
            QGroupBox* box = side == 0 ? gbHousing : gbCredit;
            QGridLayout* g = side == 0 ? housingGrid : creditGrid;
            TMaskedEdit* e = MoneyField(box, side == 0 ? rows[i].housing : rows[i].credit,
                                        box->title() + QStringLiteral(": ") + spoken);
            QLabel* l = label(box, caption, e);
            l->setWordWrap(true);
            if (rows[i].agent) {
                e->setToolTip(QStringLiteral("т.е. у работодателя"));
                l->setToolTip(QStringLiteral("т.е. у работодателя"));
            }
            g->addWidget(l, i, 0);
            g->addWidget(e, i, 1);
            made[side][i] = e;
        }
    }
    mePostYears = made[0][0];
    mePostYearsNA = made[0][1];
    meTransferringChargeSum = made[0][2];
    meVychNA = made[0][3];
    mePostYearsIp = made[1][0];
    mePostYearsIpNA = made[1][1];
    meTransferringCreditSum = made[1][2];
    meVychIpNA = made[1][3];

    auto* sides = new QHBoxLayout;
    sides->addWidget(gbHousing);
    sides->addWidget(gbCredit);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chbGrantingDeduct);
    layout->addWidget(gbObject);
    layout->addLayout(sides);
    layout->addStretch(1);

    SetTabOrder({chbGrantingDeduct,
                 meObjectNaim,
                 mePostIndex,
                 bnRegion,
                 meDistrict,
                 meCity,
                 meArea,
                 meStreet,
                 meHouse,
                 meBuilding,
                 meFlat,
                 dtpBayDate,
                 dtpRegRightDate,
                 meBeginningUsePrivilegeDate,
                 meDol1,
                 meDol2,
                 meObsch,
                 meobschip,
                 mePostYears,
                 mePostYearsNA,
                 meTransferringChargeSum,
                 meVychNA,
                 mePostYearsIp,
                 mePostYearsIpNA,
                 meTransferringCreditSum,
                 meVychIpNA});

    const mTDeclaration& d = Decl();
    const mTConstructionDeduct& c = d.ConstructionDeduct;
    chbGrantingDeduct->setChecked(c.Granted != 0);
    if (c.Granted != 0) {
        meObjectNaim->setText(ToQ(c.ObjectName));
        mePostIndex->setText(ToQ(c.PostIndex));
        pnlRegion->setText(ToQ(c.RegionCode));
        regionName_ = ToQ(c.RegionName);
        meDistrict->setText(ToQ(c.District));
        meCity->setText(ToQ(c.City));
        meArea->setText(ToQ(c.Locality));
        meStreet->setText(ToQ(c.Street));
        meHouse->setText(ToQ(c.House));
        meBuilding->setText(ToQ(c.Building));
        meFlat->setText(ToQ(c.Flat));
        dtpBayDate->setDate(DateFromDayNumber(c.PurchaseDate));
        dtpRegRightDate->setDate(DateFromDayNumber(c.RegistrationDate));
        meBeginningUsePrivilegeDate->setText(
            QString::number(DateFromDayNumber(c.StartYearDate).year()));
        mePostYears->setText(MoneyText(c.HousingPriorYears));
        mePostYearsIp->setText(MoneyText(c.CreditPriorYears));
        meTransferringChargeSum->setText(MoneyText(c.HousingCarriedOver));
        meTransferringCreditSum->setText(MoneyText(c.CreditCarriedOver));
        mePostYearsNA->setText(MoneyText(c.HousingPriorYearsAgent));
        mePostYearsIpNA->setText(MoneyText(c.CreditPriorYearsAgent));
        meVychNA->setText(MoneyText(c.HousingAgentThisYear));
        meVychIpNA->setText(MoneyText(c.CreditAgentThisYear));
        meObsch->setText(MoneyText(c.ObjectCost));
        meobschip->setText(MoneyText(c.CreditInterest));
        mePart->setText(MoneyText(c.Share));
        meDol1->setText(QString::number(c.ShareNumerator));
        meDol2->setText(QString::number(c.ShareDenominator));
        meAppZ->setText(QString::number(d.AppendixCountProperty));
    }
    OnGranting();

    connect(chbGrantingDeduct, &QCheckBox::toggled, this, [this] {
        Notify();
        OnGranting();
    });
    connect(bnRegion, &QPushButton::clicked, this, &TfrConstructionDeduct::OnRegion);
    for (TDateEdit* date : {dtpBayDate, dtpRegRightDate})
        connect(date, &TDateEdit::dateChanged, this, [this] { Notify(); });
    connect(mePart, &TMaskedEdit::changed, this, [this] {
        if (!mePart->text().isEmpty() && MoneyFromField(mePart->text()) > Money::Rubles(1))
            mePart->setText(QStringLiteral("1"));
    });
    WatchFields();

    using F = HousingFocus;
    focusTargets_.Add(F::ObjectName, meObjectNaim);
    focusTargets_.Add(F::PostIndex, mePostIndex);
    focusTargets_.Add(F::RegistrationDate, dtpRegRightDate);
    focusTargets_.Add(F::StartYear, meBeginningUsePrivilegeDate);
    focusTargets_.Add(F::CarriedOver, meTransferringChargeSum);
    focusTargets_.Add(F::CreditCarriedOver, meTransferringCreditSum);
    focusTargets_.Add(F::PriorYears, mePostYears);
    focusTargets_.Add(F::CreditPriorYears, mePostYearsIp);
}

QList<TMaskedEdit*> TfrConstructionDeduct::Fields() const {
    return {meObjectNaim,
            mePostIndex,
            meDistrict,
            meCity,
            meArea,
            meStreet,
            meHouse,
            meBuilding,
            meFlat,
            meDol1,
            meDol2,
            meBeginningUsePrivilegeDate,
            meObsch,
            meobschip,
            mePostYears,
            mePostYearsNA,
            meTransferringChargeSum,
            meVychNA,
            mePostYearsIp,
            mePostYearsIpNA,
            meTransferringCreditSum,
            meVychIpNA};
}

void TfrConstructionDeduct::OnGranting() {
    const bool on = chbGrantingDeduct->isChecked();
    for (TMaskedEdit* e : Fields()) e->setEnabled(on);
    for (QWidget* w : labels_) w->setEnabled(on);
    for (QWidget* w : QList<QWidget*>{pnlRegion, bnRegion, dtpBayDate, dtpRegRightDate,
                                      updBeginningUsePrivilegeDate})
        w->setEnabled(on);
    if (!on) meAppZ->clear();
}

void TfrConstructionDeduct::OnRegion() {
    TfmRegionName lookup(this);
    const QString shown = pnlRegion->text();
    const int number = shown.toInt();
    // A box without a region opens the list on its first row.
    if (number <= 0 || !lookup.Select(QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')))) {
        lookup.Select(QString());
        if (lookup.Count() > 0) lookup.List()->setCurrentItem(lookup.List()->topLevelItem(0));
    }
    if (!Dialogs().Run(lookup) || lookup.Code().isEmpty()) return;
    const int chosen = lookup.Code().toInt();
    if (shown == QString::number(chosen)) return;
    regionName_ = lookup.Name();
    pnlRegion->setText(QStringLiteral("%1").arg(chosen, 2, 10, QLatin1Char('0')));
    Notify();
}

bool TfrConstructionDeduct::eventFilter(QObject* watched, QEvent* event) {
    // The year is typed or stepped; Delete does not take it apart.
    if (watched == meBeginningUsePrivilegeDate && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete)
        return true;
    return TThinkingFrame::eventFilter(watched, event);
}

void TfrConstructionDeduct::StoreToModel() {
    mTDeclaration& d = Decl();
    mTConstructionDeduct& c = d.ConstructionDeduct;
    c.Granted = chbGrantingDeduct->isChecked() ? 1 : 0;
    if (c.Granted == 0) return;
    c.ObjectName = FromQ(meObjectNaim->text());
    c.PostIndex = FromQ(mePostIndex->text());
    c.RegionCode = FromQ(pnlRegion->text());
    c.District = FromQ(meDistrict->text());
    c.City = FromQ(meCity->text());
    c.Locality = FromQ(meArea->text());
    c.Street = FromQ(meStreet->text());
    c.House = FromQ(meHouse->text());
    c.Building = FromQ(meBuilding->text());
    c.Flat = FromQ(meFlat->text());
    c.RegionName = FromQ(regionName_);
    c.RegistrationDate = DayNumberFromDate(dtpRegRightDate->date());
    c.PurchaseDate = DayNumberFromDate(dtpBayDate->date());
    c.StartYearDate =
        DayNumberFromDate(QDate(StartYearOf(meBeginningUsePrivilegeDate->text()), 1, 1));
    c.HousingCarriedOver = MoneyFromField(meTransferringChargeSum->text());
    c.CreditCarriedOver = MoneyFromField(meTransferringCreditSum->text());
    c.HousingPriorYears = MoneyFromField(mePostYears->text());
    c.CreditPriorYears = MoneyFromField(mePostYearsIp->text());
    c.Share = mePart->text().isEmpty() ? Money::Rubles(1) : MoneyFromField(mePart->text());
    c.ShareNumerator = SharePart(meDol1->text());
    c.ShareDenominator = SharePart(meDol2->text());
    if (c.ShareDenominator < c.ShareNumerator) c.ShareNumerator = c.ShareDenominator;
    c.ObjectCost = MoneyFromField(meObsch->text());
    c.CreditInterest = MoneyFromField(meobschip->text());
    c.HousingPriorYearsAgent = MoneyFromField(mePostYearsNA->text());
    c.CreditPriorYearsAgent = MoneyFromField(mePostYearsIpNA->text());
    c.HousingAgentThisYear = MoneyFromField(meVychNA->text());
    c.CreditAgentThisYear = MoneyFromField(meVychIpNA->text());
    d.SetAppendixCount(AppendixCounter::Property, NumberFromField(meAppZ->text()));
}

int TfrConstructionDeduct::Validate() {
    if (!chbGrantingDeduct->isChecked()) return 0;
    return CheckRules(kPageHousing);
}

}  // namespace zorv
