#include "model/attachments.h"

#include <algorithm>

#include "model/declaration.h"

namespace zorv {
namespace {

class ListBuilder {
  public:
    void Add(DocumentGround ground, std::string title) {
        for (const RequiredDocument& d : list_) {
            if (d.Title == title) return;
        }
        list_.push_back({ground, std::move(title)});
    }
    std::vector<RequiredDocument> Take() { return std::move(list_); }

  private:
    std::vector<RequiredDocument> list_;
};

std::string PayerText(const std::string& name, const std::string& inn) {
    std::string text = name.empty() ? std::string("налоговый агент") : name;
    if (!inn.empty()) text += " (ИНН " + inn + ")";
    return text;
}

template <typename Source>
void AddCertificate(ListBuilder& list, const Source& source) {
    list.Add(DocumentGround::Income,
             "Справка о доходах по форме 2-НДФЛ: " + PayerText(source.SourceName, source.INN));
}

bool Positive(Money m) {
    return m > Money();
}

void AddHousing(ListBuilder& list, const mTConstructionDeduct& h) {
    if (h.Granted == 0) return;
    const std::string object = h.ObjectName.empty() ? std::string() : " (" + h.ObjectName + ")";
    list.Add(DocumentGround::Housing, "Договор о приобретении жилья" + object);
    list.Add(DocumentGround::Housing,
             "Акт о передаче жилья или свидетельство о государственной регистрации права "
             "собственности");
    list.Add(DocumentGround::Housing,
             "Платежные документы об оплате жилья (квитанции, выписки банка, расписки)");
    if (Positive(h.CreditInterest) || Positive(h.CreditCarriedOver) ||
        Positive(h.CreditPriorYears) || Positive(h.CreditAgentThisYear)) {
        list.Add(DocumentGround::Housing, "Кредитный (ипотечный) договор");
        list.Add(DocumentGround::Housing, "Справка банка об уплаченных процентах по кредиту");
    }
}

void AddSocial(ListBuilder& list, const mTSocialDeduct& s) {
    if (s.Granted == 0) return;
    if (Positive(s.MedicalSum) || Positive(s.ExpensiveMedicalSum)) {
        list.Add(DocumentGround::Treatment,
                 "Справка об оплате медицинских услуг для представления в налоговые органы");
        list.Add(DocumentGround::Treatment, "Копия лицензии медицинского учреждения");
    }
    bool education = Positive(s.SelfEducationSum);
    for (size_t i = 0; i < s.EducationSumCount(); ++i)
        education = education || Positive(s.EducationSum(static_cast<int>(i)));
    if (education) {
        list.Add(DocumentGround::Education, "Договор на обучение");
        list.Add(DocumentGround::Education, "Копия лицензии образовательного учреждения");
        list.Add(DocumentGround::Education, "Платежные документы об оплате обучения");
    }
    for (size_t i = 0; i < s.PensCount(); ++i) {
        const mTPens& p = s.Pens(i);
        std::string contract = "договор";
        if (!p.ContractNumber.empty()) contract += " № " + p.ContractNumber;
        if (!p.Name.empty()) contract += " с " + p.Name;
        list.Add(DocumentGround::Pension, "Пенсионный (страховой) " + contract);
        list.Add(DocumentGround::Pension, "Платежные документы о взносах: " + contract);
    }
}

}  // namespace

std::vector<RequiredDocument> RequiredDocuments(const mTDeclaration& d) {
    ListBuilder list;
    if (d.HasIncome(kIncomeFromAgents)) {
        for (size_t i = 0; i < d.ThirteenPercentCount(); ++i)
            AddCertificate(list, d.ThirteenPercent(i));
        for (size_t i = 0; i < d.ThirtyFivePercentCount(); ++i)
            AddCertificate(list, d.ThirtyFivePercent(i));
        for (size_t i = 0; i < d.ThirtyPercentCount(); ++i)
            AddCertificate(list, d.ThirtyPercent(i));
    }
    // Deductions are granted to residents only.
    if (d.DeclarationKind == kResident3NDFL && d.IncomeFlags() != 0) {
        AddHousing(list, d.ConstructionDeduct);
        AddSocial(list, d.SocialDeduct);
    }
    if (d.HasIncome(kIncomeForeign)) {
        for (size_t i = 0; i < d.CurrencyIncomeCount(); ++i) {
            const mTCurrencyIncome& c = d.CurrencyIncome(i);
            if (!Positive(c.TaxInCurrency) && !Positive(c.TaxInRubles)) continue;
            std::string source =
                c.SourceName.empty() ? std::string("источник дохода") : c.SourceName;
            if (!c.CountryCode.empty()) source += ", страна " + c.CountryCode;
            list.Add(DocumentGround::Abroad, "Документ об уплате налога за рубежом: " + source);
        }
    }
    return list.Take();
}

std::vector<mTAttachedDocument> AttachmentList(const mTDeclaration& d) {
    std::vector<mTAttachedDocument> list;
    for (const RequiredDocument& required : RequiredDocuments(d)) {
        const mTAttachedDocument* stored = d.Refund.FindDocument(required.Title);
        list.push_back(stored ? *stored : mTAttachedDocument{required.Title, 0, 0});
    }
    return list;
}

uint32_t TickedSheets(const std::vector<mTAttachedDocument>& list) {
    uint32_t sum = 0;
    for (const mTAttachedDocument& d : list) {
        if (d.Ticked != 0) sum += d.Sheets;
    }
    return sum;
}

void StoreAttachments(mTDeclaration& d, const std::vector<mTAttachedDocument>& list) {
    d.Refund.Documents = list;
    const bool anyTicked = std::any_of(list.begin(), list.end(),
                                       [](const mTAttachedDocument& a) { return a.Ticked != 0; });
    if (anyTicked) d.AppendixTotal = TickedSheets(list);
}

}  // namespace zorv
