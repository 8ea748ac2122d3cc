#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "shell/recoverystore.h"

namespace zorv {

// Keeps a recovery copy of the open declaration while it has unsaved changes:
// written a while after a change (at most once an interval) and at once when
// asked, removed when the changes are saved or given up.
class TRecoveryJournal : public QObject {
  public:
    static constexpr std::chrono::milliseconds kDefaultInterval{30000};

    // The declaration's image, or nothing when this is no moment to take one
    // (a window is open over the page); the program tries again shortly.
    using ImageSource = std::function<std::optional<std::vector<uint8_t>>()>;
    // The document's file (empty for a declaration never saved).
    using PathSource = std::function<QString()>;

    TRecoveryJournal(TRecoveryStore store, ImageSource image, PathSource path,
                     std::chrono::milliseconds interval = kDefaultInterval);

    const TRecoveryStore& Store() const { return store_; }
    // The copy being written, if any.
    const TRecoverySlot* Slot() const { return slot_.get(); }

    // The declaration has changed: the copy follows within the interval.
    void Modified();
    // Writes the changes at once (a page switch).
    void WriteNow();
    // The changes were saved or given up: the copy goes.
    void Discard();
    // Carries on with a copy offered at start, now the open declaration.
    void Adopt(std::unique_ptr<TRecoverySlot> slot);
    // Told once, in the user's words, when copies stop being written; told
    // again only after a copy has been written since.
    void OnFailure(std::function<void(const QString&)> report) { report_ = std::move(report); }

  private:
    void Write();

    TRecoveryStore store_;
    ImageSource image_;
    PathSource path_;
    std::chrono::milliseconds interval_;
    QTimer timer_;
    bool pending_ = false;
    bool warned_ = false;
    std::function<void(const QString&)> report_;
    std::unique_ptr<TRecoverySlot> slot_;
};

}  // namespace zorv
