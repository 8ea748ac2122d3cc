#pragma once

#include <QString>
#include <memory>

#include "model/declaration.h"
#include "shell/recoverystore.h"

class QWidget;

namespace zorv {

enum class TRecoveryAnswer { Restore, OpenSaved, Delete, Later };

// Whether the copy's document was saved, replaced or touched on disk since the
// copy was written: its modification moment is not the one the copy recorded.
bool DocumentChangedSinceCopy(const TRecoverySlot& slot);

// "Обнаружены несохранённые изменения декларации <name> от <time>. Восстановить?";
// when the document changed on disk since, the question says so and names both.
QString RecoveryQuestion(const TRecoverySlot& slot);
// Asks the question with "Восстановить", "Удалить" and "Позже", and with
// "Открыть с диска" when the document changed on disk since the copy; closing
// the window counts as "Позже".
TRecoveryAnswer AskRecovery(QWidget* parent, const TRecoverySlot& slot);

// A declaration brought back from its copy, which stays with it; or, when the
// user chose the document as it is on disk, its path alone (the copy stays in
// the folder and is offered again).
struct TRecovered {
    std::unique_ptr<mTDeclaration> declaration;
    std::unique_ptr<TRecoverySlot> slot;
    QString openSaved;
};

// Offers the copies that programs left without saving, newest first, until
// one is restored or its saved document chosen. A copy is removed only when
// the user says so (a damaged one is reported and goes only if the user
// agrees), never because of a time stamp.
std::optional<TRecovered> OfferRecovery(QWidget* parent, const TRecoveryStore& store);

}  // namespace zorv
