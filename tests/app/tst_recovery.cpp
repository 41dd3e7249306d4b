#include "app/recovery_store.h"
#include "app/recovery_writer.h"
#include "model/experiment_file.h"
#include "model/gbk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace ampery;
using app::RecoveryStore;
using app::RecoveryWriter;

namespace {

// The test program started again stands for another running program: it
// opens a store in the folder named here and then ends as the mode says.
const char* const otherFolderVariable = "AMPERY_RECOVERY_OTHER_FOLDER";
const char* const otherModeVariable = "AMPERY_RECOVERY_OTHER_MODE";
const QString otherText = QStringLiteral("电源1∧另一个程序");

// Runs as the other program. It prints its copy's path once written (or an
// empty line when it writes none) and ends without cleaning up, as on a
// crash or power cut: "exit" at once, "exit-unwritten" without writing,
// "hold" only when killed.
int runOtherProgram(const QString& folder, const QString& mode) {
    RecoveryStore store(folder);
    const bool writes = mode != QLatin1String("exit-unwritten");
    if (writes && !store.write(otherText).ok)
        return 2;
    std::printf("%s\n", writes ? qPrintable(store.path()) : "");
    std::fflush(stdout);
    if (mode == QLatin1String("hold"))
        std::getchar();
    std::_Exit(0);
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString textOf(const QString& path) {
    const model::FileText read = model::readExperimentFile(path);
    return read.ok ? read.text : QStringLiteral("<%1>").arg(read.error);
}

QString lockOf(const QString& copyPath) {
    const QFileInfo info(copyPath);
    return info.absolutePath() + QStringLiteral("/") + info.completeBaseName() +
           QStringLiteral(".lock");
}

QStringList pathsOf(const QList<RecoveryStore::Orphan>& orphans) {
    QStringList paths;
    for (const RecoveryStore::Orphan& orphan : orphans)
        paths.append(orphan.path);
    return paths;
}

// Leaves a copy of the text as a program ended without discarding it would.
QString leaveCopy(const QString& folder, const QString& text) {
    RecoveryStore store(folder);
    return store.write(text).ok ? store.path() : QString();
}

constexpr int intervalMs = 100;

// A writer with a short interval over a store in the folder, counting how
// often it reads the experiment's text.
struct WriterUnderTest {
    WriterUnderTest(const QString& folder, QString first)
        : store(folder), text(std::move(first)), writer(store, [this] {
              ++reads;
              return text;
          }) {
        writer.setInterval(std::chrono::milliseconds(intervalMs));
    }
    RecoveryStore store;
    QString text;
    int reads = 0;
    RecoveryWriter writer;
};

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->path(); }

private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void writtenCopyIsTheTextInGbk_data() {
        QTest::addColumn<QString>("text");
        QTest::addRow("empty") << QString();
        QTest::addRow("components") << QStringLiteral("电源1∧电灯1∨31|13┇162|142");
        QTest::addRow("outside the grammar") << QStringLiteral("№1□abc‖⊙x\r\n");
    }
    void writtenCopyIsTheTextInGbk() {
        QFETCH(QString, text);
        RecoveryStore store(folder());
        QVERIFY(store.isUsable());
        // A longer earlier copy must leave nothing behind.
        QVERIFY(store.write(QString(500, QLatin1Char('x'))).ok);
        QVERIFY(store.write(text).ok);
        QCOMPARE(bytesOf(store.path()), *model::encodeGbk(text));
        QCOMPARE(textOf(store.path()), text);
    }

    void failedWriteKeepsTheEarlierCopy() {
        RecoveryStore store(folder());
        QVERIFY(store.write(QStringLiteral("电阻1")).ok);
        const model::FileResult result = store.write(QStringLiteral("电阻2😀"));
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
        QCOMPARE(textOf(store.path()), QStringLiteral("电阻1"));
    }

    void storeWithoutFolderSaysWhy() {
        QFile blocker(m_dir->filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        RecoveryStore store(blocker.fileName() + QStringLiteral("/recovery"));
        QVERIFY(!store.isUsable());
        const model::FileResult result = store.write(QStringLiteral("电阻1"));
        QVERIFY(!result.ok);
        QVERIFY(!result.error.isEmpty());
    }

    void livingProgramsAreNeverOrphans() {
        RecoveryStore first(folder());
        RecoveryStore second(folder());
        QVERIFY(first.path() != second.path());
        QVERIFY(first.write(QStringLiteral("电阻1")).ok);
        QVERIFY(second.write(QStringLiteral("电阻2")).ok);
        const RecoveryStore third(folder());
        for (const RecoveryStore* store :
             std::initializer_list<const RecoveryStore*>{&first, &second, &third})
            QVERIFY(store->orphans().isEmpty());
        // Asked directly, a store still refuses a living program's copy.
        QVERIFY(!third.claim({first.path(), {}}));
        QVERIFY(!first.claim({first.path(), {}}));
        QCOMPARE(textOf(first.path()), QStringLiteral("电阻1"));
        QCOMPARE(textOf(second.path()), QStringLiteral("电阻2"));
    }

    void endedProgramLeavesOrphanUnlessDiscarded_data() {
        QTest::addColumn<bool>("discarded");
        QTest::addRow("normal exit") << true;
        QTest::addRow("crash") << false;
    }
    void endedProgramLeavesOrphanUnlessDiscarded() {
        QFETCH(bool, discarded);
        QString copy;
        {
            RecoveryStore ended(folder());
            QVERIFY(ended.write(QStringLiteral("电阻1")).ok);
            copy = ended.path();
            if (discarded)
                ended.discard();
        }
        QVERIFY(!QFile::exists(lockOf(copy)));
        QCOMPARE(QFile::exists(copy), !discarded);
        const RecoveryStore next(folder());
        QCOMPARE(pathsOf(next.orphans()), discarded ? QStringList() : QStringList{copy});
    }

    void onlyOneProgramClaimsAnOrphan() {
        const QString copy = leaveCopy(folder(), QStringLiteral("电阻1"));
        RecoveryStore first(folder());
        RecoveryStore second(folder());
        const QList<RecoveryStore::Orphan> found = second.orphans();
        QCOMPARE(pathsOf(found), QStringList{copy});
        {
            std::optional<RecoveryStore::ClaimedOrphan> claimed = first.claim(found.first());
            QVERIFY(claimed);
            QCOMPARE(claimed->path(), copy);
            QCOMPARE(RecoveryStore::read(*claimed).text, QStringLiteral("电阻1"));
            QVERIFY(!second.claim(found.first()));
            QVERIFY(second.orphans().isEmpty());
        }
        // A claim let go leaves the copy to be offered again.
        QCOMPARE(textOf(copy), QStringLiteral("电阻1"));
        std::optional<RecoveryStore::ClaimedOrphan> claimed = second.claim(found.first());
        QVERIFY(claimed);
        QVERIFY(RecoveryStore::remove(std::move(*claimed)).ok);
        QVERIFY(!QFile::exists(copy));
        QVERIFY(!QFile::exists(lockOf(copy)));
        QVERIFY(!first.claim(found.first()));
        QVERIFY(RecoveryStore(folder()).orphans().isEmpty());
    }

    void discardKeepsTheLock() {
        RecoveryStore store(folder());
        QVERIFY(store.write(QStringLiteral("电阻1")).ok);
        store.discard();
        QVERIFY(!QFile::exists(store.path()));
        QVERIFY(QFile::exists(lockOf(store.path())));
        QVERIFY(RecoveryStore(folder()).orphans().isEmpty());
        QVERIFY(store.write(QStringLiteral("电阻2")).ok);
        QCOMPARE(textOf(store.path()), QStringLiteral("电阻2"));
    }

    void orphansNewestFirstAndOnlyTheStores() {
        QStringList copies;
        for (int k = 0; k < 3; ++k)
            copies.append(leaveCopy(folder(), QStringLiteral("电阻%1").arg(k)));
        const QDateTime base = QDateTime::currentDateTime().addDays(-1);
        const int minutes[] = {20, 40, 10};
        for (int k = 0; k < 3; ++k) {
            QFile copy(copies[k]);
            QVERIFY(copy.open(QIODevice::ReadWrite));
            QVERIFY(
                copy.setFileTime(base.addSecs(60 * minutes[k]), QFileDevice::FileModificationTime));
        }
        for (const char* other : {"notes.aie", "not-an-id.aie",
                                  "0b9a6c52-3f3e-4a47-9d2f-5b7a8e4c1d20.unreadable.aie"}) {
            QFile file(m_dir->filePath(QString::fromLatin1(other)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        const QList<RecoveryStore::Orphan> found = RecoveryStore(folder()).orphans();
        QCOMPARE(pathsOf(found), (QStringList{copies[1], copies[0], copies[2]}));
        QCOMPARE(found.first().written, base.addSecs(60 * 40));
    }

    void unreadableCopyIsKeptAside_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addRow("lead byte cut off") << QByteArray::fromHex("A1EDA1");
        QTest::addRow("lone 0xFF") << QByteArray::fromHex("FF");
    }
    void unreadableCopyIsKeptAside() {
        QFETCH(QByteArray, bytes);
        const QString copy = leaveCopy(folder(), QStringLiteral("电阻1"));
        {
            QFile file(copy);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        const RecoveryStore store(folder());
        const QList<RecoveryStore::Orphan> found = store.orphans();
        QCOMPARE(found.size(), 1);
        std::optional<RecoveryStore::ClaimedOrphan> claimed = store.claim(found.first());
        QVERIFY(claimed);
        QVERIFY(!RecoveryStore::read(*claimed).ok);
        const RecoveryStore::KeptAside kept = RecoveryStore::keepAside(std::move(*claimed));
        QVERIFY2(!kept.path.isEmpty(), qPrintable(kept.error));
        QVERIFY(kept.path.endsWith(QStringLiteral(".unreadable.aie")));
        QCOMPARE(bytesOf(kept.path), bytes);
        QVERIFY(!QFile::exists(copy));
        QVERIFY(!QFile::exists(lockOf(copy)));
        QVERIFY(RecoveryStore(folder()).orphans().isEmpty());
        QVERIFY(QFile::exists(kept.path));
    }

    void keepingAsideNeverOverwrites() {
        const QString copy = leaveCopy(folder(), QStringLiteral("电阻1"));
        const QString target = QFileInfo(copy).absolutePath() + QStringLiteral("/") +
                               QFileInfo(copy).completeBaseName() +
                               QStringLiteral(".unreadable.aie");
        {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("earlier");
        }
        const RecoveryStore store(folder());
        std::optional<RecoveryStore::ClaimedOrphan> claimed = store.claim({copy, {}});
        QVERIFY(claimed);
        const RecoveryStore::KeptAside kept = RecoveryStore::keepAside(std::move(*claimed));
        QVERIFY(kept.path.isEmpty());
        QVERIFY(!kept.error.isEmpty());
        QCOMPARE(bytesOf(target), QByteArray("earlier"));
        QCOMPARE(textOf(copy), QStringLiteral("电阻1"));
        QCOMPARE(pathsOf(store.orphans()), QStringList{copy});
    }

    // Another process holds the lock; once it is gone its lock stays on disk
    // with a process id that no longer runs.
    void programGoneLeavesStaleLock_data() {
        QTest::addColumn<QString>("mode");
        QTest::addRow("ended without cleaning up") << QStringLiteral("exit");
        QTest::addRow("killed while running") << QStringLiteral("hold");
        QTest::addRow("ended with nothing unsaved") << QStringLiteral("exit-unwritten");
    }
    void programGoneLeavesStaleLock() {
        QFETCH(QString, mode);
        QProcess other;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(otherFolderVariable), folder());
        environment.insert(QString::fromLatin1(otherModeVariable), mode);
        other.setProcessEnvironment(environment);
        other.start(QCoreApplication::applicationFilePath(), {});
        QVERIFY(other.waitForStarted());
        while (!other.canReadLine())
            QVERIFY(other.waitForReadyRead(10000));
        const QString copy = QString::fromLocal8Bit(other.readLine()).trimmed();
        const RecoveryStore store(folder());
        if (mode == QLatin1String("hold")) {
            // However long a program has been running, its lock is not stale.
            QFile lock(lockOf(copy));
            QVERIFY(lock.open(QIODevice::ReadWrite));
            QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                     QFileDevice::FileModificationTime));
            lock.close();
            QVERIFY(store.orphans().isEmpty());
            QVERIFY(!store.claim({copy, {}}));
            other.kill();
        }
        QVERIFY(other.waitForFinished(10000));
        const QStringList locks = QDir(folder()).entryList({QStringLiteral("*.lock")});
        QCOMPARE(locks.size(), 2); // the other program's and this store's

        const QList<RecoveryStore::Orphan> found = store.orphans();
        if (copy.isEmpty()) {
            QVERIFY(found.isEmpty());
            // The lock left without a copy is cleared.
            QCOMPARE(QDir(folder()).entryList({QStringLiteral("*.lock")}),
                     QStringList{QFileInfo(lockOf(store.path())).fileName()});
            return;
        }
        QCOMPARE(pathsOf(found), QStringList{copy});
        std::optional<RecoveryStore::ClaimedOrphan> claimed = store.claim(found.first());
        QVERIFY(claimed);
        QVERIFY(!RecoveryStore(folder()).claim(found.first()));
        QCOMPARE(RecoveryStore::read(*claimed).text, otherText);
    }

    void changesSoonAfterAWriteAreGathered_data() {
        QTest::addColumn<int>("changes");
        QTest::addRow("one") << 1;
        QTest::addRow("several") << 5;
    }
    void changesSoonAfterAWriteAreGathered() {
        QFETCH(int, changes);
        WriterUnderTest w(folder(), QStringLiteral("电阻0"));
        auto& [store, text, reads, writer] = w;
        QElapsedTimer sinceFirst;
        sinceFirst.start();
        writer.experimentChanged(true);
        for (int k = 1; k <= changes; ++k) {
            text = QStringLiteral("电阻%1").arg(k);
            writer.experimentChanged(true);
        }
        QCOMPARE(reads, 1);
        QCOMPARE(textOf(store.path()), QStringLiteral("电阻0"));
        QTRY_COMPARE(reads, 2);
        // Qt's default timers may fire up to 5% early.
        QVERIFY(sinceFirst.elapsed() >= intervalMs * 9 / 10);
        QCOMPARE(textOf(store.path()), text);
        QTest::qWait(3 * intervalMs);
        QCOMPARE(reads, 2);
        // After a quiet interval the next change is written at once again.
        text = QStringLiteral("电阻9");
        writer.experimentChanged(true);
        QCOMPARE(reads, 3);
        QCOMPARE(textOf(store.path()), text);
    }

    void nothingUnsavedDropsTheCopy() {
        WriterUnderTest w(folder(), QStringLiteral("电阻1"));
        auto& [store, text, reads, writer] = w;
        writer.experimentChanged(false);
        QCOMPARE(reads, 0);
        QVERIFY(!QFile::exists(store.path()));
        writer.experimentChanged(true);
        text = QStringLiteral("电阻2");
        writer.experimentChanged(true);
        writer.experimentChanged(false);
        QVERIFY(!QFile::exists(store.path()));
        QTest::qWait(3 * intervalMs);
        QCOMPARE(reads, 1);
        QVERIFY(!QFile::exists(store.path()));
    }

    void flushWritesTheWaitingChange() {
        WriterUnderTest w(folder(), QStringLiteral("电阻1"));
        auto& [store, text, reads, writer] = w;
        writer.experimentChanged(true);
        writer.flush();
        QCOMPARE(reads, 1);
        text = QStringLiteral("电阻2");
        writer.experimentChanged(true);
        writer.flush();
        QCOMPARE(reads, 2);
        QCOMPARE(textOf(store.path()), text);
        QTest::qWait(3 * intervalMs);
        QCOMPARE(reads, 2);
    }

    void failuresAreReportedOncePerStreak() {
        WriterUnderTest w(folder(), QStringLiteral("电阻1"));
        auto& [store, text, reads, writer] = w;
        QSignalSpy failed(&writer, &RecoveryWriter::writeFailed);
        // A folder where the copy belongs makes every write fail.
        QVERIFY(QDir().mkdir(store.path()));
        writer.experimentChanged(true);
        QCOMPARE(failed.size(), 1);
        QVERIFY(!failed.first().first().toString().isEmpty());
        writer.experimentChanged(true);
        QTest::qWait(4 * intervalMs);
        QCOMPARE(failed.size(), 1);
        // The writer keeps trying, so the change gets through without another.
        QVERIFY(QDir().rmdir(store.path()));
        QTRY_COMPARE(textOf(store.path()), QStringLiteral("电阻1"));
        store.discard();
        QVERIFY(QDir().mkdir(store.path()));
        writer.experimentChanged(true);
        QTRY_COMPARE(failed.size(), 2);
        QVERIFY(QDir().rmdir(store.path()));
    }
};

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QString otherFolder = qEnvironmentVariable(otherFolderVariable);
    if (!otherFolder.isEmpty())
        return runOtherProgram(otherFolder, qEnvironmentVariable(otherModeVariable));
    TestRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
