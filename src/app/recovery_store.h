#pragma once

#include "model/experiment_file.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class QLockFile;

namespace ampery::app {

// Recovery copies of the experiment, kept so that work survives the computer
// being switched off or the program being killed.
//
// Every running program owns one store. The store gives the program an id and
// holds the lock file <folder>/<id>.lock for as long as the store lives; the
// program's recovery copy is <folder>/<id>.aie, written after changes and
// discarded when nothing is left unsaved. A normal exit discards the copy
// first and then destroys the store, which removes the lock. A crash leaves
// both, or a lock that no running program holds any more: the copy is then an
// orphan, which the next program to start offers back to the user.
//
// Offering an orphan takes three steps: orphans() lists them, claim() takes
// one for this program so that no other program offers it at the same time,
// and the claimed copy is read and then removed, or kept aside if it cannot
// be read. A claim given up without either leaves the copy where it was, to
// be offered again at the next start.
class RecoveryStore {
public:
    // An orphan as found in the folder: another program's recovery copy whose
    // owner no longer runs.
    struct Orphan {
        QString path;
        QDateTime written;
    };

    // An orphan this program holds the owner's lock of. Only one program can
    // hold it; letting the claim go (destroying it) leaves the file in place.
    class ClaimedOrphan {
    public:
        ClaimedOrphan(ClaimedOrphan&&) noexcept;
        ClaimedOrphan& operator=(ClaimedOrphan&&) noexcept;
        ~ClaimedOrphan();

        const QString& path() const { return m_path; }
        const QDateTime& written() const { return m_written; }

    private:
        friend class RecoveryStore;
        ClaimedOrphan(Orphan orphan, std::unique_ptr<QLockFile> lock);

        QString m_path;
        QDateTime m_written;
        std::unique_ptr<QLockFile> m_lock;
    };

    // The outcome of keepAside(): the file's new path, or empty and why not.
    struct KeptAside {
        QString path;
        QString error;
    };

    explicit RecoveryStore(QString folder = defaultFolder());
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    // The "recovery" folder in the program's application data.
    static QString defaultFolder();

    // This program's recovery copy.
    QString path() const;
    // False when the folder could not be made or the lock not taken; write()
    // then fails and says why.
    bool isUsable() const;

    // Replaces this program's recovery copy with the text, atomically: a
    // failed write leaves the previous copy as it was.
    model::FileResult write(const QString& text);
    // Removes this program's recovery copy, keeping the lock.
    void discard();

    // The other programs' recovery copies whose owner no longer runs, newest
    // first. A copy whose owner still runs, or which another program has
    // claimed, is never listed. Lock files left without a copy by programs
    // that are gone are cleared on the way.
    QList<Orphan> orphans() const;
    // Takes the orphan for this program. Empty when another program got it
    // first or the file is gone meanwhile.
    std::optional<ClaimedOrphan> claim(const Orphan& orphan) const;

    static model::FileText read(const ClaimedOrphan& orphan);
    // Deletes the copy and its lock. Call it once the text is safe elsewhere
    // (written to this program's own copy, or saved) or the user has turned
    // it down; on failure the copy stays and is offered again.
    static model::FileResult remove(ClaimedOrphan orphan);
    // Renames a copy that cannot be read to <id>.unreadable.aie, so it is
    // neither offered again nor lost. An existing file of that name is never
    // overwritten: the copy then stays as it was.
    static KeptAside keepAside(ClaimedOrphan orphan);

private:
    QString m_folder;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
    QString m_problem; // why the store is not usable
};

} // namespace ampery::app
