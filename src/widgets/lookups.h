#pragma once

#include <QDialog>
#include <vector>

#include "widgets/referencedata.h"

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace zorv {

// A modal list of codes and names. The current code is selected on opening;
// a double click or Enter closes it with OK, Escape with Cancel. The filter box
// above it narrows the list to the entries whose code, or a word of whose
// name, begins with the text.
class TfmLookup : public QDialog {
    Q_OBJECT
  public:
    TfmLookup(QWidget* parent, const QString& title, const std::vector<TCodeName>& entries);

    // Selects and shows the entry of `code`; false (nothing selected) when there is none.
    bool Select(const QString& code);
    QString Code() const;
    QString Name() const;
    int Count() const;
    QTreeWidget* List() const { return list_; }
    QLineEdit* Filter() const { return edFilter_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ApplyFilter(const QString& text);

    QTreeWidget* list_;
    QLineEdit* edFilter_;
};

// The fixed lists of identity-document kinds and of regions.
const std::vector<TCodeName>& DocumentKinds();
const std::vector<TCodeName>& Regions();

// The four lookups. Each opens with `current` selected and gives the choice
// when the user confirms it.
class TfmDocType : public TfmLookup {
    Q_OBJECT
  public:
    explicit TfmDocType(QWidget* parent);
};

class TfmRegionName : public TfmLookup {
    Q_OBJECT
  public:
    explicit TfmRegionName(QWidget* parent);
};

class TfmGrazhd : public TfmLookup {
    Q_OBJECT
  public:
    TfmGrazhd(QWidget* parent, const std::vector<TCodeName>& countries);
};

class TfmInputInspectionNumber : public TfmLookup {
    Q_OBJECT
  public:
    TfmInputInspectionNumber(QWidget* parent, const std::vector<TCodeName>& inspections);
};

// Runs a lookup with `current` preselected; true and the entry when confirmed
// with an entry selected.
bool PickFromLookup(TfmLookup& lookup, const QString& current, TCodeName& chosen);

}  // namespace zorv
