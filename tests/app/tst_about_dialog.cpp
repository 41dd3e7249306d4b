#include "window_fixture.h"

#include "app/about_dialog.h"

#include <QApplication>
#include <QLabel>
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

    void contactUsOpensTheWebPage() {
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
        QCOMPARE(prompts.shown[0].text, app::AboutDialog::webAddress);
        QVERIFY(app::AboutDialog::webAddress.startsWith("https://"));
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
