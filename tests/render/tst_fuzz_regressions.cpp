#include "file_open_pass.h"

#include "model/experiment_file.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

using ampery::fuzz::FileOpenPass;

// The inputs under tests/data/fuzz once crashed the file fuzzer, tripped a
// sanitizer or took far too long to open. Each goes through the fuzzer's own
// pass: opening as the window does, then saving into memory and reading back.
class TestFuzzRegressions : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_pass = std::make_unique<FileOpenPass>(); }

    void opensAndSavesUnchanged_data() {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(AMPERY_TEST_DATA "/fuzz"));
        const QStringList names = dir.entryList({QStringLiteral("*.aie")}, QDir::Files, QDir::Name);
        QVERIFY(!names.isEmpty());
        for (const QString& name : names)
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }
    void opensAndSavesUnchanged() {
        QFETCH(QString, path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // Bytes the window refuses would test nothing past the decoder.
        QVERIFY(ampery::model::decodeExperimentBytes(bytes).ok);
        QCOMPARE(m_pass->run(bytes), QString());
    }

private:
    std::unique_ptr<FileOpenPass> m_pass;
};

QTEST_MAIN(TestFuzzRegressions)
#include "tst_fuzz_regressions.moc"
