#include "shell/recoverystore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStandardPaths>
#include <algorithm>

#include "storage/fileloader.h"

namespace zorv {

namespace {

constexpr int kLockBusy = -2;
constexpr int kLockFailed = -1;
// More copies of one document than running programs ever hold.
constexpr int kSlotsPerDocument = 1000;

const QString kCopySuffix = QStringLiteral(".zv8");
const QString kDescriptionSuffix = QStringLiteral(".info");
const QString kLockSuffix = QStringLiteral(".lock");

std::string Native(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// Takes the exclusive lock of a slot without waiting. The lock file may be
// removed by its owner between our open and our lock: the lock then holds a
// file nobody else sees, so it is taken again on the file the name gives now.
int LockSlot(const QString& lockPath) {
    const std::string name = Native(lockPath);
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) return kLockFailed;
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(fd);
            return busy ? kLockBusy : kLockFailed;
        }
        struct stat held {
        }, named{};
        if (::fstat(fd, &held) == 0 && ::stat(name.c_str(), &named) == 0 &&
            held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            return fd;
        ::close(fd);
    }
    return kLockBusy;
}

// The name part of a document's copies: a digest of its full path.
QString DocumentKey(const QString& originalPath) {
    if (originalPath.isEmpty()) return QStringLiteral("new");
    const QFileInfo info(originalPath);
    const QString full = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    return QString::fromLatin1(
        QCryptographicHash::hash(full.toUtf8(), QCryptographicHash::Sha1).toHex().left(16));
}

bool MakePrivateFolder(const QString& folder) {
    if (!QDir().mkpath(folder)) return false;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

}  // namespace

QString DefaultRecoveryFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

QString DocumentFullPath(const QString& path) {
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

TRecoverySlot::TRecoverySlot(QString base, int lockFd, QString originalPath)
    : base_(std::move(base)), lockFd_(lockFd), originalPath_(std::move(originalPath)) {}

TRecoverySlot::~TRecoverySlot() {
    if (lockFd_ >= 0) ::close(lockFd_);
}

QString TRecoverySlot::CopyPath() const {
    return base_ + kCopySuffix;
}

bool TRecoverySlot::HasCopy() const {
    return QFileInfo(CopyPath()).isFile();
}

QDateTime TRecoverySlot::Written() const {
    const QFileInfo copy(CopyPath());
    return copy.exists() ? copy.lastModified() : QDateTime();
}

void TRecoverySlot::Write(const std::vector<uint8_t>& image) {
    QJsonObject description{{QStringLiteral("path"), originalPath_}};
    const QFileInfo original(originalPath_);
    if (!originalPath_.isEmpty() && original.exists()) {
        originalModified_ = original.lastModified();
        description.insert(QStringLiteral("modified"),
                           originalModified_.toUTC().toString(Qt::ISODateWithMs));
    }
    const QByteArray text = QJsonDocument(description).toJson();
    // The description goes first: a copy is never without it.
    WriteFileAtomically(Native(base_ + kDescriptionSuffix), text.constData(), size_t(text.size()));
    WriteFileAtomically(Native(CopyPath()), image.data(), image.size());
}

void TRecoverySlot::Remove() {
    QFile::remove(CopyPath());
    QFile::remove(base_ + kDescriptionSuffix);
    // Removed while held: a program that opened it meanwhile sees the name
    // gone once it has the lock, and starts again.
    QFile::remove(base_ + kLockSuffix);
    if (lockFd_ >= 0) ::close(lockFd_);
    lockFd_ = -1;
}

void TRecoverySlot::ReadDescription() {
    QFile file(base_ + kDescriptionSuffix);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QJsonObject description = QJsonDocument::fromJson(file.read(64 * 1024)).object();
    originalPath_ = description.value(QStringLiteral("path")).toString();
    originalModified_ = QDateTime::fromString(
        description.value(QStringLiteral("modified")).toString(), Qt::ISODateWithMs);
}

TRecoveryStore::TRecoveryStore(QString folder) : folder_(std::move(folder)) {}

std::unique_ptr<TRecoverySlot> TRecoveryStore::Claim(const QString& originalPath) const {
    if (!MakePrivateFolder(folder_)) return nullptr;
    const QString key = DocumentKey(originalPath);
    for (int n = 0; n < kSlotsPerDocument; ++n) {
        const QString base = QStringLiteral("%1/%2-%3").arg(folder_, key).arg(n);
        const int fd = LockSlot(base + kLockSuffix);
        if (fd == kLockFailed) return nullptr;
        if (fd == kLockBusy) continue;
        if (QFileInfo::exists(base + kCopySuffix)) {
            ::close(fd);  // a copy still to be offered
            continue;
        }
        return std::unique_ptr<TRecoverySlot>(
            new TRecoverySlot(base, fd, DocumentFullPath(originalPath)));
    }
    return nullptr;
}

std::vector<std::unique_ptr<TRecoverySlot>> TRecoveryStore::Abandoned() const {
    static const QRegularExpression kName(
        QStringLiteral("^((?:new|[0-9a-f]{16})-[0-9]+)\\.(?:zv8|info|lock)$"));
    QStringList bases;
    for (const QString& name : QDir(folder_).entryList(QDir::Files | QDir::Hidden)) {
        const QRegularExpressionMatch m = kName.match(name);
        if (m.hasMatch() && !bases.contains(m.captured(1))) bases << m.captured(1);
    }
    std::vector<std::unique_ptr<TRecoverySlot>> found;
    for (const QString& name : bases) {
        const QString base = folder_ + QLatin1Char('/') + name;
        const int fd = LockSlot(base + kLockSuffix);
        if (fd < 0) continue;  // a running program's, or out of reach
        std::unique_ptr<TRecoverySlot> slot(new TRecoverySlot(base, fd, {}));
        if (!slot->HasCopy()) {
            slot->Remove();  // a description or a lock left without a copy
            continue;
        }
        slot->ReadDescription();
        found.push_back(std::move(slot));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto& a, const auto& b) { return a->Written() > b->Written(); });
    return found;
}

}  // namespace zorv
