#include "picture_export.h"

#include "app_texts.h"
#include "command_texts.h"
#include "prompts.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSaveFile>

namespace ampery::app {

namespace {

QByteArray formatFor(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == u"png")
        return "png";
    if (suffix == u"jpg" || suffix == u"jpeg")
        return "jpeg";
    return "bmp";
}

// The whole picture or nothing: an earlier file of that name stays intact
// when writing fails. Returns why it failed.
QString writePicture(const QImage& image, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QImageWriter writer(&file, formatFor(fileName));
    if (!writer.write(image)) {
        file.cancelWriting();
        return writer.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

} // namespace

PictureExport::PictureExport(Prompts& prompts, QWidget* parent)
    : m_prompts(prompts), m_parent(parent) {}

void PictureExport::run(const QImage& image) {
    const QString fileName = m_prompts.saveFileName(m_parent, {command_texts::exportDialogTitle,
                                                               command_texts::exportFilter,
                                                               command_texts::exportSuffix,
                                                               {},
                                                               {}});
    if (fileName.isEmpty())
        return;
    const QString failure = writePicture(image, fileName);
    if (!failure.isEmpty()) {
        m_prompts.inform(m_parent, texts::noteTitle,
                         command_texts::exportFailed.arg(fileName, failure));
        return;
    }
    if (m_prompts.ask(m_parent, texts::caption, command_texts::viewQuestion, false) !=
        Prompts::Answer::Yes)
        return;
    if (!m_prompts.openWithDesktop(fileName))
        m_prompts.inform(m_parent, texts::noteTitle, command_texts::pictureNotOpened.arg(fileName));
}

} // namespace ampery::app
