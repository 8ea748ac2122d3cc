#include "shell/results.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "pages/entrykit.h"
#include "shell/refunddialog.h"
#include "widgets/controlnames.h"
#include "widgets/shelltext.h"

namespace zorv {

namespace {

constexpr const char* kRecordList = "lvSourseIncomeInfo";

// The role that keeps a tree node's target (its index in the window's list).
constexpr int kTargetRole = Qt::UserRole + 1;

QString Amount(Money amount) {
    return GroupedAmount(MoneyText(amount));
}

// The row of a list for an index of the model; -1 (no row) past what a list holds.
int Row(size_t index) {
    return index > size_t(INT32_MAX) ? -1 : int(index);
}

// The place of a page of the declaration, found where the navigation keeps it.
TTargetPlace PagePlace(PageCode page, int focus = 0) {
    const TPagePlace* place = PlaceOf(page, focus);
    return {place->nav, place->subPage, focus};
}

// The columns of the tree.
enum TTreeColumn { colTreeLine, colTreeAmount, colTreeNote, colTreeWords, colTreeCount };

// The lists of the totals take their columns from these.
enum TSectionColumn { colCaption, colBase, colComputed, colPaid, colRefund, colPayment, colCount };

const TResultAmount& Cell(const TSectionResult& s, int column) {
    switch (column) {
        case colBase:
            return s.base;
        case colComputed:
            return s.computed;
        case colPaid:
            return s.paid;
        case colRefund:
            return s.refund;
        default:
            return s.payment;
    }
}

const char* const kSectionHeaders[colCount] = {
    "Раздел", "Налоговая база", "Налог исчислен", "Удержан и уплачен", "К возврату", "К уплате",
};

QTreeWidget* MakeList(QWidget* parent, const char* name, const QString& hint,
                      const QStringList& columns, const QList<int>& amounts) {
    QTreeWidget* list = MakeRecordList(parent, name, hint, columns, amounts);
    list->setToolTip(hint + QStringLiteral(" (Enter или двойной щелчок: подробнее)"));
    return list;
}

// A list tall enough for its rows and no taller, so the page fits a low window.
// In a narrow window its columns may not fit: then it leaves room for the
// scroll bar under its rows.
class TFitRows : public QObject {
  public:
    static constexpr const char* kName = "zorvFitRows";

    explicit TFitRows(QTreeWidget* list) : QObject(list), list_(list) {
        setObjectName(QString::fromLatin1(kName));
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        list->installEventFilter(this);
    }
    void Fit(int rows) {
        rows_ = std::max(rows, 1);
        Refit();
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) Refit();
        return QObject::eventFilter(watched, event);
    }

  private:
    void Refit() {
        const int row = list_->sizeHintForRow(0) > 0 ? list_->sizeHintForRow(0)
                                                     : list_->fontMetrics().height() + 8;
        int height =
            list_->header()->sizeHint().height() + row * rows_ + 2 * list_->frameWidth() + 4;
        int wanted = 0;
        for (int c = 0; c < list_->columnCount(); ++c)
            wanted += list_->header()->sectionResizeMode(c) == QHeaderView::Stretch
                          ? list_->header()->minimumSectionSize()
                          : list_->header()->sectionSize(c);
        if (wanted > list_->width() - 2 * list_->frameWidth())
            height += list_->horizontalScrollBar()->sizeHint().height();
        if (list_->height() != height) list_->setFixedHeight(height);
    }

    QTreeWidget* list_;
    int rows_ = 1;
};

void FitHeight(QTreeWidget* list, int rows) {
    // The helper has no meta-object of its own: it is found by its name.
    auto* fit = static_cast<TFitRows*>(list->findChild<QObject*>(
        QString::fromLatin1(TFitRows::kName), Qt::FindDirectChildrenOnly));
    if (!fit) fit = new TFitRows(list);
    fit->Fit(rows);
}

}  // namespace

std::optional<TTargetPlace> PlaceOfTarget(const TExplainTarget& t) {
    using K = TExplainTarget::Kind;
    const int row = Row(t.index);
    TTargetPlace place;
    switch (t.kind) {
        case K::ThirteenSource:
            place = PagePlace(kPageIncome13);
            place.list = kRecordList;
            place.row = row;
            return place;
        case K::ThirteenLine:
            place = PagePlace(kPageIncome13);
            place.list = kRecordList;
            place.row = row;
            place.subList = "lvIncome";
            place.subRow = Row(t.subIndex);
            return place;
        case K::Dividend:
            place = PagePlace(kPageDividends);
            break;
        case K::ThirtyFive:
            place = PagePlace(kPageIncome35);
            break;
        case K::Foreign:
            place = PagePlace(kPageForeignIncome);
            break;
        case K::Business:
            place = PagePlace(kPageBusiness);
            break;
        case K::PrivatePractice:
            return std::nullopt;
        case K::AdvancePayment:
            // The payments on notices are no page of the check's.
            place = {navNalog, kNoSubPage, 0};
            break;
        case K::StandardDeduction:
            return PagePlace(kPageDeductions);
        case K::SocialDeduction:
            return PagePlace(kPageDeductions, FocusNumber(DeductionsFocus::SocialSums));
        case K::ChildEducation:
            place = PagePlace(kPageDeductions, FocusNumber(DeductionsFocus::EducationList));
            place.list = "lvSumList";
            place.row = row;
            return place;
        case K::PensionContract:
            place = PagePlace(kPageDeductions, FocusNumber(DeductionsFocus::SocialSums));
            place.focus = 0;
            place.list = "lvPensInfo";
            place.row = row;
            return place;
        case K::PropertyDeduction:
            return PagePlace(kPageHousing, FocusNumber(HousingFocus::ObjectName));
    }
    place.list = kRecordList;
    place.row = row;
    return place;
}

TExplainNode ExplainAmount(const TResults& results, const QString& caption,
                           const TResultAmount& amount) {
    TExplainNode root;
    if (!results.declaration || !results.totals) return root;
    std::vector<TExplainNode> trees;
    for (const std::string& id : amount.lines)
        if (std::optional<TExplainNode> tree = Explain(*results.declaration, *results.totals, id))
            trees.push_back(std::move(*tree));
    if (trees.size() == 1) return trees.front();
    root.line = FromQ(caption);
    root.amount = amount.amount;
    QStringList codes;
    for (const TExplainNode& tree : trees) codes << ToQ(tree.line);
    root.words = FromQ(codes.join(QStringLiteral(" + ")));
    root.children = std::move(trees);
    return root;
}

TfmExplain::TfmExplain(QWidget* parent, const TExplainNode& root) : QDialog(parent) {
    setObjectName(QStringLiteral("fmExplain"));
    setWindowTitle(QStringLiteral("Как получена сумма"));
    tree_ = new QTreeWidget(this);
    Named(tree_, "tvExplain", QStringLiteral("Как получена сумма"));
    tree_->setColumnCount(colTreeCount);
    tree_->setHeaderLabels({QStringLiteral("Строка"), QStringLiteral("Сумма, руб."),
                            QStringLiteral("Примечание"), QStringLiteral("Как получена")});
    tree_->headerItem()->setTextAlignment(colTreeAmount, Qt::AlignRight | Qt::AlignVCenter);
    tree_->setUniformRowHeights(true);
    tree_->setAllColumnsShowFocus(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setWordWrap(false);
    Add(nullptr, root, false);
    // A tree of one amount opens whole; that of every line, at its lines.
    constexpr int kOpenWhole = 300;
    if (count_ <= kOpenWhole)
        tree_->expandAll();
    else
        tree_->expandToDepth(0);
    // Each column as wide as its texts, within a share of the window; the
    // formula takes what is left, and every cut text is whole in its hint.
    const int width = parent ? std::max(parent->window()->width() - 40, 760) : 980;
    const int shares[colTreeCount] = {40, 12, 24, 0};
    for (int column = 0; column < colTreeCount - 1; ++column) {
        tree_->resizeColumnToContents(column);
        tree_->header()->resizeSection(column, std::min(tree_->header()->sectionSize(column) + 12,
                                                        width * shares[column] / 100));
    }
    tree_->header()->setStretchLastSection(true);
    tree_->setCurrentItem(tree_->topLevelItem(0));

    bnOpen_ = Named(new QPushButton(QStringLiteral("&Открыть запись"), this), "bnOpen");
    bnOpen_->setToolTip(QStringLiteral("Открыть страницу, на которой введена выбранная запись"));
    bnOpen_->setAutoDefault(false);
    auto* close = Named(new QPushButton(QStringLiteral("Закрыть"), this), "bnClose");
    close->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bnOpen_);
    buttons->addWidget(close);
    // The whole of the current line, which the columns may cut.
    lbDetail_ = Named(new QLabel(this), "lbDetail");
    lbDetail_->setWordWrap(true);
    lbDetail_->setFrameShape(QFrame::StyledPanel);
    lbDetail_->setMargin(4);
    lbDetail_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lbDetail_->setMinimumHeight(3 * lbDetail_->fontMetrics().lineSpacing() + 10);
    lbDetail_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_, 1);
    layout->addWidget(lbDetail_);
    layout->addLayout(buttons);

    connect(tree_, &QTreeWidget::currentItemChanged, this, [this] { OnCurrent(); });
    connect(tree_, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { Open(item); });
    connect(bnOpen_, &QPushButton::clicked, this, [this] { Open(tree_->currentItem()); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    OnCurrent();
    resize(width, parent ? std::max(parent->window()->height() - 60, 420) : 520);
}

void TfmExplain::Add(QTreeWidgetItem* parent, const TExplainNode& node, bool amongAddends) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
    // The parts of a node of parts only (the lines of a whole declaration) add
    // up to nothing: such a node shows no amount, nor are its parts "справочно".
    bool addends = false;
    for (const TExplainNode& child : node.children) addends = addends || child.sign != 0;
    QString amount = Amount(node.amount);
    if (node.sign < 0) amount = QStringLiteral("− ") + amount;
    if (!addends && !node.children.empty() && node.amount.IsZero()) amount.clear();
    QStringList notes;
    if (!node.limit.empty()) notes << ToQ(node.limit);
    if (node.percent != 0 && node.before)
        notes << QStringLiteral("%1 % от %2").arg(node.percent).arg(Amount(*node.before));
    if (node.sign == 0 && amongAddends) notes << QStringLiteral("справочно");
    item->setText(colTreeLine, ToQ(node.line));
    item->setText(colTreeAmount, amount);
    item->setText(colTreeNote, notes.join(QStringLiteral("; ")));
    item->setText(colTreeWords, ToQ(node.words));
    item->setTextAlignment(colTreeAmount, Qt::AlignRight | Qt::AlignVCenter);
    for (int column : {colTreeLine, colTreeNote, colTreeWords})
        item->setToolTip(column, item->text(column));
    if (node.target) {
        item->setData(0, kTargetRole, int(targets_.size()));
        targets_.push_back(*node.target);
        QFont font = item->font(0);
        font.setUnderline(true);
        item->setFont(0, font);
    }
    ++count_;
    for (const TExplainNode& child : node.children) Add(item, child, addends);
}

void TfmExplain::OnCurrent() {
    QTreeWidgetItem* item = tree_->currentItem();
    bnOpen_->setEnabled(item && item->data(0, kTargetRole).isValid());
    QStringList detail;
    if (item) {
        detail << item->text(colTreeLine) + QStringLiteral(": ") + item->text(colTreeAmount);
        for (int column : {colTreeWords, colTreeNote})
            if (!item->text(column).isEmpty()) detail << item->text(column);
    }
    lbDetail_->setText(detail.join(QLatin1Char('\n')));
}

void TfmExplain::Open(QTreeWidgetItem* item) {
    if (!item) return;
    const QVariant index = item->data(0, kTargetRole);
    if (!index.isValid()) {
        // A line: Enter opens or closes its branch.
        item->setExpanded(!item->isExpanded());
        return;
    }
    chosen_ = targets_[size_t(index.toInt())];
    accept();
}

TfrResults::TfrResults(TShellContext& ctx, QWidget* parent) : TThinkingFrame(ctx, parent) {
    setObjectName(QStringLiteral("frResults"));
    auto* title = Named(new QLabel(QStringLiteral("Итоги декларации"), this), "lbTitle");
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    large_ = font();
    large_.setPointSizeF(large_.pointSizeF() * 1.6);
    large_.setBold(true);

    lvPayments = MakeList(this, "lvPayments", QStringLiteral("Суммы к уплате и к возврату"),
                          {QStringLiteral("Итог"), QStringLiteral("Сумма, руб."),
                           QStringLiteral("КБК"), QStringLiteral("Код ОКАТО")},
                          {});
    lvPayments->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    // The codes and amounts whole, the caption in what is left.
    lvPayments->header()->setStretchLastSection(false);
    lvPayments->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lvPayments->header()->setSectionResizeMode(0, QHeaderView::Stretch);

    QStringList headers;
    // Long headings take two lines, so that the columns fit an 800-pixel window.
    for (const char* h : kSectionHeaders) {
        QString heading = QString::fromUtf8(h);
        if (heading.size() > 12) heading.replace(heading.indexOf(u' '), 1, u'\n');
        headers << heading;
    }
    lvSections = MakeList(this, "lvSections", QStringLiteral("Итоги по налоговым базам"), headers,
                          {colBase, colComputed, colPaid, colRefund, colPayment});
    // Each cell is an amount of its own: the keyboard moves from cell to cell.
    lvSections->setSelectionBehavior(QAbstractItemView::SelectItems);
    lvSections->setAllColumnsShowFocus(false);
    lvSections->header()->setStretchLastSection(false);
    lvSections->header()->setSectionResizeMode(QHeaderView::Stretch);
    lvSections->header()->setSectionResizeMode(colCaption, QHeaderView::ResizeToContents);
    lvSections->header()->setMinimumSectionSize(
        lvSections->fontMetrics().horizontalAdvance(QStringLiteral("00 000 000,00")) + 12);

    bnExplain = Named(new QPushButton(QStringLiteral("&Как получена сумма..."), this), "bnExplain");
    bnExplain->setToolTip(
        QStringLiteral("Показать, из каких строк, доходов и вычетов сложилась выбранная сумма"));
    bnExplainAll =
        Named(new QPushButton(QStringLiteral("&Все строки разделов..."), this), "bnExplainAll");
    bnExplainAll->setToolTip(
        QStringLiteral("Показать, как получена каждая строка разделов декларации"));

    lbMessage = Named(new QLabel(this), "lbMessage");
    lbMessage->setWordWrap(true);
    lbMessage->setFrameShape(QFrame::StyledPanel);
    lbMessage->setMargin(6);
    lbMessage->setTextInteractionFlags(Qt::TextSelectableByMouse);

    gbRefund = new TRefundPanel(this, ctx);

    lbProblems = Named(new QLabel(this), "lbProblems");
    lvProblems = MakeList(this, "lvProblems", QStringLiteral("Замечания проверки декларации"),
                          {QStringLiteral("Раздел"), QStringLiteral("Замечание")}, {});
    lvProblems->header()->resizeSection(
        0,
        lvProblems->fontMetrics().horizontalAdvance(QStringLiteral("Сведения о декларанте")) + 24);
    lvProblems->setWordWrap(true);
    lvProblems->setUniformRowHeights(false);
    lbProblems->setBuddy(lvProblems);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(bnExplain);
    buttons->addWidget(bnExplainAll);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(lvPayments);
    layout->addWidget(lbMessage);
    layout->addWidget(lvSections);
    layout->addLayout(buttons);
    layout->addWidget(gbRefund);
    layout->addWidget(lbProblems);
    layout->addWidget(lvProblems, 1);
    layout->addStretch(0);
    SetTabOrder({lvPayments, lvSections, bnExplain, bnExplainAll, gbRefund->bnRefund, lvProblems});

    connect(lvPayments, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        ExplainPayment(lvPayments->indexOfTopLevelItem(item));
    });
    connect(lvSections, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item, int column) {
                ExplainSectionCell(lvSections->indexOfTopLevelItem(item), column);
            });
    connect(lvProblems, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { OpenProblem(item); });
    // "Как получена сумма" explains the amount chosen last, in either list.
    connect(lvPayments, &QTreeWidget::currentItemChanged, this, [this] { explainPayment_ = true; });
    connect(lvSections, &QTreeWidget::currentItemChanged, this,
            [this] { explainPayment_ = false; });
    connect(lvSections, &QTreeWidget::itemClicked, this, [this] { explainPayment_ = false; });
    connect(lvPayments, &QTreeWidget::itemClicked, this, [this] { explainPayment_ = true; });
    connect(bnExplain, &QPushButton::clicked, this, &TfrResults::ExplainCurrent);
    connect(bnExplainAll, &QPushButton::clicked, this, &TfrResults::ExplainEverything);
    Refresh();
    // The page opens on the amounts, or on the problems when there are none.
    if (!lvPayments->isHidden())
        lvPayments->setFocus();
    else if (!lvProblems->isHidden())
        lvProblems->setFocus();
}

void TfrResults::Refresh() {
    results_ = ComputeResults(Decl());
    const bool numbers = results_.failure.isEmpty() && results_.note.isEmpty();

    lvPayments->clear();
    for (const TPaymentRow& p : results_.payments) {
        QTreeWidgetItem* row =
            AppendRow(lvPayments, {p.what, Amount(p.amount), p.budgetCode, p.okato});
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        // The amounts people fill the form in for: in large type.
        row->setFont(0, large_);
        row->setFont(1, large_);
        for (int column = 0; column < 4; ++column) row->setToolTip(column, row->text(column));
    }
    FitHeight(lvPayments, int(results_.payments.size()));
    lvPayments->setVisible(numbers);
    if (lvPayments->topLevelItemCount() > 0) SelectRow(lvPayments, 0);

    lvSections->clear();
    for (const TSectionResult& s : results_.sections) {
        QStringList texts{s.caption};
        for (int column = colBase; column < colCount; ++column)
            texts << Amount(Cell(s, column).amount);
        AppendRow(lvSections, texts);
    }
    FitHeight(lvSections, int(results_.sections.size()));
    lvSections->setVisible(numbers);
    bnExplain->setVisible(numbers);
    bnExplainAll->setVisible(numbers);

    if (!results_.failure.isEmpty())
        lbMessage->setText(QStringLiteral("Итоги декларации не рассчитаны: ") + results_.failure);
    else
        lbMessage->setText(results_.note);
    lbMessage->setVisible(!numbers);
    gbRefund->Refresh();

    lvProblems->clear();
    for (const DeclarationProblem& p : results_.problems)
        AppendRow(lvProblems, {ToQ(p.section), ToQ(p.message)});
    const auto count = qsizetype(results_.problems.size());
    lbProblems->setText(count == 0 ? QStringLiteral("Замечаний нет: проверка декларации завершена "
                                                    "успешно.")
                                   : QStringLiteral("&Замечания проверки (%1); Enter или двойной "
                                                    "щелчок открывает поле с замечанием:")
                                         .arg(count));
    lvProblems->setVisible(count > 0);
    // With no list of problems the page keeps to its top.
    auto* box = static_cast<QVBoxLayout*>(layout());
    box->setStretch(box->count() - 1, count > 0 ? 0 : 1);
}

void TfrResults::ShowTree(const TExplainNode& root) {
    TfmExplain window(this, root);
    if (!Dialogs().Run(window) || !window.Chosen()) return;
    emit openTarget(*window.Chosen());
}

void TfrResults::ExplainPayment(int row) {
    if (row < 0 || size_t(row) >= results_.payments.size()) return;
    const TPaymentRow& p = results_.payments[size_t(row)];
    ShowTree(ExplainAmount(results_, p.what, {p.amount, {p.line}}));
}

void TfrResults::ExplainSectionCell(int row, int column) {
    if (row < 0 || size_t(row) >= results_.sections.size()) return;
    const TSectionResult& s = results_.sections[size_t(row)];
    if (column <= colCaption || column >= colCount) {
        // The base itself: every amount of its row, each with its tree.
        TExplainNode root;
        root.line = FromQ(s.caption);
        root.words = "итоги налоговой базы";
        for (int c = colBase; c < colCount; ++c) {
            TExplainNode tree =
                ExplainAmount(results_, QString::fromUtf8(kSectionHeaders[c]), Cell(s, c));
            tree.sign = 0;
            root.children.push_back(std::move(tree));
        }
        ShowTree(root);
        return;
    }
    ShowTree(ExplainAmount(
        results_, QString::fromUtf8(kSectionHeaders[column]) + QStringLiteral(" — ") + s.caption,
        Cell(s, column)));
}

void TfrResults::ExplainCurrent() {
    QTreeWidgetItem* item = lvSections->currentItem();
    if (explainPayment_ || !item) {
        ExplainPayment(SelectedRow(lvPayments));
        return;
    }
    ExplainSectionCell(lvSections->indexOfTopLevelItem(item), lvSections->currentColumn());
}

void TfrResults::ExplainEverything() {
    if (!results_.declaration || !results_.totals) return;
    TExplainNode all = ExplainAll(*results_.declaration, *results_.totals);
    if (all.line.empty()) all.line = "Все строки разделов";
    ShowTree(all);
}

void TfrResults::OpenProblem(QTreeWidgetItem* item) {
    const int row = lvProblems->indexOfTopLevelItem(item);
    if (row < 0 || size_t(row) >= results_.problems.size()) return;
    const DeclarationProblem& p = results_.problems[size_t(row)];
    emit openProblem(p.page, p.focus);
}

}  // namespace zorv
