#pragma once

#include "app/prompts.h"

#include <QList>

#include <QStringList>
#include <functional>

namespace ampery::app {

// Prompts answered from a script, recording what was asked: the window's
// flows run headless in tests.
class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString kind; // "inform", "ask", "save", "open", "print", "desktop", "program"
        QString title;
        QString text;
        FileDialogSetup setup;
    };

    QList<Answer> answers; // taken in order by ask(); No when exhausted
    QStringList fileNames; // taken in order by the file dialogs; empty = cancel
    // Taken in order by the print dialog: the PDF file the printer writes;
    // none left = cancel.
    QStringList printFiles;
    bool desktopOpens = true;      // what openWithDesktop reports
    QStringList installedPrograms; // what openWithProgram finds
    QList<Shown> shown;
    // Runs while an information box would be open.
    std::function<void(const Shown&)> whileInformed;

    void inform(QWidget* parent, const QString& title, const QString& text) override;
    Answer ask(QWidget* parent, const QString& title, const QString& text,
               bool withCancel) override;
    QString saveFileName(QWidget* parent, const FileDialogSetup& setup) override;
    QString openFileName(QWidget* parent, const FileDialogSetup& setup) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    bool openWithDesktop(const QString& fileOrUrl) override;
    bool openWithProgram(const QString& program, const QString& file) override;
};

} // namespace ampery::app
