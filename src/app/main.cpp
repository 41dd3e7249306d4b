#include "app_texts.h"
#include "app_version.h"
#include "main_window.h"
#include "qt_translations.h"
#include "widget_prompts.h"

#include "analysis/freed_memory.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The experiment file named on the command line, made absolute so the window
// shows and saves the file the user meant; empty when none was named.
// --help, --version and an unknown option end the program here.
QString fileToOpen(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(ampery::app::texts::commandLineDescription);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(ampery::app::texts::fileArgument,
                                 ampery::app::texts::fileArgumentHelp,
                                 QStringLiteral("[%1]").arg(ampery::app::texts::fileArgument));
    parser.process(app);
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        std::fputs(qPrintable(ampery::app::texts::tooManyFiles + u'\n'), stderr);
        std::exit(EXIT_FAILURE);
    }
    return files.isEmpty() ? QString() : QFileInfo(files.constFirst()).absoluteFilePath();
}

// Help and version texts are printed without a window system, so they work
// in a terminal without a display; everything else waits for the GUI
// application, which takes Qt's own options (-style, -platform) first.
bool asksForTextOnly(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    ampery::analysis::keepFreedMemory();
    QCoreApplication::setApplicationVersion(QString::fromLatin1(ampery::app::appVersion));
    if (asksForTextOnly(argc, argv)) {
        QCoreApplication terminal(argc, argv);
        ampery::app::installChineseQtTranslations(terminal);
        fileToOpen(terminal);
    }
    QApplication app(argc, argv);
    ampery::app::installChineseQtTranslations(app);
    const QString file = fileToOpen(app);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/ampery.svg")));
    ampery::app::WidgetPrompts prompts;
    ampery::app::MainWindow window(prompts);
    window.show();
    // A copy left by a program that did not close is offered first; the file
    // then replaces it only after the save question.
    QTimer::singleShot(0, &window, &ampery::app::MainWindow::offerRecovery);
    if (!file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.openNamedFile(file); });
    return QApplication::exec();
}
