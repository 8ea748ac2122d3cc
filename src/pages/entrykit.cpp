#include "pages/entrykit.h"

#include <QDialog>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>

#include "model/streamnames.h"
#include "widgets/controlnames.h"
#include "widgets/dialogs.h"
#include "widgets/maskededit.h"

namespace zorv {

namespace {

constexpr const char* kAmountColumns = "zorvAmountColumns";

QList<int> AmountColumns(const QTreeWidget* list) {
    QList<int> columns;
    for (const QVariant& v : list->property(kAmountColumns).toList()) columns.append(v.toInt());
    return columns;
}

// Shows the amounts of a column grouped by thousands; the model keeps the text.
class TAmountDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QString displayText(const QVariant& value, const QLocale& locale) const override {
        return GroupedAmount(QStyledItemDelegate::displayText(value, locale));
    }
};

class TListKeys : public QObject {
  public:
    TListKeys(QTreeWidget* list, std::function<void()> add, std::function<void()> remove,
              std::function<void()> edit)
        : QObject(list), add_(std::move(add)), remove_(std::move(remove)), edit_(std::move(edit)) {
        list->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
            return QObject::eventFilter(watched, event);
        const std::function<void()>* command = nullptr;
        switch (key->key()) {
            case Qt::Key_Insert:
                command = &add_;
                break;
            case Qt::Key_Delete:
                command = &remove_;
                break;
            case Qt::Key_Return:
            case Qt::Key_Enter:
                command = &edit_;
                break;
            default:
                break;
        }
        if (!command || !*command) return QObject::eventFilter(watched, event);
        (*command)();
        return true;
    }

  private:
    std::function<void()> add_, remove_, edit_;
};

QString GlyphText(TCommandGlyph glyph) {
    switch (glyph) {
        case TCommandGlyph::Add:
            return QStringLiteral("+");
        case TCommandGlyph::Remove:
            return QStringLiteral("\u2212");
        case TCommandGlyph::Edit:
            return QStringLiteral("\u270E");
        case TCommandGlyph::Repeat:
            return QStringLiteral("\u21BB");
    }
    return {};
}

}  // namespace

QTreeWidget* MakeRecordList(QWidget* parent, const char* name, const QString& hint,
                            const QStringList& columns, const QList<int>& amountColumns) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setToolTip(hint);
    list->setAccessibleName(hint);
    list->setColumnCount(int(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The selected row stays marked when the focus is elsewhere.
    QPalette palette = list->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    list->setPalette(palette);

    QVariantList stored;
    const int amountWidth =
        list->fontMetrics().horizontalAdvance(QStringLiteral("000 000 000 000,00")) + 16;
    auto* delegate = new TAmountDelegate(list);
    for (int column : amountColumns) {
        stored.append(column);
        list->setItemDelegateForColumn(column, delegate);
        list->header()->resizeSection(column, amountWidth);
        list->headerItem()->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    }
    list->setProperty(kAmountColumns, stored);
    for (int column = 0; column < columns.size(); ++column) {
        if (amountColumns.contains(column)) continue;
        const int width = list->fontMetrics().horizontalAdvance(columns[column]) + 24;
        list->header()->resizeSection(column, std::max(width, list->header()->sectionSize(column)));
    }
    list->header()->setStretchLastSection(true);
    return list;
}

QTreeWidgetItem* AppendRow(QTreeWidget* list, const QStringList& texts) {
    auto* row = new QTreeWidgetItem(list);
    for (int column : AmountColumns(list))
        row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
    SetRowTexts(row, texts);
    return row;
}

void SetRowTexts(QTreeWidgetItem* row, const QStringList& texts) {
    for (int column = 0; column < texts.size(); ++column) row->setText(column, texts[column]);
}

void SelectRow(QTreeWidget* list, int index) {
    QTreeWidgetItem* row = index >= 0 ? list->topLevelItem(index) : nullptr;
    if (!row) {
        list->clearSelection();
        list->setCurrentItem(nullptr);
        return;
    }
    list->setCurrentItem(row);
    row->setSelected(true);
    list->scrollToItem(row);
}

int SelectedRow(const QTreeWidget* list) {
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.first());
}

QToolButton* MakeCommandButton(QWidget* parent, const char* name, TCommandGlyph glyph,
                               const QString& hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(GlyphText(glyph));
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    QFont font = button->font();
    font.setPointSizeF(font.pointSizeF() * 1.4);
    font.setBold(true);
    button->setFont(font);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setFixedSize(32, 32);
    return button;
}

void BindListKeys(QTreeWidget* list, std::function<void()> add, std::function<void()> remove,
                  std::function<void()> edit) {
    if (edit)
        QObject::connect(list, &QTreeWidget::itemDoubleClicked, list,
                         [edit](QTreeWidgetItem*, int) { edit(); });
    new TListKeys(list, std::move(add), std::move(remove), std::move(edit));
}

int RowAfterRemoval(int removed, int remaining) {
    if (remaining <= 0) return -1;
    return std::clamp(removed - 1, 0, remaining - 1);
}

bool RoomForOneMore(QWidget* parent, size_t count, const QString& what) {
    if (count < kMaxListEntries) return true;
    ShowError(parent,
              QStringLiteral("Можно ввести не более %1 %2.").arg(kMaxListEntries).arg(what));
    return false;
}

TMaskedEdit* MakeMoneyField(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* edit = Named(new TMaskedEdit(parent, edtCurrency, 12, 2), name, accessibleName);
    edit->setAlignment(Qt::AlignRight);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("000000000000,00")) +
                        16);
    return edit;
}

QLabel* MakeBuddy(const QString& caption, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(field);
    return label;
}

bool RunModal(QDialog& dialog) {
    return Dialogs().Run(dialog);
}

QString GroupedAmount(const QString& text) {
    qsizetype end = text.indexOf(QLatin1Char(','));
    if (end < 0) end = text.size();
    qsizetype start = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    if (end - start < 4) return text;
    for (qsizetype i = start; i < end; ++i)
        if (!text[i].isDigit()) return text;
    QString out = text.left(start);
    const qsizetype digits = end - start;
    for (qsizetype i = 0; i < digits; ++i) {
        if (i > 0 && (digits - i) % 3 == 0) out += QChar(0x202F);
        out += text[start + i];
    }
    return out + text.mid(end);
}

}  // namespace zorv
