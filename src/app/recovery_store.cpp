#include "recovery_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>

namespace ampery::app {

namespace {

const QString copySuffix = QStringLiteral(".aie");
const QString lockSuffix = QStringLiteral(".lock");
const QString unreadableSuffix = QStringLiteral(".unreadable.aie");

// Only files named by a program's id belong to the store: a copy kept aside
// or anything else put in the folder is left alone. QUuid reads an id off the
// front of a longer name, so the name must be exactly the id.
bool isProgramId(const QString& name) {
    const QUuid id = QUuid::fromString(name);
    return !id.isNull() && id.toString(QUuid::WithoutBraces) == name;
}

QString lockPathOf(const QFileInfo& copy) {
    return copy.absolutePath() + QLatin1Char('/') + copy.completeBaseName() + lockSuffix;
}

// Takes a lock file unless a running program holds it. Whoever takes a lock
// judges whether it is stale, so every lock here has no age limit: a lock is
// stale only when its program is gone, never because that program has been
// open for a whole lesson.
std::unique_ptr<QLockFile> takeLock(const QString& lockPath) {
    auto lock = std::make_unique<QLockFile>(lockPath);
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace

RecoveryStore::ClaimedOrphan::ClaimedOrphan(Orphan orphan, std::unique_ptr<QLockFile> lock)
    : m_path(std::move(orphan.path)), m_written(std::move(orphan.written)),
      m_lock(std::move(lock)) {}
RecoveryStore::ClaimedOrphan::ClaimedOrphan(ClaimedOrphan&&) noexcept = default;
RecoveryStore::ClaimedOrphan&
RecoveryStore::ClaimedOrphan::operator=(ClaimedOrphan&&) noexcept = default;
RecoveryStore::ClaimedOrphan::~ClaimedOrphan() = default;

RecoveryStore::RecoveryStore(QString folder)
    : m_folder(std::move(folder)), m_id(QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    if (m_folder.isEmpty() || !QDir().mkpath(m_folder)) {
        m_problem = QStringLiteral("无法建立恢复文件夹“%1”。").arg(m_folder);
        return;
    }
    m_lock = takeLock(QDir(m_folder).filePath(m_id + lockSuffix));
    if (!m_lock)
        m_problem = QStringLiteral("无法在恢复文件夹“%1”中建立锁文件。").arg(m_folder);
}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::defaultFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/recovery");
}

QString RecoveryStore::path() const {
    return QDir(m_folder).filePath(m_id + copySuffix);
}

bool RecoveryStore::isUsable() const {
    return m_lock != nullptr;
}

model::FileResult RecoveryStore::write(const QString& text) {
    if (!isUsable())
        return {false, m_problem};
    return model::writeExperimentFile(path(), text);
}

void RecoveryStore::discard() {
    QFile::remove(path());
}

QList<RecoveryStore::Orphan> RecoveryStore::orphans() const {
    QList<Orphan> found;
    const QDir folder(m_folder);
    const QFileInfoList copies = folder.entryInfoList({QLatin1Char('*') + copySuffix}, QDir::Files);
    for (const QFileInfo& copy : copies) {
        const QString id = copy.completeBaseName();
        if (id == m_id || !isProgramId(id))
            continue;
        // The lock is let go at once: claim() settles which program offers it.
        if (takeLock(lockPathOf(copy)))
            found.append({copy.filePath(), copy.lastModified()});
    }
    // A program gone with nothing unsaved leaves only its lock.
    const QFileInfoList locks = folder.entryInfoList({QLatin1Char('*') + lockSuffix}, QDir::Files);
    for (const QFileInfo& lock : locks) {
        const QString id = lock.completeBaseName();
        if (id != m_id && isProgramId(id) && !QFileInfo::exists(folder.filePath(id + copySuffix)))
            takeLock(lock.filePath());
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const Orphan& a, const Orphan& b) { return a.written > b.written; });
    return found;
}

std::optional<RecoveryStore::ClaimedOrphan> RecoveryStore::claim(const Orphan& orphan) const {
    const QFileInfo copy(orphan.path);
    const QString id = copy.completeBaseName();
    if (id == m_id || !isProgramId(id) || copy.suffix() != copySuffix.mid(1))
        return std::nullopt;
    std::unique_ptr<QLockFile> lock = takeLock(lockPathOf(copy));
    // Another program may have claimed and removed it since it was listed.
    if (!lock || !QFileInfo::exists(orphan.path))
        return std::nullopt;
    return ClaimedOrphan(orphan, std::move(lock));
}

model::FileText RecoveryStore::read(const ClaimedOrphan& orphan) {
    return model::readExperimentFile(orphan.path());
}

model::FileResult RecoveryStore::remove(ClaimedOrphan orphan) {
    QFile copy(orphan.path());
    if (!copy.remove() && copy.exists())
        return {false,
                QStringLiteral("无法删除恢复文件“%1”：%2").arg(orphan.path(), copy.errorString())};
    return {true, {}};
}

RecoveryStore::KeptAside RecoveryStore::keepAside(ClaimedOrphan orphan) {
    const QFileInfo info(orphan.path());
    const QString target =
        info.absolutePath() + QLatin1Char('/') + info.completeBaseName() + unreadableSuffix;
    QFile copy(orphan.path());
    if (!copy.rename(target))
        return {
            {},
            QStringLiteral("无法重命名恢复文件“%1”：%2").arg(orphan.path(), copy.errorString())};
    return {target, {}};
}

} // namespace ampery::app
