#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace ampery::app {

// What a file dialog is set up with before it is shown.
struct FileDialogSetup {
    QString title;
    QString filter; // Qt form: "模拟电路文件(*.aie)"; several joined by ";;"
    QString defaultSuffix;
    QString directory;  // empty: wherever the dialog was last
    QStringList places; // folders offered in the side bar beside the usual ones
};

// Message boxes, questions, file and print dialogs. The window uses the widget
// implementation; tests script the answers.
class Prompts {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompts() = default;

    // An information box with an OK button.
    virtual void inform(QWidget* parent, const QString& title, const QString& text) = 0;
    // A question with Yes, No and (when asked for) Cancel.
    virtual Answer ask(QWidget* parent, const QString& title, const QString& text,
                       bool withCancel) = 0;
    // The chosen file name, or empty text when the dialog was cancelled.
    virtual QString saveFileName(QWidget* parent, const FileDialogSetup& setup) = 0;
    virtual QString openFileName(QWidget* parent, const FileDialogSetup& setup) = 0;
    // The print dialog sets the printer up; false when it was cancelled.
    virtual bool choosePrinter(QWidget* parent, QPrinter& printer) = 0;
    // Hands a file or web address to the desktop shell; false when nothing opened it.
    virtual bool openWithDesktop(const QString& fileOrUrl) = 0;
    // Starts the named program on a file; false when it is not installed or
    // would not start.
    virtual bool openWithProgram(const QString& program, const QString& file) = 0;
};

} // namespace ampery::app
