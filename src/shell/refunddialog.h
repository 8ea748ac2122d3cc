#pragma once

// The refund of overpaid tax beside the results: the taxpayer's bank details
// (each field checked as it is typed; the accounts by their control key against
// the БИК), the list of documents to attach with check boxes and sheet counts,
// and the preview and print of the application with that list.

#include <QDialog>
#include <QGroupBox>
#include <array>
#include <vector>

#include "model/refund.h"
#include "report/pagelayer.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace zorv {

class mTDeclaration;
class TShellContext;

// The application's pages in a scrolling column, with a print button.
class TfmApplicationPreview : public QDialog {
    Q_OBJECT
  public:
    TfmApplicationPreview(QWidget* parent, std::vector<kTPage> pages);
    QPushButton* bnPrint = nullptr;

  private:
    std::vector<kTPage> pages_;
};

// Prints the pages through the print dialog (a page range may be chosen).
void PrintApplicationPages(QWidget* owner, const std::vector<kTPage>& pages);

class TfmRefund : public QDialog {
    Q_OBJECT
  public:
    TfmRefund(QWidget* parent, TShellContext& ctx);

    QLineEdit* Field(BankField field) const { return fields_[static_cast<size_t>(field)]; }
    QTableWidget* lvDocuments = nullptr;
    QLabel* lbBankProblem = nullptr;
    QLabel* lbSheets = nullptr;
    QPushButton* bnPreview = nullptr;
    QPushButton* bnPrint = nullptr;

    // The details and the list as they stand in the window.
    mTBankDetails Bank() const;
    std::vector<mTAttachedDocument> Documents() const;
    // Checks one field; a wrong one is reported at once, naming it, and keeps
    // the focus. False when it is wrong.
    bool CheckField(BankField field);
    // Keeps the details and the list with the declaration; false (and nothing
    // kept) while a field is wrong.
    bool Store();
    void Preview();
    void Print();

  protected:
    void accept() override;

  private:
    void UpdateSheets();
    // The application's pages for what the window holds; a message when there
    // is nothing to refund.
    std::vector<kTPage> Pages();

    TShellContext& ctx_;
    std::array<QLineEdit*, std::size(kBankFields)> fields_{};
    std::vector<mTAttachedDocument> documents_;
    bool reporting_ = false;
};

// The refund's box on the results page: what the refund still lacks and the
// button to the bank details and documents.
class TRefundPanel : public QGroupBox {
    Q_OBJECT
  public:
    TRefundPanel(QWidget* parent, TShellContext& ctx);
    // Shown only when the declaration has something to refund.
    void Refresh();

    QLabel* lbRefundStatus = nullptr;
    QPushButton* bnRefund = nullptr;

  signals:
    void changed();

  private:
    TShellContext& ctx_;
};

}  // namespace zorv
