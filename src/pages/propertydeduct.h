#pragma once

#include "widgets/thinkingframe.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace zorv {

class TDateEdit;
class TMaskedEdit;
class TUpDown;

// The property deduction for building or buying housing: the object and its
// address, the dates, the share, the cost and interest of the year, and what
// was deducted before.
class TfrConstructionDeduct : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrConstructionDeduct(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override;

    // The year a typed start year stands for: held to the years the arrows
    // offer; an empty field is 1997.
    static int StartYearOf(const QString& text);

    QCheckBox* chbGrantingDeduct;
    TMaskedEdit *meObjectNaim, *mePostIndex, *meDistrict, *meCity, *meArea, *meStreet, *meHouse,
        *meBuilding, *meFlat;
    QLabel* pnlRegion;
    QPushButton* bnRegion;
    TDateEdit *dtpBayDate, *dtpRegRightDate;
    TMaskedEdit *meDol1, *meDol2, *mePart;
    TMaskedEdit* meBeginningUsePrivilegeDate;
    TUpDown* updBeginningUsePrivilegeDate;
    TMaskedEdit *meObsch, *meobschip, *meAppZ;
    TMaskedEdit *mePostYears, *mePostYearsNA, *meTransferringChargeSum, *meVychNA;
    TMaskedEdit *mePostYearsIp, *mePostYearsIpNA, *meTransferringCreditSum, *meVychIpNA;

    void OnRegion();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void OnGranting();
    QList<TMaskedEdit*> Fields() const;

    QString regionName_;
    QList<QWidget*> labels_;
};

}  // namespace zorv
