#include "scripted_prompts.h"

#include <QPrinter>

namespace ampery::app {

void ScriptedPrompts::inform(QWidget*, const QString& title, const QString& text) {
    shown.append({"inform", title, text, {}});
    if (whileInformed)
        whileInformed(shown.last());
}

Prompts::Answer ScriptedPrompts::ask(QWidget*, const QString& title, const QString& text,
                                     bool withCancel) {
    shown.append({"ask", title, text, {}});
    if (answers.isEmpty())
        return Answer::No;
    const Answer answer = answers.takeFirst();
    return answer == Answer::Cancel && !withCancel ? Answer::No : answer;
}

QString ScriptedPrompts::saveFileName(QWidget*, const FileDialogSetup& setup) {
    shown.append({"save", setup.title, {}, setup});
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

QString ScriptedPrompts::openFileName(QWidget*, const FileDialogSetup& setup) {
    shown.append({"open", setup.title, {}, setup});
    return fileNames.isEmpty() ? QString() : fileNames.takeFirst();
}

bool ScriptedPrompts::choosePrinter(QWidget*, QPrinter& printer) {
    shown.append({"print", {}, {}, {}});
    if (printFiles.isEmpty())
        return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printFiles.takeFirst());
    return true;
}

bool ScriptedPrompts::openWithDesktop(const QString& fileOrUrl) {
    shown.append({"desktop", {}, fileOrUrl, {}});
    return desktopOpens;
}

bool ScriptedPrompts::openWithProgram(const QString& program, const QString& file) {
    shown.append({"program", program, file, {}});
    return installedPrograms.contains(program);
}

} // namespace ampery::app
