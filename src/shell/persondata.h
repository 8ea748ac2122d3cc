#pragma once

#include "widgets/thinkingframe.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace zorv {

class TDateEdit;
class TMaskedEdit;
class TMaskedDocEdit;

// The taxpayer's name, tax number, birth data, identity document and citizenship.
class TfrPersonNaim : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrPersonNaim(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override;

    TMaskedEdit* meSurName;
    TMaskedEdit* meName;
    TMaskedEdit* mePatronymic;
    TMaskedEdit* meINN;
    QLabel* lbStrSv;
    TMaskedEdit* meStrSv;
    QLabel* lbSex;
    QRadioButton* rbM;
    QRadioButton* rbZh;
    TDateEdit* dtBirthDate;
    TMaskedEdit* meMesto;
    QLabel* pnlDocType;
    QPushButton* bnDocType;
    TMaskedDocEdit* meSerial;
    TDateEdit* dtRegDate;
    TMaskedEdit* meKem;
    QGroupBox* gbCitizenship;
    QCheckBox* chbIsForeighner;
    QRadioButton* rbGr;
    QRadioButton* rbBomzh;
    QLabel* lbKodGrazhd;
    TMaskedEdit* meKodGrazhd;
    QPushButton* bnGrazhd;
    TMaskedEdit* meCitizenship;

  private:
    void Fill();
    void EnableDocument(bool enabled);
    void OnForeigner(bool checked);
    void OnDocType();
    void OnCountry();

    uint16_t docTypeCode_ = 0;
    QString docTypeName_;
};

// The taxpayer's address in Russia, the address abroad and the telephone.
class TfrPersonAddress : public TThinkingFrame {
    Q_OBJECT
  public:
    TfrPersonAddress(TShellContext& ctx, QWidget* parent);

    void StoreToModel() override;
    int Validate() override;

    QRadioButton* rbReg;
    QRadioButton* rbPreb;
    TMaskedEdit* mePostIndex;
    QLabel* pnlRegion;
    QPushButton* bnRegion;
    TMaskedEdit* meDistrict;
    TMaskedEdit* meCity;
    TMaskedEdit* meArea;
    TMaskedEdit* meStreet;
    TMaskedEdit* meHouse;
    TMaskedEdit* meBuilding;
    TMaskedEdit* meFlat;
    TMaskedEdit* meOKATO;
    QGroupBox* gbPhone;
    TMaskedEdit* meHomePhone;
    TMaskedEdit* meAdr;

  private:
    void OnRegion();

    uint16_t regionCode_ = 0;
};

// "Сведения о декларанте": the name page and the address page.
class TfrPersonData : public THubFrame {
    Q_OBJECT
  public:
    TfrPersonData(TShellContext& ctx, QWidget* parent);

  protected:
    TThinkingFrame* CreateSubPage(int index, QWidget* parent) override;
};

}  // namespace zorv
