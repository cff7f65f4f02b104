#pragma once

#include <QtWidgets/QApplication>

// The application object: it sets the title and catches the failures that no handler guard
// caught, ending only the current event and telling the user in the unexpected-failure box.
class Rk25Application : public QApplication
{
    Q_OBJECT
public:
    Rk25Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
