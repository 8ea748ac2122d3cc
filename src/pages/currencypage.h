#pragma once

#include <QDialog>
#include <string>

#include "codes/codedictionary.h"
#include "pages/ratetable.h"
#include "pages/recorddialog.h"
#include "pages/recordpage.h"
#include "widgets/lookups.h"

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;

namespace zorv {

class TMaskedEdit;

// "Доход": the name and country of a source abroad; "Да" takes them unchecked.
class TfmInputCurrencySourseIncome : public TRecordDialog {
    Q_OBJECT
  public:
    TfmInputCurrencySourseIncome(QWidget* parent, const std::vector<TCodeName>& countries);

    TMaskedEdit* meSourseName;
    TMaskedEdit* meGos;
    QPushButton* Button1;

  protected:
    bool Acceptable() override { return true; }

  private:
    void OnCountry();
    const std::vector<TCodeName>& countries_;
};

// "Справочник валют": the currencies of the rate file.
class TfmInputCurrencyCode : public TfmLookup {
    Q_OBJECT
  public:
    TfmInputCurrencyCode(QWidget* parent, const TRateTable& rates, const QString& current);
};

// The rubles of an amount in a currency quoted per `units` at `rate`, from
// the texts of the three fields; "0" when one of them is empty or zero. The
// same conversion the record stores.
QString RublesText(const QString& amount, const QString& units, const QString& rate);

// "Доходы за пределами РФ": income received abroad in a foreign currency,
// one source at a time edited in the fields below the list.
class TfrCurrency : public TRecordListPage {
    Q_OBJECT
  public:
    TfrCurrency(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override;
    void FocusError(int code) override;

    void PickCurrency();
    void PickIncomeCode();
    void PickDeductionCode();
    const TRateTable& Rates() const { return rates_; }

    QGroupBox* gbSourseInfo;
    QDateEdit *dtIncomeGetDate, *dtSubtractDate;
    TMaskedEdit* meCurrencyCode;
    QPushButton* bnCurrencyCode;
    TMaskedEdit* meCurrencyName;
    QCheckBox* chbAutoExchange;
    TMaskedEdit *meCurrencyUnits, *meCurrencyExchange, *meCurrencyUnits2, *meCurrencyExchange2;
    QLabel *lbIncomeRate, *lbTaxRate;  // the rate taken, or why it must be typed
    TMaskedEdit* meIncomeCurrencySum;
    QLabel* pnlIncomeRublSum;
    QLabel* pnlIncomeCod;
    QPushButton* bnIncomeCod;
    TMaskedEdit* meTaxCurrencySum;
    QLabel* pnlTaxRoubleSum;
    QLabel* pnlSubtractCod;
    QPushButton* bnSubtractCod;
    TMaskedEdit* meSubtractSum;
    QGroupBox* gbApp;
    TMaskedEdit* meAppB;

  protected:
    size_t RecordCount() const override;
    QStringList RowTexts(size_t index) const override;
    QString RecordsWhat() const override;
    bool RunAdd() override;
    bool RunEdit(size_t index) override;
    void Remove(size_t index) override;
    void ShowRecord(int index) override;
    void KeepRecord(size_t index) override;

  private:
    struct TRatePair {
        QDateEdit* date;
        TMaskedEdit* units;
        TMaskedEdit* rate;
        QLabel* note;
    };
    TRatePair IncomePair() const;
    TRatePair TaxPair() const;

    void ShowSource(size_t index);
    void EnableDetail(bool enabled);
    void ClearDetail();
    void ShowCurrencyName();
    void OnCurrencyCode();
    void OnAuto();
    void OnDate();
    // Whether the file has the currency's rates on both dates.
    bool RatesFound() const;
    // The check box and the four rate fields after a change of the currency
    // or of a date.
    void ApplyRates();
    void ShowRateNote(const TRatePair& pair);
    void SetRateFieldsTypable(bool typable);
    void OnIncomeRubles();
    void OnTaxRubles();
    void ClearDeduction(bool enable);
    void ShowDeductionAmount(bool shown);
    void SetAutoQuietly(bool checked, bool enabled);

    QLabel* lbSubtractSum_;
    TRateTable rates_;
    bool showing_ = false;  // a record is being put into the fields
    struct TShowing {
        explicit TShowing(bool& flag) : flag_(flag) { flag_ = true; }
        ~TShowing() { flag_ = false; }
        bool& flag_;
    };
    // The dictionary values of the income code and deduction row shown.
    uint32_t incomeRate_ = 0;
    std::string incomeName_;
    bool deductApplies_ = false;
    DeductionRule rule_;
};

}  // namespace zorv
