#pragma once

// What the application for a refund of overpaid tax says: one application for
// each refund row of section 6 (a budget code and a territory code), with the
// taxpayer, the inspection and the bank details; and the documents ticked for
// the list handed in with it.

#include <string>
#include <vector>

#include "model/refund.h"
#include "storage/money.h"

namespace zorv {

class mTDeclaration;

struct kTRefundApplication {
    std::string InspectionCode;
    std::string InspectionName;
    std::string FullName;   // surname, name and patronymic
    std::string ShortName;  // surname and initials, under the signature
    std::string INN;
    std::string Address;
    std::string Year;
    std::string BudgetCode;
    std::string OKATO;
    Money Amount;
    mTBankDetails Bank;
    double Date = 0;  // the declaration's own date, or the day of printing
};

// The applications in the order of section 6; none when nothing is refunded.
std::vector<kTRefundApplication> RefundApplications(const mTDeclaration& declaration);

// The taxpayer's address in one line, parts that are empty left out.
std::string AddressLine(const mTDeclaration& declaration);

// What the refund still lacks before it can be claimed: no bank details, a
// field that fails its check, documents of the list not ticked. Empty when
// nothing is refunded or nothing is lacking.
std::vector<std::string> WhatRefundLacks(const mTDeclaration& declaration);

// The ticked documents of the list, in its order.
std::vector<mTAttachedDocument> TickedDocuments(const mTDeclaration& declaration);

}  // namespace zorv
