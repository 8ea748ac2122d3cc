#pragma once

#include <QString>
#include <memory>

#include "model/declaration.h"
#include "shell/recoverystore.h"

class QWidget;

namespace zorv {

enum class TRecoveryAnswer { Restore, Delete, Later };

// "Обнаружены несохранённые изменения декларации <name> от <time>. Восстановить?"
QString RecoveryQuestion(const TRecoverySlot& slot);
// Asks the question with "Восстановить", "Удалить" and "Позже"; closing the
// window counts as "Позже".
TRecoveryAnswer AskRecovery(QWidget* parent, const TRecoverySlot& slot);

// A declaration brought back from its copy, which stays with it.
struct TRecovered {
    std::unique_ptr<mTDeclaration> declaration;
    std::unique_ptr<TRecoverySlot> slot;
};

// Offers the copies that programs left without saving, newest first, until
// one is restored. A copy older than its document (saved since) goes without
// asking; a damaged one is reported and goes only if the user agrees.
std::optional<TRecovered> OfferRecovery(QWidget* parent, const TRecoveryStore& store);

}  // namespace zorv
