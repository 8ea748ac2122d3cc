#include "pages/currencypage.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "check/checkrules.h"
#include "model/income.h"
#include "pages/codelists.h"
#include "pages/entrykit.h"
#include "widgets/controlnames.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

const QDate kFirstDay(2008, 1, 1);

// Rates have the four decimals the central bank publishes.
constexpr int kRateWhole = 4;
constexpr int kRateFraction = 4;

const char* RuleField(const std::string& rule) {
    if (rule == "20") return "meCurrencyCode";
    if (rule == "21") return "meCurrencyExchange";
    if (rule == "22") return "bnIncomeCod";
    if (rule == "23") return "meIncomeCurrencySum";
    if (rule == "24") return "meSubtractSum";
    return nullptr;
}

QLabel* Display(QWidget* parent, const char* name, const QString& accessible) {
    auto* label = Named(new QLabel(parent), name, accessible);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(
        label->fontMetrics().horizontalAdvance(QStringLiteral("000 000 000 000,00")) + 12);
    // As tall as an entry field, so that the rows of a group line up.
    label->setFixedHeight(QLineEdit().sizeHint().height());
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    return label;
}

QPushButton* PickButton(QWidget* parent, const char* name, const QString& hint) {
    auto* b = Named(new QPushButton(QStringLiteral("..."), parent), name, hint);
    b->setToolTip(hint);
    b->setFixedWidth(32);
    b->setAutoDefault(false);
    return b;
}

QDateEdit* DatePicker(QWidget* parent, const char* name, const QString& accessible, QDate last) {
    auto* edit = Named(new QDateEdit(parent), name, accessible);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    edit->setCalendarPopup(true);
    edit->setDateRange(kFirstDay, last);
    edit->setDate(kFirstDay);
    return edit;
}

QString DictionaryText(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

}  // namespace

QString RublesText(const QString& amount, const QString& units, const QString& rate) {
    if (amount.trimmed().isEmpty() || units.trimmed().isEmpty() || rate.trimmed().isEmpty() ||
        units.trimmed() == QLatin1String("0") || rate.trimmed() == QLatin1String("0"))
        return QStringLiteral("0");
    return MoneyText(
        ConvertToRubles(MoneyFromField(amount), MoneyFromField(rate), NumberFromField(units)));
}

// ---- source dialog ----

TfmInputCurrencySourseIncome::TfmInputCurrencySourseIncome(QWidget* parent,
                                                           const std::vector<TCodeName>& countries)
    : TRecordDialog(parent, "TfmInputCurrencySourseIncome", QStringLiteral("Доход")),
      countries_(countries) {
    meSourseName = Named(new TMaskedEdit(this, edtNone, 94), "meSourseName",
                         QStringLiteral("Наименование источника выплаты"));
    meSourseName->setMinimumWidth(420);
    meGos = Named(new TMaskedEdit(this, edtDigital, 3), "meGos", QStringLiteral("Код страны"));
    meGos->setFixedWidth(meGos->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    Button1 = PickButton(this, "Button1", QStringLiteral("Выбрать страну из справочника"));
    Button1->setEnabled(!countries.empty());
    connect(Button1, &QPushButton::clicked, this, &TfmInputCurrencySourseIncome::OnCountry);
    auto* grid = new QGridLayout;
    grid->addWidget(MakeBuddy(QStringLiteral("Наименование источника выплаты"), meSourseName, this),
                    0, 0, 1, 3);
    grid->addWidget(meSourseName, 1, 0, 1, 3);
    grid->addWidget(MakeBuddy(QStringLiteral("Код страны"), meGos, this), 2, 0);
    grid->addWidget(meGos, 2, 1);
    grid->addWidget(Button1, 2, 2, Qt::AlignLeft);
    grid->setColumnStretch(2, 1);
    SetBody(grid);
}

void TfmInputCurrencySourseIncome::OnCountry() {
    TfmGrazhd lookup(this, countries_);
    TCodeName chosen;
    if (!PickFromLookup(lookup, meGos->text(), chosen)) return;
    if (chosen.code.trimmed() != meGos->text()) meGos->setText(chosen.code.trimmed());
}

// ---- currency list ----

namespace {

std::vector<TCodeName> CurrencyEntries(const TRateTable& rates) {
    std::vector<TCodeName> entries;
    for (const TCurrencyEntry& c : rates.Currencies()) entries.push_back({c.code, c.name});
    return entries;
}

}  // namespace

TfmInputCurrencyCode::TfmInputCurrencyCode(QWidget* parent, const TRateTable& rates,
                                           const QString& current)
    : TfmLookup(parent, QStringLiteral("Справочник валют"), CurrencyEntries(rates)) {
    setObjectName(QStringLiteral("TfmInputCurrencyCode"));
    List()->setObjectName(QStringLiteral("lvCurrencys"));
    List()->setHeaderLabels({QStringLiteral("Код"), QStringLiteral("Наименование валюты")});
    List()->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    List()->header()->resizeSection(0, 60);
    resize(520, 300);
    if (!Select(current.isEmpty() ? QStringLiteral("0") : current) && Count() > 0) {
        List()->setCurrentItem(List()->topLevelItem(0));
        List()->setFocus();
    }
}

// ---- page ----

TfrCurrency::TfrCurrency(TShellContext& ctx, QWidget* parent)
    : TRecordListPage(ctx, parent, "frCurrency"),
      rates_(TRateTable::Parse(ctx.references.rateXml)) {
    TLoadingScope loading(ctx_);

    QWidget* list = BuildList({QStringLiteral("Источники выплат")});
    // A short list: the fields of the source need the height.
    List()->setMinimumHeight(72);
    List()->setMaximumHeight(96);

    gbSourseInfo =
        Named(new QGroupBox(QStringLiteral("Сведения о полученном доходе"), this), "gbSourseInfo");
    dtIncomeGetDate = DatePicker(gbSourseInfo, "dtIncomeGetDate",
                                 QStringLiteral("Дата получения дохода"), QDate(2009, 12, 31));
    dtSubtractDate = DatePicker(gbSourseInfo, "dtSubtractDate",
                                QStringLiteral("Дата уплаты налога"), QDate(2012, 12, 31));
    meCurrencyCode = Named(new TMaskedEdit(gbSourseInfo, edtDigital, 3), "meCurrencyCode",
                           QStringLiteral("Код валюты"));
    meCurrencyCode->setFixedWidth(
        meCurrencyCode->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    bnCurrencyCode =
        PickButton(gbSourseInfo, "bnCurrencyCode", QStringLiteral("Выбрать код из справочника"));
    meCurrencyName = Named(new TMaskedEdit(gbSourseInfo, edtChar, 30), "meCurrencyName",
                           QStringLiteral("Наименование валюты"));
    chbAutoExchange =
        Named(new QCheckBox(QStringLiteral("Автоматическое определение"), gbSourseInfo),
              "chbAutoExchange", QStringLiteral("Автоматическое определение курса валюты"));
    auto units = [&](const char* name, const QString& accessible) {
        auto* e = Named(new TMaskedEdit(gbSourseInfo, edtDigital, 7), name, accessible);
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00000000")) + 16);
        return e;
    };
    auto rate = [&](const char* name, const QString& accessible) {
        auto* e = Named(new TMaskedEdit(gbSourseInfo, edtCurrency, kRateWhole, kRateFraction), name,
                        accessible);
        e->setAlignment(Qt::AlignRight);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000,00000")) + 16);
        return e;
    };
    meCurrencyUnits = units("meCurrencyUnits", QStringLiteral("Единиц валюты на дату дохода"));
    meCurrencyExchange =
        rate("meCurrencyExchange", QStringLiteral("Курс на дату получения дохода, руб."));
    meCurrencyUnits2 =
        units("meCurrencyUnits2", QStringLiteral("Единиц валюты на дату уплаты налога"));
    meCurrencyExchange2 =
        rate("meCurrencyExchange2", QStringLiteral("Курс на дату уплаты налога, руб."));
    lbIncomeRate = Named(new QLabel(gbSourseInfo), "lbIncomeRate");
    lbTaxRate = Named(new QLabel(gbSourseInfo), "lbTaxRate");
    for (QLabel* note : {lbIncomeRate, lbTaxRate}) note->setWordWrap(true);

    auto* sourceGrid = new QGridLayout(gbSourseInfo);
    sourceGrid->addWidget(
        MakeBuddy(QStringLiteral("Дата получения дохода"), dtIncomeGetDate, gbSourseInfo), 0, 0);
    sourceGrid->addWidget(dtIncomeGetDate, 0, 1, Qt::AlignLeft);
    sourceGrid->addWidget(
        MakeBuddy(QStringLiteral("Дата уплаты налога"), dtSubtractDate, gbSourseInfo), 0, 2);
    sourceGrid->addWidget(dtSubtractDate, 0, 3, Qt::AlignLeft);
    sourceGrid->addWidget(
        MakeBuddy(QStringLiteral("Код и наименование валюты"), meCurrencyCode, gbSourseInfo), 1, 0);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(meCurrencyCode);
    codeRow->addWidget(bnCurrencyCode);
    codeRow->addWidget(meCurrencyName, 1);
    sourceGrid->addLayout(codeRow, 1, 1, 1, 4);
    auto* autoRow = new QHBoxLayout;
    autoRow->addWidget(chbAutoExchange);
    autoRow->addWidget(new QLabel(QStringLiteral("курса валюты"), gbSourseInfo));
    autoRow->addStretch(1);
    sourceGrid->addLayout(autoRow, 2, 0, 1, 5);
    auto* ratesBox = new QGroupBox(QStringLiteral("На дату дохода и уплаты налога"), gbSourseInfo);
    auto* ratesGrid = new QGridLayout(ratesBox);
    const std::array<std::array<QWidget*, 3>, 2> pairs = {
        {{meCurrencyUnits, meCurrencyExchange, lbIncomeRate},
         {meCurrencyUnits2, meCurrencyExchange2, lbTaxRate}}};
    const QString when[2] = {QStringLiteral("Дохода:"), QStringLiteral("Налога:")};
    for (int r = 0; r < 2; ++r) {
        ratesGrid->addWidget(new QLabel(when[r], ratesBox), r, 0);
        ratesGrid->addWidget(MakeBuddy(QStringLiteral("за"), pairs[r][0], ratesBox), r, 1);
        ratesGrid->addWidget(pairs[r][0], r, 2);
        ratesGrid->addWidget(MakeBuddy(QStringLiteral("у.е."), pairs[r][1], ratesBox), r, 3);
        ratesGrid->addWidget(pairs[r][1], r, 4);
        ratesGrid->addWidget(new QLabel(QStringLiteral("руб."), ratesBox), r, 5);
        ratesGrid->addWidget(pairs[r][2], r, 6);
    }
    ratesGrid->setColumnStretch(6, 1);
    sourceGrid->addWidget(ratesBox, 3, 0, 1, 5);
    sourceGrid->setColumnStretch(4, 1);

    auto* gbIncome = Named(new QGroupBox(QStringLiteral("Полученный доход"), this), "gbIncome");
    meIncomeCurrencySum = MakeMoneyField(gbIncome, "meIncomeCurrencySum",
                                         QStringLiteral("Доход в иностранной валюте"));
    pnlIncomeRublSum =
        Display(gbIncome, "pnlIncomeRublSum", QStringLiteral("Доход в рублях по курсу ЦБ"));
    pnlIncomeCod = Display(gbIncome, "pnlIncomeCod", QStringLiteral("Код дохода"));
    pnlIncomeCod->setMinimumWidth(60);
    pnlIncomeCod->setAlignment(Qt::AlignCenter);
    bnIncomeCod = PickButton(gbIncome, "bnIncomeCod", QStringLiteral("Выбрать код из справочника"));
    auto* incomeGrid = new QGridLayout(gbIncome);
    incomeGrid->addWidget(
        MakeBuddy(QStringLiteral("В иностранной валюте"), meIncomeCurrencySum, gbIncome), 0, 0);
    incomeGrid->addWidget(meIncomeCurrencySum, 0, 1);
    incomeGrid->addWidget(new QLabel(QStringLiteral("В рублях по курсу ЦБ"), gbIncome), 1, 0);
    incomeGrid->addWidget(pnlIncomeRublSum, 1, 1);
    incomeGrid->addWidget(new QLabel(QStringLiteral("Код дохода"), gbIncome), 2, 0);
    auto* incomeCodeRow = new QHBoxLayout;
    incomeCodeRow->addWidget(pnlIncomeCod);
    incomeCodeRow->addWidget(bnIncomeCod);
    incomeCodeRow->addStretch(1);
    incomeGrid->addLayout(incomeCodeRow, 2, 1);

    auto* gbTax =
        Named(new QGroupBox(QStringLiteral("Налог, уплаченный в иностранном государстве"), this),
              "gbTax");
    meTaxCurrencySum =
        MakeMoneyField(gbTax, "meTaxCurrencySum", QStringLiteral("Налог в иностранной валюте"));
    pnlTaxRoubleSum =
        Display(gbTax, "pnlTaxRoubleSum", QStringLiteral("Налог в рублях по курсу ЦБ"));
    auto* taxGrid = new QGridLayout(gbTax);
    taxGrid->addWidget(MakeBuddy(QStringLiteral("В иностранной валюте"), meTaxCurrencySum, gbTax),
                       0, 0);
    taxGrid->addWidget(meTaxCurrencySum, 0, 1);
    taxGrid->addWidget(new QLabel(QStringLiteral("В рублях по курсу ЦБ"), gbTax), 1, 0);
    taxGrid->addWidget(pnlTaxRoubleSum, 1, 1);
    taxGrid->setRowStretch(2, 1);

    auto* gbDiscount = Named(new QGroupBox(QStringLiteral("Вычеты"), this), "gbDiscount");
    pnlSubtractCod = Display(gbDiscount, "pnlSubtractCod", QStringLiteral("Код вычета (расхода)"));
    pnlSubtractCod->setMinimumWidth(60);
    pnlSubtractCod->setAlignment(Qt::AlignCenter);
    bnSubtractCod =
        PickButton(gbDiscount, "bnSubtractCod", QStringLiteral("Выбрать код из справочника"));
    meSubtractSum =
        MakeMoneyField(gbDiscount, "meSubtractSum", QStringLiteral("Сумма вычета (расхода)"));
    auto* discountGrid = new QVBoxLayout(gbDiscount);
    discountGrid->addWidget(new QLabel(QStringLiteral("Код вычета (расхода)"), gbDiscount));
    auto* deductRow = new QHBoxLayout;
    deductRow->addWidget(pnlSubtractCod);
    deductRow->addWidget(bnSubtractCod);
    deductRow->addStretch(1);
    discountGrid->addLayout(deductRow);
    lbSubtractSum_ = MakeBuddy(QStringLiteral("Сумма вычета (расхода)"), meSubtractSum, gbDiscount);
    discountGrid->addWidget(lbSubtractSum_);
    discountGrid->addWidget(meSubtractSum);

    gbApp = Named(new QGroupBox(QStringLiteral("Число подтверждающих расходы документов"), this),
                  "gbApp");
    meAppB = Named(new TMaskedEdit(gbApp, edtDigital, 4), "meAppB",
                   QStringLiteral("Число подтверждающих расходы документов"));
    (new QHBoxLayout(gbApp))->addWidget(meAppB);
    gbApp->hide();

    auto* amounts = new QGridLayout;
    amounts->addWidget(gbIncome, 0, 0);
    amounts->addWidget(gbTax, 0, 1);
    amounts->addWidget(gbDiscount, 0, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list);
    layout->addWidget(gbSourseInfo);
    layout->addLayout(amounts);
    layout->addStretch(1);

    connect(bnCurrencyCode, &QPushButton::clicked, this, &TfrCurrency::PickCurrency);
    connect(bnIncomeCod, &QPushButton::clicked, this, &TfrCurrency::PickIncomeCode);
    connect(bnSubtractCod, &QPushButton::clicked, this, &TfrCurrency::PickDeductionCode);
    connect(meCurrencyCode, &TMaskedEdit::changed, this, &TfrCurrency::OnCurrencyCode);
    connect(chbAutoExchange, &QCheckBox::toggled, this, &TfrCurrency::OnAuto);
    connect(dtIncomeGetDate, &QDateEdit::dateChanged, this, &TfrCurrency::OnDate);
    connect(dtSubtractDate, &QDateEdit::dateChanged, this, &TfrCurrency::OnDate);
    for (TMaskedEdit* e : {meIncomeCurrencySum, meCurrencyUnits, meCurrencyExchange})
        connect(e, &TMaskedEdit::changed, this, &TfrCurrency::OnIncomeRubles);
    for (TMaskedEdit* e : {meTaxCurrencySum, meCurrencyUnits2, meCurrencyExchange2})
        connect(e, &TMaskedEdit::changed, this, &TfrCurrency::OnTaxRubles);
    WatchFields();
    SetTabOrder({List(), fbAddSourseIncome, fbDeleteSourseIncome, fbEditSourseIncome,
                 dtIncomeGetDate, dtSubtractDate, meCurrencyCode, bnCurrencyCode, meCurrencyName,
                 chbAutoExchange, meCurrencyUnits, meCurrencyExchange, meCurrencyUnits2,
                 meCurrencyExchange2, meIncomeCurrencySum, bnIncomeCod, meTaxCurrencySum,
                 bnSubtractCod, meSubtractSum});

    FillList();
    if (RecordCount() > 0) meAppB->setText(QString::number(Decl().AppendixCountJ));
    // The page opens on its first record.
    SelectRow(List(), 0);
}

size_t TfrCurrency::RecordCount() const {
    return ctx_.Decl().CurrencyIncomeCount();
}

QStringList TfrCurrency::RowTexts(size_t index) const {
    return {ToQ(ctx_.Decl().CurrencyIncome(index).SourceName)};
}

QString TfrCurrency::RecordsWhat() const {
    return QStringLiteral("источников выплаты");
}

TfrCurrency::TRatePair TfrCurrency::IncomePair() const {
    return {dtIncomeGetDate, meCurrencyUnits, meCurrencyExchange, lbIncomeRate};
}

TfrCurrency::TRatePair TfrCurrency::TaxPair() const {
    return {dtSubtractDate, meCurrencyUnits2, meCurrencyExchange2, lbTaxRate};
}

void TfrCurrency::EnableDetail(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             gbSourseInfo, meIncomeCurrencySum, bnIncomeCod, meTaxCurrencySum, bnSubtractCod,
             meSubtractSum, pnlIncomeRublSum, pnlTaxRoubleSum})
        w->setEnabled(enabled);
    // The count of documents belongs to the declaration, not to one source.
    meAppB->setEnabled(RecordCount() > 0);
    bnCurrencyCode->setEnabled(enabled && rates_.Loaded());
    if (enabled) {
        SetRateFieldsTypable(!chbAutoExchange->isChecked());
        return;
    }
    ClearDetail();
}

void TfrCurrency::ClearDetail() {
    TLoadingScope loading(ctx_);
    SetAutoQuietly(false, false);
    for (TMaskedEdit* e :
         {meCurrencyCode, meCurrencyName, meCurrencyUnits, meCurrencyExchange, meCurrencyUnits2,
          meCurrencyExchange2, meIncomeCurrencySum, meTaxCurrencySum, meSubtractSum})
        e->clear();
    if (RecordCount() == 0) meAppB->clear();
    for (QLabel* l :
         {pnlIncomeRublSum, pnlTaxRoubleSum, pnlIncomeCod, pnlSubtractCod, lbIncomeRate, lbTaxRate})
        l->clear();
    incomeRate_ = 0;
    incomeName_.clear();
    deductApplies_ = false;
    rule_ = {};
}

void TfrCurrency::SetAutoQuietly(bool checked, bool enabled) {
    const QSignalBlocker block(chbAutoExchange);
    chbAutoExchange->setChecked(checked);
    chbAutoExchange->setEnabled(enabled);
}

void TfrCurrency::SetRateFieldsTypable(bool typable) {
    for (TMaskedEdit* e :
         {meCurrencyUnits, meCurrencyExchange, meCurrencyUnits2, meCurrencyExchange2})
        e->setReadOnly(!typable);
}

void TfrCurrency::ShowCurrencyName() {
    const TCurrencyEntry* currency = rates_.Find(meCurrencyCode->text());
    meCurrencyName->setReadOnly(currency != nullptr);
    if (currency) meCurrencyName->setText(currency->name.left(30));
}

void TfrCurrency::ShowRateNote(const TRatePair& pair) {
    const QString code = meCurrencyCode->text();
    QString note;
    if (chbAutoExchange->isChecked()) {
        if (const auto found = rates_.Lookup(code, pair.date->date()))
            note = QStringLiteral("курс ЦБ РФ на %1: %2 за %3")
                       .arg(found->date.toString(QStringLiteral("dd.MM.yyyy")), found->rate)
                       .arg(found->units);
    } else if (!code.isEmpty()) {
        if (!rates_.Loaded())
            note = QStringLiteral("Справочника курсов нет: введите курс");
        else if (!rates_.Find(code))
            note = QStringLiteral("Валюты нет в справочнике курсов: введите курс");
        else if (!rates_.Lookup(code, pair.date->date()))
            note = QStringLiteral("На эту дату курса в справочнике нет: введите курс");
    }
    pair.note->setText(note);
}

bool TfrCurrency::RatesFound() const {
    const QString code = meCurrencyCode->text();
    return rates_.Lookup(code, dtIncomeGetDate->date()) &&
           rates_.Lookup(code, dtSubtractDate->date());
}

void TfrCurrency::ApplyRates() {
    // The rates come from the file only when it has both of them; otherwise
    // both are typed.
    if (!RatesFound()) {
        chbAutoExchange->setChecked(false);
        chbAutoExchange->setEnabled(false);
    } else {
        chbAutoExchange->setEnabled(true);
        for (const TRatePair& pair : {IncomePair(), TaxPair()}) {
            const auto found = rates_.Lookup(meCurrencyCode->text(), pair.date->date());
            const bool fill = chbAutoExchange->isChecked() && found;
            pair.units->setText(fill ? QString::number(found->units) : QString());
            pair.rate->setText(fill ? found->rate : QString());
        }
    }
    SetRateFieldsTypable(!chbAutoExchange->isChecked());
    for (const TRatePair& pair : {IncomePair(), TaxPair()}) ShowRateNote(pair);
}

void TfrCurrency::OnCurrencyCode() {
    if (showing_ || !gbSourseInfo->isEnabled()) return;
    const TCurrencyEntry* currency = rates_.Find(meCurrencyCode->text());
    if (!currency && meCurrencyName->isReadOnly()) meCurrencyName->clear();
    ShowCurrencyName();
    ApplyRates();
}

void TfrCurrency::OnAuto() {
    Notify();
    const bool ticked = chbAutoExchange->isChecked();
    SetRateFieldsTypable(!ticked);
    for (const TRatePair& pair : {IncomePair(), TaxPair()}) {
        const auto found =
            ticked ? rates_.Lookup(meCurrencyCode->text(), pair.date->date()) : std::nullopt;
        pair.units->setText(found ? QString::number(found->units) : QString());
        pair.rate->setText(found ? found->rate : QString());
        ShowRateNote(pair);
    }
}

void TfrCurrency::OnDate() {
    if (showing_ || !gbSourseInfo->isEnabled()) return;
    Notify();
    ApplyRates();
}

void TfrCurrency::OnIncomeRubles() {
    pnlIncomeRublSum->setText(RublesText(meIncomeCurrencySum->text(), meCurrencyUnits->text(),
                                         meCurrencyExchange->text()));
    if (!deductApplies_ || ctx_.Loading()) return;
    const Money amount = AmountOnIncomeChange(rule_, FromQ(pnlIncomeRublSum->text()),
                                              MoneyFromField(meSubtractSum->text()));
    meSubtractSum->setText(MoneyText(amount));
}

void TfrCurrency::OnTaxRubles() {
    pnlTaxRoubleSum->setText(RublesText(meTaxCurrencySum->text(), meCurrencyUnits2->text(),
                                        meCurrencyExchange2->text()));
}

void TfrCurrency::ShowDeductionAmount(bool shown) {
    meSubtractSum->setVisible(shown);
    lbSubtractSum_->setVisible(shown);
}

void TfrCurrency::ClearDeduction(bool enable) {
    pnlSubtractCod->clear();
    meSubtractSum->clear();
    rule_ = {};
    bnSubtractCod->setEnabled(enable);
    meSubtractSum->setEnabled(false);
    ShowDeductionAmount(true);
}

void TfrCurrency::ShowRecord(int index) {
    // Without a source selected nothing on the page is typed into.
    EnableDetail(index >= 0);
    if (index >= 0) ShowSource(size_t(index));
}

void TfrCurrency::ShowSource(size_t index) {
    TLoadingScope loading(ctx_);
    const TShowing showing(showing_);
    const mTCurrencyIncome& c = Decl().CurrencyIncome(index);
    dtIncomeGetDate->setDate(DateFromDayNumber(c.IncomeDate));
    dtSubtractDate->setDate(DateFromDayNumber(c.TaxDate));
    meCurrencyCode->setText(ToQ(c.CurrencyCode));
    const TCurrencyEntry* currency = rates_.Find(meCurrencyCode->text());
    meCurrencyName->setReadOnly(currency != nullptr);
    meCurrencyName->setText(currency ? currency->name.left(30) : ToQ(c.CurrencyName));
    const bool found = RatesFound();
    SetAutoQuietly(found && c.AutoRates != 0, found);
    SetRateFieldsTypable(!chbAutoExchange->isChecked());
    auto number = [](uint32_t n) { return n == 0 ? QString() : QString::number(n); };
    auto rate = [](Money m) { return m.IsZero() ? QString() : MoneyText(m); };
    meCurrencyUnits->setText(number(c.IncomeUnits));
    meCurrencyExchange->setText(rate(c.IncomeRate1));
    meCurrencyUnits2->setText(number(c.TaxUnits));
    meCurrencyExchange2->setText(rate(c.TaxRate1));
    for (const TRatePair& pair : {IncomePair(), TaxPair()}) ShowRateNote(pair);
    meTaxCurrencySum->setText(c.TaxInCurrency.IsZero() ? QString() : MoneyText(c.TaxInCurrency));

    deductApplies_ = false;
    rule_ = {};
    incomeRate_ = c.IncomeRate;
    incomeName_ = c.IncomeName;
    const IncomeCode* income = c.IncomeCode ? FindIncomeCode(c.IncomeCode) : nullptr;
    if (!income) {
        if (c.IncomeCode == 0) incomeName_.clear();
        pnlIncomeCod->setText(c.IncomeCode ? QString::number(c.IncomeCode) : QString());
        meIncomeCurrencySum->setEnabled(c.IncomeCode != 0);
        meIncomeCurrencySum->setText(c.IncomeCode && !c.IncomeInCurrency.IsZero()
                                         ? MoneyText(c.IncomeInCurrency)
                                         : QString());
        ClearDeduction(false);
        OnIncomeRubles();
        OnTaxRubles();
        return;
    }
    pnlIncomeCod->setText(QString::number(c.IncomeCode));
    meIncomeCurrencySum->setEnabled(true);
    meIncomeCurrencySum->setText(c.IncomeInCurrency.IsZero() ? QString()
                                                             : MoneyText(c.IncomeInCurrency));
    incomeRate_ = uint32_t(income->rate);
    incomeName_ = std::string(income->name);
    OnIncomeRubles();
    OnTaxRubles();
    if (!income->HasDeductions()) {
        ClearDeduction(false);
        return;
    }
    deductApplies_ = true;
    bnSubtractCod->setEnabled(true);
    pnlSubtractCod->setText(QString::number(c.DeductCode));
    meSubtractSum->setText(c.DeductSum.IsZero() ? QString() : MoneyText(c.DeductSum));
    const DeductionRow* row = FindDeduction(*income, c.DeductCode);
    if (!row) {
        pnlSubtractCod->clear();
        meSubtractSum->clear();
        meSubtractSum->setEnabled(false);
        return;
    }
    rule_ = row->rule;
    meSubtractSum->setEnabled(true);
    ShowDeductionAmount(rule_.visible);
    meSubtractSum->setReadOnly(!rule_.enabled);
    if (rule_.share != 0 || rule_.equivalent)
        meSubtractSum->setText(
            MoneyText(AmountOnIncomeChange(rule_, FromQ(pnlIncomeRublSum->text()), Money())));
}

void TfrCurrency::KeepRecord(size_t index) {
    mTCurrencyIncome& c = Decl().CurrencyIncome(index);
    // The rubles are worked out again only when what they come from changed: a
    // record whose rubles were given without a currency amount or rate (from a
    // JSON file, say) keeps them while the user only looks at it.
    const mTCurrencyIncome before = c;
    c.IncomeDate = DayNumberFromDate(dtIncomeGetDate->date());
    c.TaxDate = DayNumberFromDate(dtSubtractDate->date());
    c.CurrencyCode = FromQ(meCurrencyCode->text());
    c.CurrencyName = FromQ(meCurrencyName->text());
    c.AutoRates = chbAutoExchange->isChecked() ? 1 : 0;
    c.IncomeUnits = NumberFromField(meCurrencyUnits->text());
    c.IncomeRate1 = MoneyFromField(meCurrencyExchange->text());
    c.TaxUnits = NumberFromField(meCurrencyUnits2->text());
    c.TaxRate1 = MoneyFromField(meCurrencyExchange2->text());
    c.IncomeCode = NumberFromField(pnlIncomeCod->text());
    const Money income = MoneyFromField(meIncomeCurrencySum->text());
    if (income != before.IncomeInCurrency || c.IncomeRate1 != before.IncomeRate1 ||
        c.IncomeUnits != before.IncomeUnits)
        c.SetIncomeInCurrency(income);
    const Money tax = MoneyFromField(meTaxCurrencySum->text());
    if (tax != before.TaxInCurrency || c.TaxRate1 != before.TaxRate1 ||
        c.TaxUnits != before.TaxUnits)
        c.SetTaxInCurrency(tax);
    c.DeductCode = NumberFromField(pnlSubtractCod->text());
    c.DeductSum = MoneyFromField(meSubtractSum->text());
    c.IncomeRate = incomeRate_;
    c.IncomeName = incomeName_;
    c.DeductPercent = uint32_t(rule_.share);
}

void TfrCurrency::StoreToModel() {
    KeepShownRecord();
    if (Decl().CurrencyIncomeCount() > 0)
        Decl().SetAppendixCount(AppendixCounter::J, NumberFromField(meAppB->text()));
}

bool TfrCurrency::RunAdd() {
    TfmInputCurrencySourseIncome dialog(this, ctx_.references.countries);
    if (!RunModal(dialog) || dialog.meSourseName->text().trimmed().isEmpty()) return false;
    Notify();
    mTCurrencyIncome& c = Decl().CurrencyIncome(Decl().AddCurrencyIncome());
    c.SourceName = FromQ(dialog.meSourseName->text());
    c.CountryCode = FromQ(dialog.meGos->text());
    return true;
}

bool TfrCurrency::RunEdit(size_t index) {
    TfmInputCurrencySourseIncome dialog(this, ctx_.references.countries);
    mTCurrencyIncome& c = Decl().CurrencyIncome(index);
    dialog.meSourseName->setText(ToQ(c.SourceName));
    dialog.meGos->setText(ToQ(c.CountryCode));
    if (!RunModal(dialog) || dialog.meSourseName->text().trimmed().isEmpty()) return false;
    return Rewrite(
        {{&c.SourceName, dialog.meSourseName->text()}, {&c.CountryCode, dialog.meGos->text()}});
}

void TfrCurrency::Remove(size_t index) {
    Decl().RemoveCurrencyIncome(index);
}

void TfrCurrency::PickCurrency() {
    if (!rates_.Loaded()) return;
    TfmInputCurrencyCode list(this, rates_, meCurrencyCode->text());
    if (!RunModal(list) || list.Code().isEmpty()) return;
    if (list.Code() != meCurrencyCode->text()) meCurrencyCode->setText(list.Code());
}

void TfrCurrency::PickIncomeCode() {
    const std::optional<IncomeChoice> choice = zorv::PickIncomeCode(this, {}, pnlIncomeCod->text());
    if (!choice) return;
    const QString code = DictionaryText(choice->code);
    if (code == pnlIncomeCod->text()) return;
    Notify();
    deductApplies_ = choice->hasDeductions;
    incomeRate_ = uint32_t(choice->rate);
    incomeName_ = std::string(choice->name);
    pnlIncomeCod->setText(code);
    meIncomeCurrencySum->setEnabled(true);
    ClearDeduction(choice->hasDeductions);
    ShowDeductionAmount(true);
    meSubtractSum->setReadOnly(true);
}

void TfrCurrency::PickDeductionCode() {
    const DeductionRow* row =
        zorv::PickDeductionCode(this, pnlIncomeCod->text(), true, pnlSubtractCod->text());
    if (!row) return;
    const QString code = DictionaryText(row->code);
    if (code == pnlSubtractCod->text()) return;
    Notify();
    pnlSubtractCod->setText(code);
    meSubtractSum->clear();
    rule_ = row->rule;
    meSubtractSum->setEnabled(true);
    ShowDeductionAmount(rule_.visible);
    meSubtractSum->setReadOnly(!rule_.enabled);
    meSubtractSum->setText(ToQ(AmountOnChoice(rule_, FromQ(pnlIncomeRublSum->text()))));
}

int TfrCurrency::Validate() {
    const mTDeclaration& d = Decl();
    const PageRules& table = RulesOf(kPageForeignIncome);
    const CheckPrompter ask = WindowPrompter(this);
    for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
        for (const CheckRule& rule : table.rules) {
            if (rule.use == RuleUse::DeclarationOnly) continue;
            const Verdict verdict = rule.test(d, i);
            if (!verdict) continue;
            const CheckAnswer answer = AskCheck(ask, {rule.section, *verdict, true, true, false});
            return answer == CheckAnswer::Correct ? int(i) + 1 : 0;
        }
    }
    return 0;
}

void TfrCurrency::FocusError(int code) {
    const CheckRule* rule = SelectBrokenRecord(code, kPageForeignIncome);
    if (!rule) return;
    const char* name = RuleField(rule->id);
    QWidget* field = name ? findChild<QWidget*>(QString::fromLatin1(name)) : nullptr;
    if (field == meCurrencyExchange && meCurrencyExchange->isReadOnly())
        field = chbAutoExchange->isEnabled() ? static_cast<QWidget*>(chbAutoExchange) : field;
    // A deduction code the income code does not offer: the deduction is
    // chosen again, or, when the income code has none, the income code.
    if (field == meSubtractSum && !(meSubtractSum->isEnabled() && meSubtractSum->isVisibleTo(this)))
        field = bnSubtractCod->isEnabled() ? static_cast<QWidget*>(bnSubtractCod) : bnIncomeCod;
    if (field && field->isEnabled()) {
        field->setFocus();
        if (rule->id == std::string("22")) bnIncomeCod->click();
    }
}

}  // namespace zorv
