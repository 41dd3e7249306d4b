#include "window_fixture.h"

#include "app/help_file.h"
#include "app_version.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace ampery;

namespace {

const QString helpName = QStringLiteral("Amperlab使用帮助.chm");

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString helpIn(const QString& folder) {
    return QDir::toNativeSeparators(QDir(folder).filePath(helpName));
}

} // namespace

class TestHelpFile : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QByteArray m_carried;

    // A folder that can never be created: its parent is a regular file.
    QString unwritableFolder() const { return m_dir.filePath("plain.txt/help"); }
    QString freshFolder(const QString& name) const {
        const QString path = m_dir.filePath(name);
        QDir(path).removeRecursively();
        return path;
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QVERIFY(writeFile(m_dir.filePath("plain.txt"), "not a folder"));
        m_carried = readAll(app::HelpFile::carriedFile);
    }

    void carriesACompiledHelpFile() {
        QVERIFY(m_carried.startsWith("ITSF"));
        QVERIFY(m_carried.size() > 20000);
    }

    void writesOnceAndNeverReplaces() {
        const QString program = freshFolder("program");
        QVERIFY(QDir().mkpath(program));
        const QString appData = freshFolder("appdata");
        app::ScriptedPrompts prompts;
        app::HelpFile help(prompts, nullptr, {program, appData});

        help.show();
        const QString path = helpIn(program);
        QCOMPARE(readAll(path), m_carried);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].kind, "desktop");
        QCOMPARE(prompts.shown[0].text, path);

        QVERIFY(writeFile(path, "the teacher's own copy"));
        help.show();
        QCOMPARE(readAll(path), "the teacher's own copy");
        QCOMPARE(prompts.shown.size(), 2);
        QCOMPARE(prompts.shown[1].text, path);
        QVERIFY(!QFileInfo::exists(appData));
    }

    void fallsBackToTheUsersFolder_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("existing"); // already in the user's folder
        QTest::addRow("program folder read-only") << unwritableFolder() << QByteArray();
        QTest::addRow("program folder unknown") << QString() << QByteArray();
        QTest::addRow("earlier copy kept") << unwritableFolder() << QByteArray("earlier copy");
    }
    void fallsBackToTheUsersFolder() {
        QFETCH(QString, program);
        QFETCH(QByteArray, existing);
        const QString appData = freshFolder("user") + "/not/yet/made";
        if (!existing.isEmpty()) {
            QVERIFY(QDir().mkpath(appData));
            QVERIFY(writeFile(helpIn(appData), existing));
        }
        app::ScriptedPrompts prompts;
        app::HelpFile(prompts, nullptr, {program, appData}).show();

        QCOMPARE(readAll(helpIn(appData)), existing.isEmpty() ? m_carried : existing);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].kind, "desktop");
        QCOMPARE(prompts.shown[0].text, helpIn(appData));
    }

    // Beside an installed program (no examples there) nothing is written; the
    // copy goes to a folder of this version, so one an older version left in
    // its own folder is neither shown nor kept in the way.
    void installedProgramWritesToAFolderOfItsVersion() {
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        const QString ours = QDir(data).filePath(QStringLiteral("help/") + app::appVersion);
        QCOMPARE(app::HelpFile::defaultFolders(), QStringList{ours});
        QDir(data).removeRecursively();
        const QString older = QDir(data).filePath("help/0.0.1");
        QVERIFY(QDir().mkpath(older));
        QVERIFY(writeFile(helpIn(older), "older version's help"));

        app::ScriptedPrompts prompts;
        app::HelpFile(prompts, nullptr).show();
        QCOMPARE(readAll(helpIn(ours)), m_carried);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].text, helpIn(ours));
        QDir(data).removeRecursively();
    }

    void reportsWhenNoFolderTakesIt() {
        const QString second = m_dir.filePath("plain.txt/other");
        app::ScriptedPrompts prompts;
        app::HelpFile(prompts, nullptr, {unwritableFolder(), second}).show();

        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].kind, "inform");
        QCOMPARE(prompts.shown[0].title, "提示：");
        QVERIFY(prompts.shown[0].text.startsWith("错误："));
        QVERIFY(prompts.shown[0].text.contains(helpIn(unwritableFolder())));
        QVERIFY(prompts.shown[0].text.contains(helpIn(second)));
    }

    // The desktop first, then the CHM viewers in order; the message names
    // what is missing only when none of them opens the file.
    void handsTheFileToWhatCanOpenIt_data() {
        QTest::addColumn<bool>("desktopOpens");
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<QStringList>("tried");
        QTest::addColumn<bool>("reported");
        QTest::addRow("desktop") << true << QStringList{"xchm"} << QStringList{"desktop"} << false;
        QTest::addRow("xchm") << false << QStringList{"xchm", "kchmviewer"}
                              << QStringList{"desktop", "xchm"} << false;
        QTest::addRow("kchmviewer") << false << QStringList{"kchmviewer"}
                                    << QStringList{"desktop", "xchm", "kchmviewer"} << false;
        QTest::addRow("nothing") << false << QStringList{}
                                 << QStringList{"desktop", "xchm", "kchmviewer"} << true;
    }
    void handsTheFileToWhatCanOpenIt() {
        QFETCH(bool, desktopOpens);
        QFETCH(QStringList, installed);
        QFETCH(QStringList, tried);
        QFETCH(bool, reported);
        const QString program = freshFolder("viewers");
        app::ScriptedPrompts prompts;
        prompts.desktopOpens = desktopOpens;
        prompts.installedPrograms = installed;
        app::HelpFile(prompts, nullptr, {program}).show();

        QStringList seen;
        for (const auto& shown : std::as_const(prompts.shown)) {
            if (shown.kind == "inform")
                continue;
            seen << (shown.kind == "program" ? shown.title : shown.kind);
            QCOMPARE(shown.text, helpIn(program));
        }
        QCOMPARE(seen, tried);
        const bool informed = prompts.shown.last().kind == "inform";
        QCOMPARE(informed, reported);
        if (reported) {
            const QString text = prompts.shown.last().text;
            QVERIFY(text.contains(helpIn(program)));
            QVERIFY(text.contains("xchm") && text.contains("kchmviewer"));
        }
        QVERIFY(QFileInfo(helpIn(program)).isFile());
    }

    void theHelpButtonOpensTheFile() {
        WindowFixture f;
        f.window->showHelp();
        QCOMPARE(f.prompts.shown.size(), 1);
        QCOMPARE(f.prompts.shown[0].kind, "desktop");
        const QFileInfo opened(f.prompts.shown[0].text);
        QCOMPARE(opened.fileName(), helpName);
        QVERIFY(opened.size() > 0);
    }
};

QTEST_MAIN(TestHelpFile)
#include "tst_help_file.moc"
