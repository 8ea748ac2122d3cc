#include "pages/codelists.h"

#include <QTreeWidget>

#include "pages/entrykit.h"

namespace zorv {

namespace {

std::vector<TCodeName> IncomeEntries(const IncomePickList& pick) {
    std::vector<TCodeName> entries;
    entries.reserve(pick.rows.size());
    for (const IncomeCode* row : pick.rows)
        entries.push_back({CodeText(row->code), CodeText(row->name)});
    return entries;
}

std::vector<TCodeName> DeductionEntries(const DeductionPickList& pick) {
    std::vector<TCodeName> entries;
    entries.reserve(pick.rows.size());
    for (const DeductionRow* row : pick.rows)
        entries.push_back({CodeText(row->code), CodeText(row->name)});
    return entries;
}

// The row the list stands on, by its position in the pick list.
std::optional<size_t> ChosenRow(const TfmLookup& lookup) {
    QTreeWidgetItem* item = lookup.List()->currentItem();
    if (!item || !item->isSelected() || item->isHidden()) return std::nullopt;
    const int index = lookup.List()->indexOfTopLevelItem(item);
    if (index < 0) return std::nullopt;
    return size_t(index);
}

void Preselect(TfmLookup& lookup, std::optional<size_t> row) {
    if (!row) return;
    QTreeWidgetItem* item = lookup.List()->topLevelItem(int(*row));
    lookup.List()->setCurrentItem(item);
    lookup.List()->scrollToItem(item, QAbstractItemView::PositionAtCenter);
    lookup.List()->setFocus();
}

}  // namespace

TfmInputIncomeCode::TfmInputIncomeCode(QWidget* parent, std::string_view rateFilter,
                                       const QString& current)
    : TfmLookup(parent, QStringLiteral("Справочник видов доходов"),
                IncomeEntries(MakeIncomePickList(rateFilter, current.toStdString()))),
      pick_(MakeIncomePickList(rateFilter, current.toStdString())) {
    setObjectName(QStringLiteral("TfmInputIncomeCode"));
    List()->setObjectName(QStringLiteral("lvIncomeNames"));
    List()->setHeaderLabels({QStringLiteral("Код"), QStringLiteral("Наименование дохода")});
    Preselect(*this, pick_.selected);
}

std::optional<IncomeChoice> TfmInputIncomeCode::Choice() const {
    const std::optional<size_t> row = ChosenRow(*this);
    if (!row || *row >= pick_.rows.size()) return std::nullopt;
    return pick_.Choose(*row);
}

TfmInputDeductCode::TfmInputDeductCode(QWidget* parent, const QString& incomeCode, bool allRows,
                                       const QString& current)
    : TfmLookup(parent, QStringLiteral("Справочник видов вычетов"),
                DeductionEntries(MakeDeductionPickList(incomeCode.toStdString(), allRows,
                                                       current.toStdString()))),
      pick_(MakeDeductionPickList(incomeCode.toStdString(), allRows, current.toStdString())) {
    setObjectName(QStringLiteral("TfmInputDeductCode"));
    List()->setObjectName(QStringLiteral("lvDeductNames"));
    List()->setHeaderLabels({QStringLiteral("Код"), QStringLiteral("Виды вычетов")});
    Preselect(*this, pick_.selected);
}

const DeductionRow* TfmInputDeductCode::Choice() const {
    const std::optional<size_t> row = ChosenRow(*this);
    if (!row || *row >= pick_.rows.size()) return nullptr;
    return pick_.rows[*row];
}

std::optional<IncomeChoice> PickIncomeCode(QWidget* parent, std::string_view rateFilter,
                                           const QString& current) {
    TfmInputIncomeCode list(parent, rateFilter, current);
    if (!RunModal(list)) return std::nullopt;
    return list.Choice();
}

const DeductionRow* PickDeductionCode(QWidget* parent, const QString& incomeCode, bool allRows,
                                      const QString& current) {
    TfmInputDeductCode list(parent, incomeCode, allRows, current);
    if (!RunModal(list)) return nullptr;
    return list.Choice();
}

}  // namespace zorv
