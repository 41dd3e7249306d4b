#pragma once

#include "prompts.h"

namespace ampery::app {

// Prompts shown as real message boxes and file dialogs.
class WidgetPrompts : public Prompts {
public:
    void inform(QWidget* parent, const QString& title, const QString& text) override;
    Answer ask(QWidget* parent, const QString& title, const QString& text,
               bool withCancel) override;
    QString saveFileName(QWidget* parent, const FileDialogSetup& setup) override;
    QString openFileName(QWidget* parent, const FileDialogSetup& setup) override;
    bool choosePrinter(QWidget* parent, QPrinter& printer) override;
    bool openWithDesktop(const QString& fileOrUrl) override;
    bool openWithProgram(const QString& program, const QString& file) override;

private:
    QString m_lastDirectory;
};

} // namespace ampery::app
