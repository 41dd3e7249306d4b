#include "app/command_texts.h"
#include "app/widget_prompts.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace ampery;

class TestWidgetPrompts : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    // The file dialogs remember their side bar and history in Qt's settings:
    // the tests' go to a settings folder of their own.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The real save dialog, driven as a user does: choose a file type with
    // the keyboard, type a name, press save.
    void nameWithoutExtensionTakesTheChosenType_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<int>("typeDown"); // Down presses in the type list
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("chosen");
        const QString diagram = app::command_texts::diagramFilter;
        const QString picture = app::command_texts::exportFilter;
        QTest::addRow("diagram, first type") << diagram << "svg" << 0 << "a"
                                             << "a.svg";
        QTest::addRow("diagram, PNG chosen") << diagram << "svg" << 1 << "b"
                                             << "b.png";
        QTest::addRow("diagram, PNG chosen, SVG typed") << diagram << "svg" << 1 << "c.svg"
                                                        << "c.svg";
        QTest::addRow("picture, PNG chosen") << picture << "BMP" << 2 << "d"
                                             << "d.png";
        QTest::addRow("picture, JPG, BMP or GIF chosen") << picture << "BMP" << 1 << "e"
                                                         << "e.jpg";
        QTest::addRow("picture, all files chosen") << picture << "BMP" << 3 << "f"
                                                   << "f.BMP";
    }
    void nameWithoutExtensionTakesTheChosenType() {
        QFETCH(QString, filter);
        QFETCH(QString, suffix);
        QFETCH(int, typeDown);
        QFETCH(QString, typed);
        QFETCH(QString, chosen);
        bool driven = false;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
            auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
            QVERIFY(types && name);
            for (int k = 0; k < typeDown; ++k)
                QTest::keyClick(types, Qt::Key_Down);
            name->setText(typed);
            driven = true;
            QTest::keyClick(name, Qt::Key_Return);
        });
        app::WidgetPrompts prompts;
        const QString result =
            prompts.saveFileName(nullptr, {QStringLiteral("保存"), filter, suffix, m_dir.path(), {}});
        QVERIFY(driven);
        QCOMPARE(QFileInfo(result).fileName(), chosen);
    }

    // The open dialog starts in the folder it is given and keeps the places
    // in its side bar beside the desktop's own; opening it twice adds none twice.
    void openDialogOffersThePlacesInItsSideBar() {
        const QString examples = m_dir.filePath("examples");
        QVERIFY(QDir().mkpath(examples));
        app::WidgetPrompts prompts;
        for (int time = 0; time < 2; ++time) {
            QList<QUrl> sidebar;
            QString shownFolder;
            QTimer::singleShot(0, this, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                sidebar = dialog->sidebarUrls();
                shownFolder = dialog->directory().absolutePath();
                dialog->reject();
            });
            const QString chosen =
                prompts.openFileName(nullptr, {QStringLiteral("打开"), QStringLiteral("*.aie"),
                                               QStringLiteral("aie"), examples, {examples}});
            QVERIFY(chosen.isEmpty());
            QCOMPARE(shownFolder, examples);
            QCOMPARE(sidebar.count(QUrl::fromLocalFile(examples)), 1);
            QVERIFY(sidebar.size() > 1);
        }
    }
};

QTEST_MAIN(TestWidgetPrompts)
#include "tst_widget_prompts.moc"
