#include "widget_prompts.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QUrl>

namespace ampery::app {

namespace {

QString runFileDialog(QWidget* parent, const FileDialogSetup& setup, QFileDialog::AcceptMode mode,
                      QString& lastDirectory) {
    QFileDialog dialog(parent, setup.title,
                       setup.directory.isEmpty() ? lastDirectory : setup.directory);
    // The same dialog on every desktop, and one that tests can drive.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                       : QFileDialog::ExistingFile);
    dialog.setNameFilter(setup.filter);
    QList<QUrl> sidebar = dialog.sidebarUrls();
    for (const QString& place : setup.places)
        if (const QUrl url = QUrl::fromLocalFile(place); !place.isEmpty() && !sidebar.contains(url))
            sidebar.append(url);
    dialog.setSidebarUrls(sidebar);
    dialog.setDefaultSuffix(setup.defaultSuffix);
    // A name typed without an extension takes the one of the type chosen,
    // or the setup's when that type has none of its own ("*.*").
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &setup](const QString& filter) {
            static const QRegularExpression firstPattern(QStringLiteral("\\*\\.(\\w+)"));
            const QRegularExpressionMatch match =
                firstPattern.match(filter.mid(filter.lastIndexOf(u'(')));
            dialog.setDefaultSuffix(match.hasMatch() ? match.captured(1) : setup.defaultSuffix);
        });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    lastDirectory = QFileInfo(chosen).absolutePath();
    return chosen;
}

// On a free desktop the shell starts xdg-open and reports success even when
// xdg-open then finds no program for the file's type; ask xdg-mime first.
// Elsewhere, and without xdg-mime, the shell's own answer stands.
bool desktopHasHandler(const QString& file) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return true;
    const auto query = [&xdgMime](const QStringList& arguments) {
        QProcess process;
        process.start(xdgMime, arguments);
        if (!process.waitForFinished(3000) || process.exitCode() != 0)
            return QString();
        return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
    };
    const QString type = query({QStringLiteral("query"), QStringLiteral("filetype"), file});
    return !type.isEmpty() &&
           !query({QStringLiteral("query"), QStringLiteral("default"), type}).isEmpty();
#else
    Q_UNUSED(file)
    return true;
#endif
}

} // namespace

void WidgetPrompts::inform(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

Prompts::Answer WidgetPrompts::ask(QWidget* parent, const QString& title, const QString& text,
                                   bool withCancel) {
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    switch (QMessageBox::question(parent, title, text, buttons)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return withCancel ? Answer::Cancel : Answer::No;
    }
}

QString WidgetPrompts::saveFileName(QWidget* parent, const FileDialogSetup& setup) {
    return runFileDialog(parent, setup, QFileDialog::AcceptSave, m_lastDirectory);
}

QString WidgetPrompts::openFileName(QWidget* parent, const FileDialogSetup& setup) {
    return runFileDialog(parent, setup, QFileDialog::AcceptOpen, m_lastDirectory);
}

bool WidgetPrompts::choosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool WidgetPrompts::openWithDesktop(const QString& fileOrUrl) {
    const QUrl url = QUrl::fromUserInput(fileOrUrl);
    if (url.isLocalFile() && !desktopHasHandler(url.toLocalFile()))
        return false;
    return QDesktopServices::openUrl(url);
}

bool WidgetPrompts::openWithProgram(const QString& program, const QString& file) {
    const QString installed = QStandardPaths::findExecutable(program);
    return !installed.isEmpty() && QProcess::startDetached(installed, {file});
}

} // namespace ampery::app
