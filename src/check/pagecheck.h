#pragma once

#include "check/checkdialog.h"
#include "check/pagecodes.h"

namespace zorv {

class mTDeclaration;

// The page's own check, over the rules of its table that the page applies,
// in their order. Each broken rule is shown through the prompter with the
// buttons the rule offers: "Исправить" ends the check with the rule's focus
// code, "Пропустить" goes on, "Пропустить все" ends it with 0. Gives 0 when
// nothing is to be corrected.
//
// For the pages without records (conditions, taxpayer, address); the pages
// of lists walk their records in a way of their own.
int CheckPage(PageCode page, const mTDeclaration& declaration, const CheckPrompter& ask);

}  // namespace zorv
