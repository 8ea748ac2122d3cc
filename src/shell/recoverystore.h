#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace zorv {

// The folder of the recovery copies in the user's data folder.
QString DefaultRecoveryFolder();

// A document's path as its copies record it: whole, so that it holds from any
// folder the program is started in (empty stays empty).
QString DocumentFullPath(const QString& path);

// One recovery copy: the declaration as a document file, a small description
// beside it (the original's path and moment) and a lock file. The copy is
// owned while its lock is held: by the program that writes it, or by the one
// that offers it at start. The lock goes with the object (or the process).
class TRecoverySlot {
  public:
    ~TRecoverySlot();
    TRecoverySlot(const TRecoverySlot&) = delete;
    TRecoverySlot& operator=(const TRecoverySlot&) = delete;

    // The original document: empty for a declaration never saved.
    const QString& OriginalPath() const { return originalPath_; }
    // The original's modification moment when the copy was written (invalid
    // when there was no original).
    const QDateTime& OriginalModified() const { return originalModified_; }
    // The moment the copy was written (invalid while none was).
    QDateTime Written() const;
    QString CopyPath() const;
    bool HasCopy() const;

    // Replaces the copy and its description, each atomically; throws the
    // storage error when it cannot.
    void Write(const std::vector<uint8_t>& image);
    // Removes the copy, its description and its lock file; the lock is given up.
    void Remove();

  private:
    friend class TRecoveryStore;
    TRecoverySlot(QString base, int lockFd, QString originalPath);
    void ReadDescription();

    QString base_;  // the folder and the name without extension
    int lockFd_ = -1;
    QString originalPath_;
    QDateTime originalModified_;
};

// The recovery copies of one user. Copies are named per document (a digest of
// its full path, or "new" for a declaration never saved) with a number, so that
// two running programs with the same document each write their own.
class TRecoveryStore {
  public:
    explicit TRecoveryStore(QString folder);
    const QString& Folder() const { return folder_; }

    // A free slot for the document at path (empty: never saved), locked for
    // this program; a slot holding a copy nobody has dealt with is passed over.
    // nullptr when the folder cannot be written.
    std::unique_ptr<TRecoverySlot> Claim(const QString& originalPath) const;
    // The copies left by programs that no longer run, newest first, each
    // locked for this program. Those locked by a running program are left
    // alone; leftovers without a copy are cleared away.
    std::vector<std::unique_ptr<TRecoverySlot>> Abandoned() const;

  private:
    QString folder_;
};

}  // namespace zorv
