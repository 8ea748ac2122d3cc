#include "shell/recoveryjournal.h"

#include <QtDebug>
#include <algorithm>
#include <exception>

namespace zorv {

namespace {

// How soon a write put off by an open window is tried again.
constexpr std::chrono::milliseconds kRetry{1000};

}  // namespace

TRecoveryJournal::TRecoveryJournal(TRecoveryStore store, ImageSource image, PathSource path,
                                   std::chrono::milliseconds interval)
    : store_(std::move(store)),
      image_(std::move(image)),
      path_(std::move(path)),
      interval_(std::max(interval, std::chrono::milliseconds(1))) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &TRecoveryJournal::Write);
}

void TRecoveryJournal::Modified() {
    pending_ = true;
    if (!timer_.isActive()) timer_.start(interval_);
}

void TRecoveryJournal::WriteNow() {
    timer_.stop();
    Write();
}

void TRecoveryJournal::Discard() {
    timer_.stop();
    pending_ = false;
    if (slot_) slot_->Remove();
    slot_.reset();
}

void TRecoveryJournal::Adopt(std::unique_ptr<TRecoverySlot> slot) {
    Discard();
    slot_ = std::move(slot);
}

void TRecoveryJournal::Write() {
    if (!pending_) return;
    const std::optional<std::vector<uint8_t>> image = image_();
    if (!image) {
        timer_.start(std::min(kRetry, interval_));
        return;
    }
    // A document saved under another name has its own copies.
    const QString path = DocumentFullPath(path_());
    if (slot_ && slot_->OriginalPath() != path) {
        slot_->Remove();
        slot_.reset();
    }
    if (!slot_) slot_ = store_.Claim(path);
    QString failure;
    if (!slot_) {
        failure = QStringLiteral(
            "папка недоступна для записи, или все места для копий заняты другими запущенными "
            "копиями программы");
    } else {
        try {
            slot_->Write(*image);
            pending_ = false;
            warned_ = false;
            return;
        } catch (const std::exception& e) {
            failure = QString::fromUtf8(e.what());
        }
    }
    // The user's work goes on; the next change tries again. The reason is one
    // sentence of the message below, which puts its own full stop.
    while (failure.endsWith(QLatin1Char('.'))) failure.chop(1);
    if (!warned_) {
        qWarning().noquote() << "Копия несохранённых изменений не записана:" << failure;
        if (report_)
            report_(QStringLiteral("Не удалось записать копию несохранённых изменений в папку "
                                   "«%1»: %2.\nПока копия не записывается, сохраняйте декларацию "
                                   "командой «Сохранить»; если на диске нет места, освободите его.")
                        .arg(store_.Folder(), failure));
    }
    warned_ = true;
}

}  // namespace zorv
