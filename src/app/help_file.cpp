#include "help_file.h"

#include "app_texts.h"
#include "command_texts.h"
#include "program_places.h"
#include "prompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace ampery::app {

namespace {

// Resource bytes go through QSaveFile: QFile::copy would leave a read-only file.
QString writeCopy(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return in.errorString();
    const QByteArray bytes = in.readAll();
    if (bytes.isEmpty())
        return QStringLiteral("%1: %2").arg(source, in.errorString());
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return command_texts::folderNotCreated;
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return out.errorString();
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return out.errorString();
    }
    if (!out.commit())
        return out.errorString();
    return {};
}

} // namespace

const QString HelpFile::carriedFile = QStringLiteral(":/help/ampery_help.chm");
const QStringList HelpFile::chmViewers = {QStringLiteral("xchm"), QStringLiteral("kchmviewer")};

QStringList HelpFile::defaultFolders() {
    return places::helpFolders();
}

HelpFile::HelpFile(Prompts& prompts, QWidget* parent, QStringList folders, QString source)
    : m_prompts(prompts), m_parent(parent), m_folders(std::move(folders)),
      m_source(std::move(source)) {}

HelpFile::Placement HelpFile::ensureWritten() const {
    Placement placement;
    for (const QString& folder : m_folders) {
        if (folder.isEmpty())
            continue;
        const QString path =
            QDir::toNativeSeparators(QDir(folder).absoluteFilePath(command_texts::helpFileName));
        const QString failure = QFileInfo(path).isFile() ? QString() : writeCopy(m_source, path);
        if (failure.isEmpty()) {
            placement.path = path;
            return placement;
        }
        placement.failures += QStringLiteral("%1：%2\n").arg(path, failure);
    }
    return placement;
}

void HelpFile::show() {
    const Placement placement = ensureWritten();
    if (placement.path.isEmpty()) {
        m_prompts.inform(m_parent, texts::noteTitle,
                         command_texts::helpNotWritten.arg(placement.failures.trimmed()));
        return;
    }
    if (m_prompts.openWithDesktop(placement.path))
        return;
    for (const QString& viewer : chmViewers)
        if (m_prompts.openWithProgram(viewer, placement.path))
            return;
    m_prompts.inform(m_parent, texts::noteTitle, command_texts::helpNotOpened.arg(placement.path));
}

} // namespace ampery::app
