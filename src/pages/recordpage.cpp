#include "pages/recordpage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "check/checkrules.h"
#include "pages/entrykit.h"
#include "widgets/controlnames.h"
#include "widgets/shelltext.h"

namespace zorv {

QLabel* MakeDisplay(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* label = Named(new QLabel(parent), name, accessibleName);
    label->setFrameShape(QFrame::StyledPanel);
    label->setFrameShadow(QFrame::Sunken);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->setMinimumHeight(label->fontMetrics().height() + 8);
    return label;
}

TRecordListPage::TRecordListPage(TShellContext& ctx, QWidget* parent, const char* name)
    : TThinkingFrame(ctx, parent) {
    setObjectName(QString::fromLatin1(name));
}

TRecordListPage::~TRecordListPage() {
    // The page below is gone: the list's last signals have nobody to show to.
    if (list_) list_->disconnect(this);
}

QWidget* TRecordListPage::BuildList(const QStringList& columns, const QList<int>& amountColumns,
                                    const QString& hint) {
    auto* box = new QWidget(this);
    list_ = MakeRecordList(box, "lvSourseIncomeInfo", hint, columns, amountColumns);
    fbAddSourseIncome = MakeCommandButton(box, "fbAddSourseIncome", TCommandGlyph::Add,
                                          QStringLiteral("Добавить источник выплат"));
    fbDeleteSourseIncome = MakeCommandButton(box, "fbDeleteSourseIncome", TCommandGlyph::Remove,
                                             QStringLiteral("Удалить источник выплат"));
    fbEditSourseIncome = MakeCommandButton(box, "fbEditSourseIncome", TCommandGlyph::Edit,
                                           QStringLiteral("Редактировать источник выплат"));
    connect(fbAddSourseIncome, &QToolButton::clicked, this, [this] { AddRecord(); });
    connect(fbDeleteSourseIncome, &QToolButton::clicked, this, [this] { DeleteRecord(); });
    connect(fbEditSourseIncome, &QToolButton::clicked, this, [this] { EditRecord(); });
    BindListKeys(
        list_, [this] { AddRecord(); }, [this] { DeleteRecord(); }, [this] { EditRecord(); });
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { OnSelection(); });

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(fbAddSourseIncome);
    buttons->addWidget(fbDeleteSourseIncome);
    buttons->addWidget(fbEditSourseIncome);
    buttons->addStretch(1);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(list_, 1);
    // The list first: its keys reach every command.
    SetTabOrder({list_, fbAddSourseIncome, fbDeleteSourseIncome, fbEditSourseIncome});
    return box;
}

void TRecordListPage::FillList() {
    loading_ = true;
    shown_ = -1;
    list_->clear();
    for (size_t i = 0; i < RecordCount(); ++i) AppendRow(list_, RowTexts(i));
    ShowRecord(-1);
    loading_ = false;
}

void TRecordListPage::KeepShownRecord() {
    if (shown_ >= 0 && size_t(shown_) < RecordCount()) KeepRecord(size_t(shown_));
}

bool TRecordListPage::Rewrite(std::initializer_list<std::pair<std::string*, QString>> fields) {
    bool changed = false;
    for (const auto& [field, text] : fields) changed = changed || *field != FromQ(text);
    if (!changed) return false;
    Notify();
    for (const auto& [field, text] : fields) *field = FromQ(text);
    return true;
}

const CheckRule* TRecordListPage::SelectBrokenRecord(int code, PageCode page) {
    if (code < 1 || code > list_->topLevelItemCount()) return nullptr;
    list_->setFocus();
    SelectRow(list_, code - 1);
    for (const CheckRule& rule : RulesOf(page).rules)
        if (rule.test(Decl(), size_t(code - 1))) return &rule;
    return nullptr;
}

void TRecordListPage::OnSelection() {
    if (loading_ || deleting_) return;
    KeepShownRecord();
    shown_ = SelectedRow(list_);
    ShowRecord(shown_);
}

void TRecordListPage::AddRecord() {
    if (!RoomForOneMore(this, RecordCount(), RecordsWhat())) return;
    if (!RunAdd()) return;
    const int row = int(RecordCount()) - 1;
    AppendRow(list_, RowTexts(size_t(row)));
    SelectRow(list_, row);
}

void TRecordListPage::EditRecord() {
    const int row = SelectedRow(list_);
    if (row < 0) return;
    if (!RunEdit(size_t(row))) return;
    SetRowTexts(list_->topLevelItem(row), RowTexts(size_t(row)));
    // Selected afresh, the row shows its new values beside the list.
    SelectRow(list_, -1);
    SelectRow(list_, row);
}

void TRecordListPage::DeleteRecord() {
    const int row = SelectedRow(list_);
    if (row < 0) return;
    deleting_ = true;
    Notify();
    shown_ = -1;
    Remove(size_t(row));
    delete list_->takeTopLevelItem(row);
    deleting_ = false;
    const int next = RowAfterRemoval(row, list_->topLevelItemCount());
    SelectRow(list_, next);
    if (next < 0) ShowRecord(-1);
}

}  // namespace zorv
