#include "shell/recoveryprompt.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "shell/formmain.h"
#include "widgets/dialogs.h"

namespace zorv {

namespace {

QString DeclarationName(const TRecoverySlot& slot) {
    return slot.OriginalPath().isEmpty() ? QStringLiteral("Без имени")
                                         : QFileInfo(slot.OriginalPath()).fileName();
}

QString WrittenText(const TRecoverySlot& slot) {
    return slot.Written().toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

bool AgreeToRemoveDamaged(QWidget* parent, const TRecoverySlot& slot, const QString& failure) {
    const QString text = failure + QStringLiteral(
                                       "\n\nЭто копия несохранённых изменений декларации %1 от %2. "
                                       "Удалить её?")
                                       .arg(DeclarationName(slot), WrittenText(slot));
    return Dialogs().Message(parent, QMessageBox::Warning, text,
                             QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace

bool DocumentChangedSinceCopy(const TRecoverySlot& slot) {
    if (slot.OriginalPath().isEmpty()) return false;
    const QFileInfo original(slot.OriginalPath());
    if (!original.exists()) return false;
    return !slot.OriginalModified().isValid() || original.lastModified().toMSecsSinceEpoch() !=
                                                     slot.OriginalModified().toMSecsSinceEpoch();
}

QString RecoveryQuestion(const TRecoverySlot& slot) {
    if (DocumentChangedSinceCopy(slot)) {
        const QString saved = QFileInfo(slot.OriginalPath())
                                  .lastModified()
                                  .toString(QStringLiteral("dd.MM.yyyy HH:mm"));
        return QStringLiteral(
                   "Обнаружены несохранённые изменения декларации %1 от %2. Документ на диске "
                   "изменён после этой копии (%3). Восстановите копию или откройте документ, "
                   "сохранённый на диске; копия останется, пока вы её не удалите.")
            .arg(DeclarationName(slot), WrittenText(slot), saved);
    }
    return QStringLiteral("Обнаружены несохранённые изменения декларации %1 от %2. Восстановить?")
        .arg(DeclarationName(slot), WrittenText(slot));
}

TRecoveryAnswer AskRecovery(QWidget* parent, const TRecoverySlot& slot) {
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(kProgramTitle), RecoveryQuestion(slot),
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("fmRecovery"));
    QPushButton* restore = box.addButton(QStringLiteral("Восстановить"), QMessageBox::AcceptRole);
    QPushButton* saved = nullptr;
    if (DocumentChangedSinceCopy(slot)) {
        restore->setText(QStringLiteral("Восстановить копию"));
        saved = box.addButton(QStringLiteral("Открыть с диска"), QMessageBox::ActionRole);
        saved->setObjectName(QStringLiteral("bnOpenSaved"));
    }
    QPushButton* remove = box.addButton(QStringLiteral("Удалить"), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(QStringLiteral("Позже"), QMessageBox::RejectRole);
    restore->setObjectName(QStringLiteral("bnRestore"));
    remove->setObjectName(QStringLiteral("bnDelete"));
    later->setObjectName(QStringLiteral("bnLater"));
    box.setDefaultButton(restore);
    box.setEscapeButton(later);
    Dialogs().Run(box);
    if (box.clickedButton() == restore) return TRecoveryAnswer::Restore;
    if (box.clickedButton() == remove) return TRecoveryAnswer::Delete;
    if (saved != nullptr && box.clickedButton() == saved) return TRecoveryAnswer::OpenSaved;
    return TRecoveryAnswer::Later;
}

std::optional<TRecovered> OfferRecovery(QWidget* parent, const TRecoveryStore& store) {
    std::vector<std::unique_ptr<TRecoverySlot>> copies = store.Abandoned();
    for (std::unique_ptr<TRecoverySlot>& slot : copies) {
        if (!slot->HasCopy()) continue;
        auto declaration = std::make_unique<mTDeclaration>();
        const QString failure = ReadDeclaration(slot->CopyPath(), *declaration);
        if (!failure.isEmpty()) {
            if (AgreeToRemoveDamaged(parent, *slot, failure)) slot->Remove();
            continue;
        }
        switch (AskRecovery(parent, *slot)) {
            case TRecoveryAnswer::Restore:
                return TRecovered{std::move(declaration), std::move(slot), {}};
            case TRecoveryAnswer::OpenSaved:
                return TRecovered{nullptr, nullptr, slot->OriginalPath()};
            case TRecoveryAnswer::Delete:
                slot->Remove();
                break;
            case TRecoveryAnswer::Later:
                break;
        }
    }
    return std::nullopt;
}

}  // namespace zorv
