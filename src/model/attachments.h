#pragma once

// The documents handed in with the declaration to back its income and
// deductions, built from what the declaration holds; the user ticks each one he
// has ready and gives its number of sheets.

#include <cstdint>
#include <string>
#include <vector>

#include "model/refund.h"

namespace zorv {

class mTDeclaration;

// Why a document is needed.
enum class DocumentGround { Income, Housing, Treatment, Education, Pension, Abroad };

struct RequiredDocument {
    DocumentGround Ground;
    std::string Title;
};

// In the order of the list: income certificates by payer, then housing,
// treatment, education, pension contracts and tax paid abroad. Each title is
// given once.
std::vector<RequiredDocument> RequiredDocuments(const mTDeclaration& declaration);

// The list to tick: the required documents with what is stored for them.
std::vector<mTAttachedDocument> AttachmentList(const mTDeclaration& declaration);
// The sheets of the ticked documents.
uint32_t TickedSheets(const std::vector<mTAttachedDocument>& list);
// Keeps the list with the declaration and, when anything is ticked, makes its
// sheets the title page's count of supporting sheets.
void StoreAttachments(mTDeclaration& declaration, const std::vector<mTAttachedDocument>& list);

}  // namespace zorv
