#pragma once

#include <QDialog>
#include <QFont>
#include <optional>
#include <string>
#include <vector>

#include "calc/explain.h"
#include "shell/resultsdata.h"
#include "widgets/navigation.h"
#include "widgets/thinkingframe.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zorv {

class TRefundPanel;

// Where a record of the explanation tree is edited: the page under a navigation
// button (and its sub-page), the list of the page that holds the record and
// its row; for an income line of a payer, the second list and its row too.
struct TTargetPlace {
    TNavPage nav = navInitialData;
    int subPage = kNoSubPage;
    int focus = 0;  // a focus code of the page, 0 for none
    const char* list = nullptr;
    int row = -1;
    const char* subList = nullptr;
    int subRow = -1;
};

// The place of a record; nullopt for one the program has no page for
// (private practice).
std::optional<TTargetPlace> PlaceOfTarget(const TExplainTarget& target);

// The tree of an amount made of several lines: one line's own tree, or a node
// named `caption` over the trees of each line.
TExplainNode ExplainAmount(const TResults& results, const QString& caption,
                           const TResultAmount& amount);

// How an amount is made up, as a tree down to its sources. Enter or a double
// click on a payer, line or record (or "Открыть") closes the window with it
// chosen.
class TfmExplain : public QDialog {
    Q_OBJECT
  public:
    TfmExplain(QWidget* parent, const TExplainNode& root);

    QTreeWidget* tvExplain() const { return tree_; }
    QPushButton* bnOpen() const { return bnOpen_; }
    // The record chosen to be opened.
    const std::optional<TExplainTarget>& Chosen() const { return chosen_; }

  private:
    // Adds the node and its children; amongAddends: whether its siblings add up
    // to their parent.
    void Add(QTreeWidgetItem* parent, const TExplainNode& node, bool amongAddends);
    void OnCurrent();
    void Open(QTreeWidgetItem* item);

    QTreeWidget* tree_ = nullptr;
    QPushButton* bnOpen_ = nullptr;
    QLabel* lbDetail_ = nullptr;
    std::vector<TExplainTarget> targets_;
    std::optional<TExplainTarget> chosen_;
    int count_ = 0;
};

// "Итоги": the amounts to pay or refund in large type, each tax base's totals
// and every problem of the whole-declaration check, worked out afresh whenever
// the page is shown. Any amount opens as a tree of how it is made up; a
// problem or a record of a tree opens its own page. It is a page of the
// navigation column rather than a strip under every page: in a window of
// 1024 x 600 the entry pages keep all of their height, and the amounts, the
// totals and a list of many problems get the room of a whole page.
class TfrResults : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrResults(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override {}
    int Validate() override { return 0; }

    // Works the results out again from the declaration.
    void Refresh();
    const TResults& Results() const { return results_; }

    QTreeWidget* lvPayments = nullptr;
    QTreeWidget* lvSections = nullptr;
    QTreeWidget* lvProblems = nullptr;
    QLabel* lbMessage = nullptr;
    QLabel* lbProblems = nullptr;
    QPushButton* bnExplain = nullptr;
    QPushButton* bnExplainAll = nullptr;
    TRefundPanel* gbRefund = nullptr;  // what a refund still lacks

    // The tree of the amount chosen last: a row of the amounts to pay or refund
    // or a cell of the totals.
    void ExplainCurrent();
    void ExplainEverything();

  signals:
    // The main window opens the page; the signals come queued, since that
    // page replaces this one.
    void openProblem(int page, int focus);
    void openTarget(zorv::TExplainTarget target);

  private:
    void ShowTree(const TExplainNode& root);
    void OpenProblem(QTreeWidgetItem* item);
    void ExplainSectionCell(int row, int column);
    void ExplainPayment(int row);

    TResults results_;
    QFont large_;
    bool explainPayment_ = true;
};

}  // namespace zorv
