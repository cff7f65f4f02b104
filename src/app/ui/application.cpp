#include "app/ui/application.h"

#include "app/ui/errorguard.h"

#include <QtWidgets/QWidget>

Rk25Application::Rk25Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(ui::applicationTitle());
    setApplicationDisplayName(ui::applicationTitle());
}

bool Rk25Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ui::showUnexpectedFailure(activeWindow(), ui::messageOf(e));
    } catch (...) {
        ui::showUnexpectedFailure(activeWindow(), QStringLiteral("思いがけないエラーが起きました"));
    }
    return false;
}
