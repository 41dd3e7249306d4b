#include "widget_prompts.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
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
    dialog.setDefaultSuffix(setup.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    lastDirectory = QFileInfo(chosen).absolutePath();
    return chosen;
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

bool WidgetPrompts::openWithDesktop(const QString& fileOrUrl) {
    const QUrl url = QUrl::fromUserInput(fileOrUrl);
    return QDesktopServices::openUrl(url);
}

} // namespace ampery::app
