#include "window_fixture.h"

#include "app/command_texts.h"
#include "model/component_type.h"
#include "model/wire_edits.h"
#include "render/canvas_pair.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

using namespace ampery;
using Answer = app::Prompts::Answer;

namespace {

int wirePixels(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            count += rgb.pixel(x, y) == render::CanvasPair::wireColour;
    return count;
}

} // namespace

class TestPictureExport : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;

private slots:
    void cancellingWritesAndAsksNothing() {
        WindowFixture f;
        f.showLitLamp();
        f.window->exportPicture();

        QCOMPARE(f.prompts.shown.size(), 1);
        const app::FileDialogSetup& setup = f.prompts.shown.first().setup;
        QCOMPARE(setup.title, "保存模拟图片：");
        QCOMPARE(setup.filter, "图片文件(*.BMP);;支持的图象文件(JPG,BMP,GIF) (*.jpg *.bmp *.gif);;"
                               "PNG 图片文件(*.png);;所有文件(*.*)");
        QCOMPARE(setup.defaultSuffix, "BMP");
    }

    void writesTheAreaAsShown_data() {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("format");
        QTest::addRow("bmp") << "picture.bmp" << QByteArray("bmp");
        QTest::addRow("upper-case BMP") << "picture.BMP" << QByteArray("bmp");
        QTest::addRow("png") << "picture.png" << QByteArray("png");
        QTest::addRow("upper-case PNG") << "picture.PNG" << QByteArray("png");
        QTest::addRow("upper-case JPG") << "picture.JPG" << QByteArray("jpeg");
        QTest::addRow("jpeg") << "picture.jpeg" << QByteArray("jpeg");
        QTest::addRow("gif gets BMP") << "picture.gif" << QByteArray("bmp");
        QTest::addRow("any other name gets BMP") << "picture.txt" << QByteArray("bmp");
        QTest::addRow("no extension") << "picture" << QByteArray("bmp");
    }
    void writesTheAreaAsShown() {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, format);
        WindowFixture f;
        f.showLitLamp();
        const QImage area = f.window->controller().canvases().area();
        const QString path = m_dir.filePath(fileName);
        f.prompts.fileNames = {path};
        f.prompts.answers = {Answer::No};
        f.window->exportPicture();

        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), format);
        const QImage written = reader.read();
        QVERIFY2(!written.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(written.size(), area.size());
        if (format != "jpeg") {
            QCOMPARE(written.convertToFormat(QImage::Format_RGB32),
                     area.convertToFormat(QImage::Format_RGB32));
            QVERIFY(wirePixels(written) > 400);
        }

        QCOMPARE(f.prompts.shown.size(), 2);
        QCOMPARE(f.prompts.shown[1].kind, "ask");
        QCOMPARE(f.prompts.shown[1].text, "成功保存模拟图片，是否查看？");
    }

    void answeringYesOpensThePicture_data() {
        QTest::addColumn<bool>("viewerFound");
        QTest::addRow("viewer found") << true;
        QTest::addRow("no viewer") << false;
    }
    void answeringYesOpensThePicture() {
        QFETCH(bool, viewerFound);
        WindowFixture f;
        const QString path = m_dir.filePath("shown.png");
        f.prompts.fileNames = {path};
        f.prompts.answers = {Answer::Yes};
        f.prompts.desktopOpens = viewerFound;
        f.window->exportPicture();
        QCOMPARE(f.prompts.shown.size(), viewerFound ? 3 : 4);
        QCOMPARE(f.prompts.shown[2].kind, "desktop");
        QCOMPARE(f.prompts.shown[2].text, path);
        if (!viewerFound) {
            QCOMPARE(f.prompts.shown[3].kind, "inform");
            QVERIFY(f.prompts.shown[3].text.contains(path));
        }
    }

    void failedWriteIsReportedNotOffered() {
        QFile plain(m_dir.filePath("plain.txt"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        WindowFixture f;
        f.showLitLamp();
        const QString path = plain.fileName() + "/picture.bmp";
        f.prompts.fileNames = {path};
        f.prompts.answers = {Answer::Yes};
        f.window->exportPicture();

        QCOMPARE(f.prompts.shown.size(), 2);
        const auto& report = f.prompts.shown[1];
        QCOMPARE(report.kind, "inform");
        QCOMPARE(report.title, "提示：");
        QVERIFY(report.text.startsWith("错误："));
        QVERIFY(report.text.contains(path));
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_MAIN(TestPictureExport)
#include "tst_picture_export.moc"
