#include "report/refundapplication.h"

#include "calc/svodsum.h"
#include "model/attachments.h"
#include "model/declaration.h"
#include "storage/textutil.h"

namespace zorv {
namespace {

constexpr const char* kRefundSign = "2";

std::string Trimmed(const std::string& text) {
    return std::string(TrimBlanks(text));
}

std::string InitialOf(const std::string& name) {
    const std::string trimmed = Trimmed(name);
    if (trimmed.empty()) return {};
    // The first character, whole in UTF-8.
    size_t length = 1;
    while (length < trimmed.size() && (static_cast<unsigned char>(trimmed[length]) & 0xC0) == 0x80)
        ++length;
    return trimmed.substr(0, length) + ".";
}

std::string Joined(std::initializer_list<std::string> parts, const char* separator) {
    std::string text;
    for (const std::string& part : parts) {
        if (part.empty()) continue;
        if (!text.empty()) text += separator;
        text += part;
    }
    return text;
}

std::string Prefixed(const char* prefix, const std::string& value) {
    const std::string trimmed = Trimmed(value);
    return trimmed.empty() ? trimmed : prefix + trimmed;
}

}  // namespace

std::string AddressLine(const mTDeclaration& d) {
    const mTPersonInformation& p = d.Person;
    if (p.IsForeigner != 0 && !Trimmed(p.ForeignAddress).empty()) return Trimmed(p.ForeignAddress);
    return Joined(
        {Trimmed(p.PostIndex), Trimmed(p.RegionName), Trimmed(p.District), Trimmed(p.City),
         Trimmed(p.Locality), Trimmed(p.Street), Prefixed("д. ", p.House),
         Prefixed("корп. ", p.Building), Prefixed("кв. ", p.Flat)},
        ", ");
}

std::vector<kTRefundApplication> RefundApplications(const mTDeclaration& declaration) {
    // The totals cap children's education amounts in the model: count on a copy.
    mTDeclaration d = declaration;
    kTSvodSum sums;
    sums.Compute(d);
    const mTPersonInformation& p = d.Person;
    std::vector<kTRefundApplication> out;
    for (const bmTList1& row : sums.Section6.Rows) {
        if (row.Sign != kRefundSign || row.Amount <= Money()) continue;
        kTRefundApplication a;
        a.InspectionCode = d.InspectionCode;
        a.InspectionName = d.InspectionName;
        a.FullName = Joined({Trimmed(p.SurName), Trimmed(p.Name), Trimmed(p.Patronymic)}, " ");
        a.ShortName =
            Joined({Trimmed(p.SurName), InitialOf(p.Name) + InitialOf(p.Patronymic)}, " ");
        a.INN = Trimmed(p.INN);
        a.Address = AddressLine(d);
        a.Year = d.Year;
        a.BudgetCode = row.BudgetCode;
        a.OKATO = Trimmed(row.OKATO);
        a.Amount = row.Amount;
        a.Bank = d.Refund.Bank;
        a.Date = d.DocumentDate(mTDeclaration::Today());
        out.push_back(std::move(a));
    }
    return out;
}

std::vector<std::string> WhatRefundLacks(const mTDeclaration& d) {
    std::vector<std::string> lacks;
    if (RefundApplications(d).empty()) return lacks;
    const mTBankDetails& bank = d.Refund.Bank;
    if (auto problem = FirstBankProblem(bank)) {
        lacks.push_back("реквизиты банка с ошибкой: " + problem->message);
    } else {
        std::string missing;
        for (BankField field : kBankFields) {
            if (!bank.Field(field).empty()) continue;
            missing += std::string(missing.empty() ? "" : ", ") + BankFieldCaption(field);
        }
        if (!missing.empty()) lacks.push_back("не указаны реквизиты банка: " + missing);
    }
    const std::vector<mTAttachedDocument> list = AttachmentList(d);
    size_t unticked = 0;
    for (const mTAttachedDocument& a : list) unticked += a.Ticked == 0 ? 1 : 0;
    if (unticked > 0) {
        lacks.push_back("не отмечены документы для приложения: " + std::to_string(unticked) +
                        " из " + std::to_string(list.size()));
    }
    return lacks;
}

std::vector<mTAttachedDocument> TickedDocuments(const mTDeclaration& d) {
    std::vector<mTAttachedDocument> out;
    for (const mTAttachedDocument& a : AttachmentList(d)) {
        if (a.Ticked != 0) out.push_back(a);
    }
    return out;
}

}  // namespace zorv
