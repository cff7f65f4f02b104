#include <QtWidgets/QApplication>
#include <QtWidgets/QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ステッピングモータロボット制御ソフト"));
    QMainWindow window;
    window.setWindowTitle(QApplication::applicationName());
    window.resize(640, 480);
    window.show();
    return app.exec();
}
