#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <functional>

class QDialog;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;
class QWidget;

namespace zorv {

class TMaskedEdit;

// What the income and deduction pages share: lists of records with their
// command buttons and keys, the rule for the row selected after a removal,
// and the limit on the length of a list.

// A list of records: whole rows are selected, the selection stays visible
// without the focus, and the columns in `amountColumns` are right-aligned,
// wide enough for 12 digits, and show their digits grouped by thousands (the
// item keeps the plain text, which a screen reader reads).
QTreeWidget* MakeRecordList(QWidget* parent, const char* name, const QString& hint,
                            const QStringList& columns, const QList<int>& amountColumns = {});

// Appends a row with the texts; sets the texts of an existing row.
QTreeWidgetItem* AppendRow(QTreeWidget* list, const QStringList& texts);
void SetRowTexts(QTreeWidgetItem* row, const QStringList& texts);

// Selects row `index` and makes it current; -1 clears the selection.
void SelectRow(QTreeWidget* list, int index);
// The index of the selected row; -1 when none is selected.
int SelectedRow(const QTreeWidget* list);

// A command button of a list: a glyph on the button, the hint as its tooltip
// and as its accessible name.
enum class TCommandGlyph { Add, Remove, Edit, Repeat };
QToolButton* MakeCommandButton(QWidget* parent, const char* name, TCommandGlyph glyph,
                               const QString& hint);

// The keys of a list of records: Insert adds, Delete removes, Enter and a double
// click edit. An empty command is left out.
void BindListKeys(QTreeWidget* list, std::function<void()> add, std::function<void()> remove,
                  std::function<void()> edit);

// The row to select after row `removed` was taken out of a list that has
// `remaining` rows now: the row before it, the first when the first was
// removed; -1 when the list is empty.
int RowAfterRemoval(int removed, int remaining);

// Whether a list of `count` entries takes one more. A document keeps at most
// 1000 entries in a list; at the limit the user is told so ("Можно ввести не
// более 1000 " + `what` + ".") and false comes back.
bool RoomForOneMore(QWidget* parent, size_t count, const QString& what);

// An amount field of 12 whole and 2 fractional digits, right-aligned, as wide
// as its longest amount.
TMaskedEdit* MakeMoneyField(QWidget* parent, const char* name, const QString& accessibleName);

// The caption of a field; its mnemonic and a click lead to the field.
QLabel* MakeBuddy(const QString& caption, QWidget* field, QWidget* parent);

// Runs a page's modal dialog through the dialogs in force; true for "Да".
bool RunModal(QDialog& dialog);

// An amount of a list cell or display as its digits grouped by thousands with
// narrow blanks: "1234567,5" gives "1 234 567,5". Other texts stay as they are.
QString GroupedAmount(const QString& text);

}  // namespace zorv
