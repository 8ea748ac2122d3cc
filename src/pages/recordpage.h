#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <utility>

#include "check/pagecodes.h"
#include "widgets/thinkingframe.h"

class QLabel;
class QToolButton;
class QTreeWidget;

namespace zorv {

struct CheckRule;

// A read-only display of one value of the selected record, framed like a field.
QLabel* MakeDisplay(QWidget* parent, const char* name, const QString& accessibleName);

// A page over one list of the declaration: the list with the add, delete and
// edit commands (buttons in a column on the left, Insert, Delete, Enter and a
// double click in the list), the add and edit commands in a modal dialog per
// record. Every command goes to the declaration at once. A page that only
// shows the selected record stores nothing when it is left and has no check of
// its own; a page that edits the selected record in its own fields keeps them
// in the record (KeepRecord) and overrides the page operations.
class TRecordListPage : public TThinkingFrame {
    Q_OBJECT
  public:
    ~TRecordListPage() override;

    void StoreToModel() override {}
    int Validate() override { return 0; }
    void FocusError(int) override {}

    QTreeWidget* List() const { return list_; }
    QToolButton* fbAddSourseIncome = nullptr;
    QToolButton* fbDeleteSourseIncome = nullptr;
    QToolButton* fbEditSourseIncome = nullptr;

    // The commands. Add refuses a list that is full; edit and delete act on the
    // selected record only.
    void AddRecord();
    void EditRecord();
    void DeleteRecord();

  protected:
    TRecordListPage(TShellContext& ctx, QWidget* parent, const char* name);

    // Builds the list `lvSourseIncomeInfo` and its buttons; the widget holds
    // both, for the page to lay out. `hint` names the list for the reader.
    QWidget* BuildList(const QStringList& columns, const QList<int>& amountColumns = {},
                       const QString& hint = QStringLiteral("Список источников выплат"));
    // One row per record, nothing selected.
    void FillList();
    // The record shown beside the list; -1 when none is.
    int ShownRecord() const { return shown_; }
    // Keeps the page's fields in the record shown, if there is one.
    void KeepShownRecord();
    // Sets each text field of a record to the text of its dialog field; true,
    // with the modified notice, when any of them changed.
    bool Rewrite(std::initializer_list<std::pair<std::string*, QString>> fields);
    // For the focus code of a page check (the record's position from 1):
    // focuses the list on that record and gives the first rule of `page` it
    // breaks; nullptr when there is no such record or rule.
    const CheckRule* SelectBrokenRecord(int code, PageCode page);

    virtual size_t RecordCount() const = 0;
    virtual QStringList RowTexts(size_t index) const = 0;
    // What the list holds, as the limit message names it ("платежей").
    virtual QString RecordsWhat() const = 0;
    // Runs the dialog of a new record; true when a record was appended.
    virtual bool RunAdd() = 0;
    // Runs the dialog of record `index`; true when the record was changed.
    virtual bool RunEdit(size_t index) = 0;
    virtual void Remove(size_t index) = 0;
    // Shows the values of record `index` beside the list; -1 clears them.
    virtual void ShowRecord(int index) { (void)index; }
    // Writes what the page's fields hold of record `index` into it, before
    // another record is shown; a page whose records change only in their
    // dialog keeps nothing.
    virtual void KeepRecord(size_t index) { (void)index; }

  private:
    void OnSelection();

    QTreeWidget* list_ = nullptr;
    int shown_ = -1;
    bool loading_ = false;
    bool deleting_ = false;
};

}  // namespace zorv
