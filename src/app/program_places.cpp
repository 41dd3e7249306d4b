#include "program_places.h"

#include "app_version.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>

#include <algorithm>

namespace ampery::app::places {

namespace {

const QString installedExamples = QStringLiteral("ampery/examples");

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

bool examplesBesideProgram() {
    return !examplesIn(programFolder()).isEmpty();
}

} // namespace

QFileInfoList examplesIn(const QString& folder) {
    if (folder.isEmpty())
        return {};
    QFileInfoList examples =
        QDir(folder).entryInfoList({QStringLiteral("*.aie")}, QDir::Files | QDir::Readable);
    QCollator collator(QLocale(QLocale::Chinese, QLocale::China));
    collator.setNumericMode(true);
    std::stable_sort(examples.begin(), examples.end(),
                     [&collator](const QFileInfo& a, const QFileInfo& b) {
                         return collator.compare(a.completeBaseName(), b.completeBaseName()) < 0;
                     });
    return examples;
}

QString exampleFolder() {
    if (examplesBesideProgram())
        return programFolder();
    const QString installed = QStandardPaths::locate(
        QStandardPaths::GenericDataLocation, installedExamples, QStandardPaths::LocateDirectory);
    return installed.isEmpty() ? programFolder() : installed;
}

QStringList helpFolders() {
    QStringList folders;
    if (examplesBesideProgram())
        folders.append(programFolder());
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!data.isEmpty())
        folders.append(
            QDir(data).filePath(QStringLiteral("help/") + QLatin1StringView(appVersion)));
    return folders;
}

} // namespace ampery::app::places
