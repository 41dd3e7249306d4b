#include "render_command.h"

#include "console.h"

#include "model/experiment.h"
#include "model/experiment_file.h"
#include "render/headless_experiment.h"

#include <QFileInfo>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSaveFile>

#include <optional>

namespace ampery::cli {

namespace {

// Two canvases of this side already take half a gigabyte.
constexpr int largestSide = 8192;

std::optional<QSize> parseSize(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QSize size(match.captured(1).toInt(), match.captured(2).toInt());
    if (size.width() < 1 || size.height() < 1 || size.width() > largestSide ||
        size.height() > largestSide)
        return std::nullopt;
    return size;
}

QByteArray formatFor(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"png")
        return "png";
    if (suffix == u"bmp")
        return "bmp";
    if (suffix == u"jpg" || suffix == u"jpeg")
        return "jpeg";
    return {};
}

QImage renderExperiment(QString text, QSize size, const render::RedrawOptions& options) {
    render::HeadlessExperiment opened(size);
    opened.open(std::move(text), options);
    return opened.canvases.area();
}

// Written through a temporary file, so a failed write leaves no half picture.
QString writePicture(const QImage& image, const QString& path, const QByteArray& format) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QImageWriter writer(&file, format);
    if (!writer.write(image))
        return writer.errorString();
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace

int runRenderCommand(const QStringList& arguments) {
    QStringList files;
    QSize size = render::CanvasPair::defaultSize;
    render::RedrawOptions options;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--size") {
            if (i + 1 == arguments.size())
                return refuse(QStringLiteral("--size needs a value such as 490x400"));
            const std::optional<QSize> parsed = parseSize(arguments[++i]);
            if (!parsed)
                return refuse(QStringLiteral("invalid size \"%1\": expected WxH, each from 1 to %2")
                                  .arg(arguments[i])
                                  .arg(largestSide));
            size = *parsed;
        } else if (argument == u"--names") {
            options.names = true;
        } else if (argument.startsWith(u"--")) {
            return refuse(QStringLiteral("unknown option \"%1\"").arg(argument));
        } else {
            files.append(argument);
        }
    }
    if (files.size() != 2)
        return refuse(QStringLiteral("render takes an experiment file and a picture file"));
    const QByteArray format = formatFor(files[1]);
    if (format.isEmpty())
        return refuse(QStringLiteral("the picture file must end in .png, .bmp, .jpg or .jpeg"));

    model::FileText read = model::readExperimentFile(files[0]);
    if (!read.ok)
        return refuse(read.error);

    const QString error =
        writePicture(renderExperiment(std::move(read.text), size, options), files[1], format);
    if (!error.isEmpty()) {
        reportError(QStringLiteral("cannot write %1: %2").arg(files[1], error));
        return exitOutputFailed;
    }
    return exitSuccess;
}

} // namespace ampery::cli
