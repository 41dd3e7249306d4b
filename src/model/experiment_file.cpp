#include "experiment_file.h"

#include "experiment.h"
#include "gbk.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace ampery::model {

namespace {

const QString notGbk = QStringLiteral("文件内容不是有效的GBK编码文本。");
const QString cannotEncode = QStringLiteral("实验中含有无法用GBK编码保存的字符。");

} // namespace

FileText decodeExperimentBytes(const QByteArray& bytes) {
    std::optional<QString> text = decodeGbk(bytes);
    if (!text)
        return {false, {}, notGbk};
    return {true, *text, {}};
}

FileText readExperimentFile(const QString& path) {
    if (QFileInfo(path).isDir())
        return {false, {}, QStringLiteral("“%1”是文件夹，不是实验文件。").arg(path)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {false, {}, QStringLiteral("无法读取文件“%1”：%2").arg(path, file.errorString())};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {false, {}, QStringLiteral("无法读取文件“%1”：%2").arg(path, file.errorString())};
    return decodeExperimentBytes(bytes);
}

FileResult writeExperimentFile(const QString& path, const QString& text) {
    const std::optional<QByteArray> bytes = encodeGbk(text);
    if (!bytes)
        return {false, cannotEncode};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return {false, QStringLiteral("无法写入文件“%1”：%2").arg(path, reason)};
    }
    return {true, {}};
}

FileResult openExperiment(Experiment& experiment, const QString& path) {
    FileText read = readExperimentFile(path);
    if (!read.ok)
        return {false, read.error};
    experiment.load(std::move(read.text));
    return {true, {}};
}

FileResult saveExperiment(Experiment& experiment, const QString& path) {
    FileResult result = writeExperimentFile(path, experiment.text());
    if (result.ok)
        experiment.setModified(false);
    return result;
}

} // namespace ampery::model
