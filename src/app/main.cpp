#include "main_window.h"
#include "qt_translations.h"
#include "widget_prompts.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ampery::app::installChineseQtTranslations(app);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/ampery.svg")));
    ampery::app::WidgetPrompts prompts;
    ampery::app::MainWindow window(prompts);
    window.show();
    QTimer::singleShot(0, &window, &ampery::app::MainWindow::offerRecovery);
#ifndef NDEBUG
    // Test hook of the desktop smoke test; release builds have none.
    const QString openOnStart = qEnvironmentVariable("AMPERY_TEST_OPEN");
    if (!openOnStart.isEmpty())
        QTimer::singleShot(0, &window, [&window, openOnStart] { window.openFile(openOnStart); });
#endif
    return QApplication::exec();
}
