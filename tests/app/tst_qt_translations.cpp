#include "app/qt_translations.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <algorithm>

using namespace ampery;

namespace {

bool hasChinese(const QString& text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

} // namespace

// The buttons of the program's questions and notes, which Qt words itself.
class TestQtTranslations : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(app::installChineseQtTranslations(*qApp)); }

    void messageBoxButtonsSpeakChinese_data() {
        QTest::addColumn<QMessageBox::StandardButton>("button");
        QTest::addRow("yes") << QMessageBox::Yes;
        QTest::addRow("no") << QMessageBox::No;
        QTest::addRow("cancel") << QMessageBox::Cancel;
        QTest::addRow("ok") << QMessageBox::Ok;
    }
    void messageBoxButtonsSpeakChinese() {
        QFETCH(QMessageBox::StandardButton, button);
        QMessageBox box;
        box.setStandardButtons(button);
        const QString text = box.button(button)->text();
        QVERIFY2(hasChinese(text), qPrintable(text));
    }
};

QTEST_MAIN(TestQtTranslations)
#include "tst_qt_translations.moc"
