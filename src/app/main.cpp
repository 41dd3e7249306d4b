#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Ampery"));
    window.resize(853, 548);
    window.show();
    return QApplication::exec();
}
