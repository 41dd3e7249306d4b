#include "window_fixture.h"

#include "app/about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace ampery;

class TestAboutDialog : public QObject {
    Q_OBJECT
private slots:
    void showsTheProgramAndItsMaker() {
        app::ScriptedPrompts prompts;
        app::AboutDialog about(prompts);
        QCOMPARE(about.windowTitle(), "关于");
        QVERIFY(about.isModal());
        QVERIFY(about.findChild<QLabel*>("说明标签")->text().contains("Ampery"));
        QVERIFY(!about.findChild<QLabel*>("作者标签")->text().isEmpty());
    }

    void contactUsOpensTheHelpFile() {
        app::ScriptedPrompts prompts;
        app::AboutDialog about(prompts);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto* contact = about.findChild<QLabel*>("联系标签");
        QVERIFY(contact->text().contains("联系我们"));

        const int textWidth = contact->fontMetrics().horizontalAdvance("联系我们");
        const QPoint onText(contact->contentsRect().left() + contact->margin() + textWidth / 2,
                            contact->height() / 2);
        QTest::mouseClick(contact, Qt::LeftButton, {}, onText);
        QCOMPARE(prompts.shown.size(), 1);
        QCOMPARE(prompts.shown[0].kind, "desktop");
        const QFileInfo opened(prompts.shown[0].text);
        QCOMPARE(opened.fileName(), "Amperlab使用帮助.chm");
        QVERIFY(opened.size() > 0);
    }

    void theCloseButtonClosesIt() {
        app::ScriptedPrompts prompts;
        app::AboutDialog about(prompts);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        auto* close =
            about.findChild<QDialogButtonBox*>("关闭按钮")->button(QDialogButtonBox::Close);
        QCOMPARE(close->text(), "关闭");
        QTest::mouseClick(close, Qt::LeftButton);
        QVERIFY(!about.isVisible());
        QCOMPARE(about.result(), int(QDialog::Rejected));
    }

    void theMenuShowsItModally() {
        WindowFixture f;
        QString caption;
        QTimer::singleShot(0, [&caption] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            caption = modal->windowTitle();
            modal->close();
        });
        f.window->showAbout();
        QCOMPARE(caption, "关于");
        QVERIFY(f.prompts.shown.isEmpty());
    }
};

QTEST_MAIN(TestAboutDialog)
#include "tst_about_dialog.moc"
