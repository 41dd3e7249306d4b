#include "main_window.h"
#include "widget_prompts.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    ampery::app::WidgetPrompts prompts;
    ampery::app::MainWindow window(prompts);
    window.show();
    return QApplication::exec();
}
