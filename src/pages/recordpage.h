#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>

#include "widgets/thinkingframe.h"

class QLabel;
class QToolButton;
class QTreeWidget;

namespace zorv {

// A read-only display of one value of the selected record, framed like a field.
QLabel* MakeDisplay(QWidget* parent, const char* name, const QString& accessibleName);

// A page over one list of the declaration whose records are edited in a modal
// dialog each: the list with the add, delete and edit commands (buttons in a
// column on the left, Insert, Delete, Enter and a double click in the list).
// Every command goes to the declaration at once, so the page stores nothing
// when it is left and has no check of its own.
class TRecordListPage : public TThinkingFrame {
    Q_OBJECT
  public:
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
    // both, for the page to lay out.
    QWidget* BuildList(const QStringList& columns, const QList<int>& amountColumns = {});
    // One row per record, nothing selected.
    void FillList();

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

  private:
    void OnSelection();

    QTreeWidget* list_ = nullptr;
    bool loading_ = false;
    bool deleting_ = false;
};

}  // namespace zorv
