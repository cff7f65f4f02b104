#include "app/splashscreen.h"

#include "app/ui/backgroundpicture.h"
#include "app/ui/errorguard.h"

SplashScreen::SplashScreen(QWidget *parent)
    : PictureWindow({QStringLiteral("TForm5"), QStringLiteral("splash"), QSize(400, 284),
                     QStringLiteral("Image1"), {}},
                    parent)
{
    background()->setDraggable(false);
    background()->setFillColor(QColor(20, 50, 110));
    background()->setFallbackText(ui::applicationTitle());
    setAttribute(Qt::WA_ShowWithoutActivating);
}
