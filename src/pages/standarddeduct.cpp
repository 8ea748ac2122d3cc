#include "pages/standarddeduct.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "pages/entrykit.h"
#include "pages/updown.h"
#include "widgets/controlnames.h"
#include "widgets/maskededit.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

constexpr const char* kMonthNames[12] = {"Январь",   "Февраль", "Март",   "Апрель",
                                         "Май",      "Июнь",    "Июль",   "Август",
                                         "Сентябрь", "Октябрь", "Ноябрь", "Декабрь"};
constexpr const char* kMonthShort[12] = {"Янв.", "Фев.", "Март", "Апр.", "Май",  "Июнь",
                                         "Июль", "Авг.", "Сен.", "Окт.", "Ноя.", "Дек."};
constexpr const char* kMonthKeys[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr const char* kCodes[3] = {"103", "104", "105"};

QString Month(int i) {
    return QString::fromUtf8(kMonthNames[i]);
}

QByteArray ObjectName(const char* prefix, int i, const char* suffix = "") {
    return QByteArray(prefix) + kMonthKeys[i] + suffix;
}

// A digits field of a count of children.
TMaskedEdit* CountField(QWidget* parent, const QByteArray& name, const QString& accessibleName) {
    auto* edit = Named(new TMaskedEdit(parent, edtDigital, 2), name.constData(), accessibleName);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 14);
    return edit;
}

// An amount field of 12 whole digits and kopecks, right-aligned.
TMaskedEdit* AmountField(QWidget* parent, const QByteArray& name, const QString& accessibleName) {
    auto* edit =
        Named(new TMaskedEdit(parent, edtCurrency, 12, 2), name.constData(), accessibleName);
    edit->setAlignment(Qt::AlignRight);
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000000000,00")) +
                          14);
    return edit;
}

}  // namespace

// ---- code per month ----

TfmDif::TfmDif(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmDif"));
    setWindowTitle(QStringLiteral("Комбинация стандартных вычетов"));
    auto* grid = new QGridLayout;
    for (int m = 0; m < 12; ++m) {
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("CB%1").arg(m + 1));
        for (const char* code : kCodes) box->addItem(QString::fromLatin1(code));
        auto* label = new QLabel(Month(m) + QStringLiteral(":"), this);
        label->setBuddy(box);
        const int column = m < 6 ? 0 : 2;
        grid->addWidget(label, m % 6, column);
        grid->addWidget(box, m % 6, column + 1);
        CB[size_t(m)] = box;
    }
    grid->setColumnMinimumWidth(2, 100);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("bnOk"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("bnCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

void TfmDif::SetCode(int month, uint32_t position) {
    CB[size_t(month - 1)]->setCurrentIndex(position <= 2 ? int(position) : 0);
}

uint32_t TfmDif::Code(int month) const {
    return uint32_t(std::max(0, CB[size_t(month - 1)]->currentIndex()));
}

// ---- page ----

TfrFrameStandartDeduct::TfrFrameStandartDeduct(TShellContext& ctx, QWidget* parent)
    : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frFrameStandartDeduct"));
    TLoadingScope loading(ctx_);
    const mTDeclaration& d = Decl();
    businessTable_ = d.HasIncome(kIncomeBusiness | kIncomeRepetit);

    chbGrantingStanDeduct =
        Named(new QCheckBox(QStringLiteral("Предоставить стандартные вычеты"), this),
              "chbGrantingStanDeduct");
    chbGrantingStanDeduct->setChecked(true);

    auto* gb =
        Named(new QGroupBox(QStringLiteral("Стандартные налоговые вычеты"), this), "gbStandart");
    rb103 = Named(new QRadioButton(QStringLiteral("Код 103 - 400 в месяц"), gb), "rb103");
    rb104 = Named(new QRadioButton(QStringLiteral("Код 104 - 500 в месяц"), gb), "rb104");
    rb105 = Named(new QRadioButton(QStringLiteral("Код 105 - 3000 в месяц"), gb), "rb105");
    rbQ = Named(new QRadioButton(QStringLiteral("?"), gb), "rbQ",
                QStringLiteral("Свой код в каждом месяце"));
    rbQ->setToolTip(QStringLiteral("Свой код в каждом месяце"));
    auto* codes = new QButtonGroup(this);
    for (QRadioButton* rb : {rb103, rb104, rb105, rbQ}) codes->addButton(rb);
    rb103->setChecked(true);
    rbTowParents =
        Named(new QRadioButton(QStringLiteral("Вычет на ребенка (детей)"), gb), "rbTowParents");
    rbOneParent =
        Named(new QRadioButton(QStringLiteral("Вычет на ребенка (детей) одинокому родителю"), gb),
              "rbOneParent");
    auto* kinds = new QButtonGroup(this);
    kinds->addButton(rbTowParents);
    kinds->addButton(rbOneParent);
    rbTowParents->setChecked(true);

    auto* codeRow = new QHBoxLayout;
    for (QRadioButton* rb : {rb103, rb104, rb105, rbQ}) codeRow->addWidget(rb);
    codeRow->addStretch(1);
    auto* kindRow = new QHBoxLayout;
    kindRow->addWidget(rbTowParents);
    kindRow->addWidget(rbOneParent);
    kindRow->addStretch(1);

    // The month grid: a column per month, a row per kind of children.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    auto makeRow = [&](TChildrenRow& row, const char* suffix, const QString& caption,
                       const QString& kindName, const QString& hint) {
        row.constant = Named(new QCheckBox(caption, gb),
                             (QByteArray("chbConstChildrens") + suffix).constData());
        row.constant->setChecked(true);
        row.count = CountField(gb, QByteArray("meChildrens") + suffix, kindName);
        row.count->setText(QStringLiteral("0"));
        row.upDown = Named(new TUpDown(gb, row.count, 0, 99),
                           (QByteArray("UpDChildrens") + suffix).constData());
        for (int m = 0; m < 12; ++m) {
            TMaskedEdit* e = CountField(gb, ObjectName("me", m, suffix),
                                        Month(m) + QStringLiteral(": ") + kindName);
            e->setToolTip(hint);
            e->setText(QStringLiteral("0"));
            row.months[size_t(m)] = e;
        }
    };
    makeRow(children, "", QStringLiteral("Число детей не изменялось и составило"),
            QStringLiteral("количество детей"), QStringLiteral("Количество детей в этом месяце"));
    makeRow(disabled, "2", QStringLiteral("Число детей инвалидов I и II групп не изменялось"),
            QStringLiteral("количество детей инвалидов I и II групп"),
            QStringLiteral("Количество детей инвалидов I и II групп в этом месяце"));

    auto countRow = [&](const TChildrenRow& row) {
        auto* h = new QHBoxLayout;
        h->addWidget(row.constant);
        h->addWidget(row.count);
        h->addWidget(row.upDown);
        auto* label = new QLabel(QStringLiteral("ребенка (детей)"), gb);
        monthLabels_.append(label);
        h->addWidget(label);
        h->addStretch(1);
        return h;
    };

    for (int m = 0; m < 12; ++m) {
        auto* label = new QLabel(Month(m), gb);
        label->setAlignment(Qt::AlignCenter);
        monthLabels_.append(label);
        grid->addWidget(label, 0, m + 1);
        grid->addWidget(children.months[size_t(m)], 1, m + 1, Qt::AlignHCenter);
        grid->addWidget(disabled.months[size_t(m)], 2, m + 1, Qt::AlignHCenter);
    }
    auto* lbChildren = new QLabel(QStringLiteral("Дети"), gb);
    auto* lbDisabled = new QLabel(QStringLiteral("Дети-инвалиды"), gb);
    monthLabels_ << lbChildren << lbDisabled;
    grid->addWidget(lbChildren, 1, 0);
    grid->addWidget(lbDisabled, 2, 0);
    grid->setColumnStretch(13, 1);

    auto* gbLayout = new QVBoxLayout(gb);
    gbLayout->addLayout(codeRow);
    gbLayout->addLayout(kindRow);
    gbLayout->addLayout(countRow(children));
    gbLayout->addLayout(countRow(disabled));
    gbLayout->addLayout(grid);

    // The monthly table of entrepreneurs and private practice, half a year a side.
    auto* gbBusiness =
        Named(new QGroupBox(
                  QStringLiteral(
                      "Доходы/расходы помесячно для предпринимателей и лиц с частной практикой"),
                  this),
              "pnlBusiness");
    auto* table = new QGridLayout(gbBusiness);
    for (int half = 0; half < 2; ++half) {
        const int column = half * 4;
        for (const auto& [text, offset] : {std::pair{"Доходы", 1}, std::pair{"Расходы", 2}}) {
            auto* head = new QLabel(QString::fromUtf8(text), gbBusiness);
            head->setAlignment(Qt::AlignCenter);
            businessLabels_.append(head);
            table->addWidget(head, 0, column + offset);
        }
    }
    for (int m = 0; m < 12; ++m) {
        cbMonth[size_t(m)] = Named(new QCheckBox(QString::fromUtf8(kMonthShort[m]), gbBusiness),
                                   ObjectName("cb", m).constData(), Month(m));
        meIncome[size_t(m)] = AmountField(gbBusiness, "me" + QByteArray::number(m + 1),
                                          Month(m) + QStringLiteral(": доходы"));
        meExpense[size_t(m)] = AmountField(gbBusiness, "meR" + QByteArray::number(m + 1),
                                           Month(m) + QStringLiteral(": расходы"));
        const int row = m % 6 + 1;
        const int column = m < 6 ? 0 : 4;
        table->addWidget(cbMonth[size_t(m)], row, column);
        table->addWidget(meIncome[size_t(m)], row, column + 1);
        table->addWidget(meExpense[size_t(m)], row, column + 2);
    }
    table->setColumnMinimumWidth(3, 16);
    table->setColumnStretch(7, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chbGrantingStanDeduct);
    layout->addWidget(gb);
    layout->addWidget(gbBusiness);
    layout->addStretch(1);

    QList<QWidget*> order{chbGrantingStanDeduct,
                          rb103,
                          rb104,
                          rb105,
                          rbQ,
                          rbTowParents,
                          rbOneParent,
                          children.constant,
                          children.count,
                          disabled.constant,
                          disabled.count};
    for (TMaskedEdit* e : children.months) order.append(e);
    for (TMaskedEdit* e : disabled.months) order.append(e);
    for (int m = 0; m < 12; ++m)
        order << cbMonth[size_t(m)] << meIncome[size_t(m)] << meExpense[size_t(m)];
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);

    // Fill from the declaration.
    const mTStandartDeduct& s = d.StandartDeduct;
    chbGrantingStanDeduct->setChecked(s.Granted != 0);
    if (s.Granted != 0) {
        switch (s.PersonalCode) {
            case 104:
                rb104->setChecked(true);
                break;
            case 105:
                rb105->setChecked(true);
                break;
            case 110:
                rbQ->setChecked(true);
                break;
            default:
                rb103->setChecked(true);
                break;
        }
        (s.ChildKindCode == 102 ? rbOneParent : rbTowParents)->setChecked(true);
        FillChildren(children, s.ChildrenConstant, s.ChildrenCount, s.ChildrenByMonth);
        FillChildren(disabled, s.DisabledChildrenConstant, s.DisabledChildrenCount,
                     s.DisabledChildrenByMonth);
        if (businessTable_) {
            for (int m = 0; m < 12; ++m) {
                cbMonth[size_t(m)]->setChecked(s.MonthMark(m) != 0);
                const Money income = s.MonthlyIncome(m + 1), expense = s.MonthlyExpense(m + 1);
                meIncome[size_t(m)]->setText(income.IsZero() ? QString() : MoneyText(income));
                meExpense[size_t(m)]->setText(expense.IsZero() ? QString() : MoneyText(expense));
            }
        }
    }

    connect(chbGrantingStanDeduct, &QCheckBox::toggled, this, [this] {
        Notify();
        OnGranting();
    });
    for (QRadioButton* rb : {rb103, rb104, rb105, rbTowParents, rbOneParent})
        connect(rb, &QRadioButton::toggled, this, [this](bool on) {
            if (on) Notify();
        });
    connect(rbQ, &QRadioButton::toggled, this, [this](bool on) {
        if (on) OnCodeByMonth();
    });
    rbQ->installEventFilter(this);
    for (TChildrenRow* row : {&children, &disabled}) {
        connect(row->constant, &QCheckBox::toggled, this, [this, row] {
            Notify();
            OnConstant(*row);
        });
        connect(row->count, &TMaskedEdit::changed, this, [this, row] { OnCount(*row); });
    }
    for (int m = 0; m < 12; ++m) {
        QCheckBox* box = cbMonth[size_t(m)];
        TMaskedEdit* income = meIncome[size_t(m)];
        TMaskedEdit* expense = meExpense[size_t(m)];
        for (TMaskedEdit* e : {income, expense})
            connect(e, &TMaskedEdit::changed, this, [box, e] {
                if (!e->text().isEmpty()) box->setChecked(true);
            });
        connect(box, &QCheckBox::toggled, this, [this, income, expense](bool on) {
            Notify();
            if (on) return;
            income->clear();
            expense->clear();
        });
    }
    WatchFields();
    OnGranting();

    using F = DeductionsFocus;
    focusTargets_.Add(F::StandardMonths, cbMonth[0]);
    focusTargets_.Add(F::StandardMonths, chbGrantingStanDeduct);
}

void TfrFrameStandartDeduct::FillChildren(TChildrenRow& row, uint8_t constant, uint32_t count,
                                          const std::array<uint32_t, 12>& byMonth) {
    row.constant->setChecked(constant != 0);
    if (constant != 0) {
        row.count->setText(QString::number(count));
        // The disabled month fields repeat the count of the whole year.
        for (TMaskedEdit* e : row.months) e->setText(row.count->text());
    } else {
        row.count->setText(QStringLiteral("0"));
        for (int m = 0; m < 12; ++m)
            row.months[size_t(m)]->setText(QString::number(byMonth[size_t(m)]));
    }
}

void TfrFrameStandartDeduct::OnGranting() {
    const bool on = chbGrantingStanDeduct->isChecked();
    for (QWidget* w : QList<QWidget*>{rb103, rb104, rb105, rbQ, rbTowParents, rbOneParent})
        w->setEnabled(on);
    for (QWidget* w : monthLabels_) w->setEnabled(on);
    for (TChildrenRow* row : {&children, &disabled}) {
        row->constant->setEnabled(on);
        const bool constant = row->constant->isChecked();
        row->count->setEnabled(on && constant);
        row->upDown->setEnabled(on && constant);
        for (TMaskedEdit* e : row->months) e->setEnabled(on && !constant);
    }
    for (QWidget* w : businessLabels_) w->setEnabled(on);
    const bool table = on && businessTable_;
    for (int m = 0; m < 12; ++m) {
        cbMonth[size_t(m)]->setEnabled(table);
        meIncome[size_t(m)]->setEnabled(table);
        meExpense[size_t(m)]->setEnabled(table);
    }
}

void TfrFrameStandartDeduct::OnConstant(TChildrenRow& row) {
    const bool constant = row.constant->isChecked();
    const bool on = chbGrantingStanDeduct->isChecked();
    row.count->setEnabled(on && constant);
    row.upDown->setEnabled(on && constant);
    if (constant)
        for (TMaskedEdit* e : row.months) e->setText(row.count->text());
    for (TMaskedEdit* e : row.months) e->setEnabled(on && !constant);
}

void TfrFrameStandartDeduct::OnCount(TChildrenRow& row) {
    if (ctx_.Loading()) return;
    for (TMaskedEdit* e : row.months) e->setText(row.count->text());
}

void TfrFrameStandartDeduct::OnCodeByMonth() {
    if (ctx_.Loading()) return;
    mTStandartDeduct& s = Decl().StandartDeduct;
    TfmDif dialog(this);
    for (int m = 1; m <= 12; ++m) dialog.SetCode(m, s.CodeByMonth(m));
    if (RunModal(dialog)) {
        s.HasCodeByMonth = 1;
        for (int m = 1; m <= 12; ++m) s.SetCodeByMonth(m, dialog.Code(m));
    }
    Notify();
}

bool TfrFrameStandartDeduct::eventFilter(QObject* watched, QEvent* event) {
    // A double click, or Enter, on "?" while it is chosen opens the months again.
    if (watched == rbQ && rbQ->isChecked() && rbQ->isEnabled()) {
        bool open = event->type() == QEvent::MouseButtonDblClick;
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            open = key == Qt::Key_Return || key == Qt::Key_Enter;
        }
        if (open) {
            OnCodeByMonth();
            return true;
        }
    }
    return TThinkingFrame::eventFilter(watched, event);
}

void TfrFrameStandartDeduct::StoreChildren(const TChildrenRow& row, uint8_t& constant,
                                           uint32_t& count,
                                           std::array<uint32_t, 12>& byMonth) const {
    if (row.constant->isChecked()) {
        constant = 1;
        count = NumberFromField(row.count->text());
        return;
    }
    uint32_t most = 0;
    for (int m = 0; m < 12; ++m) {
        byMonth[size_t(m)] = NumberFromField(row.months[size_t(m)]->text());
        most = std::max(most, byMonth[size_t(m)]);
    }
    count = most;
    constant = 0;
}

void TfrFrameStandartDeduct::StoreToModel() {
    mTStandartDeduct& s = Decl().StandartDeduct;
    s.Granted = chbGrantingStanDeduct->isChecked() ? 1 : 0;
    if (s.Granted == 0) return;
    bool anyMonth = false;
    for (int m = 0; m < 12; ++m) {
        s.SetMonthlyIncome(m + 1, MoneyFromField(meIncome[size_t(m)]->text()));
        s.SetMonthlyExpense(m + 1, MoneyFromField(meExpense[size_t(m)]->text()));
        const bool marked = cbMonth[size_t(m)]->isChecked();
        s.SetMonthMark(m, marked ? 1 : 0);
        anyMonth = anyMonth || marked;
    }
    s.HasMonthlyBusiness = anyMonth ? 1 : 0;
    s.PersonalCode = rb105->isChecked()   ? 105
                     : rb104->isChecked() ? 104
                     : rbQ->isChecked()   ? 110
                                          : 103;
    s.ChildKindCode = rbOneParent->isChecked() ? 102 : 101;
    StoreChildren(children, s.ChildrenConstant, s.ChildrenCount, s.ChildrenByMonth);
    StoreChildren(disabled, s.DisabledChildrenConstant, s.DisabledChildrenCount,
                  s.DisabledChildrenByMonth);
}

}  // namespace zorv
