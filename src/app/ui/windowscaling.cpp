#include "app/ui/windowscaling.h"

#include <QtWidgets/QLayout>

#include <QVariant>

#include <cmath>

namespace ui {

namespace {

constexpr const char *designGeometry = "rk25DesignGeometry";
constexpr const char *designFont = "rk25DesignFont";
constexpr const char *designWindowSize = "rk25DesignWindowSize";
constexpr const char *scaledFlag = "rk25Scaled";

int scaled(int v, int numerator, int denominator)
{
    return int(std::nearbyint(double(v) * numerator / denominator));
}

QRect scaledRect(const QRect &r, int n, int d)
{
    const int left = scaled(r.left(), n, d);
    const int top = scaled(r.top(), n, d);
    return QRect(left, top, scaled(r.left() + r.width(), n, d) - left,
                 scaled(r.top() + r.height(), n, d) - top);
}

// Controls placed by a layout follow their layout; only freely placed ones are moved.
bool placedByLayout(const QWidget *w)
{
    const QWidget *parent = w->parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(const_cast<QWidget *>(w)) >= 0;
}

void remember(QWidget *w)
{
    if (!w->property(designGeometry).isValid())
        w->setProperty(designGeometry, w->geometry());
    if (!w->property(designFont).isValid())
        w->setProperty(designFont, w->font());
}

void setWindowSize(QWidget *window, const QSize &size)
{
    if (window->minimumSize() == window->maximumSize())
        window->setFixedSize(size);
    else
        window->resize(size);
}

}

void scaleWindowContent(QWidget *window, int numerator, int denominator)
{
    if (!window || numerator <= 0 || denominator <= 0)
        return;
    if (!window->property(designWindowSize).isValid())
        window->setProperty(designWindowSize, window->size());
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (QWidget *w : controls) {
        if (w->isWindow())
            continue;
        remember(w);
        QFont f = w->property(designFont).value<QFont>();
        if (f.pixelSize() > 0)
            f.setPixelSize(std::max(1, scaled(f.pixelSize(), numerator, denominator)));
        else if (f.pointSizeF() > 0)
            f.setPointSizeF(std::max(1.0, f.pointSizeF() * numerator / denominator));
        w->setFont(f);
        if (!placedByLayout(w))
            w->setGeometry(scaledRect(w->property(designGeometry).toRect(), numerator, denominator));
    }
    QSize size = scaledRect(QRect(QPoint(0, 0), window->property(designWindowSize).toSize()),
                            numerator, denominator).size();
    if (QWidget *back = window->findChild<QWidget *>(QStringLiteral("back"), Qt::FindDirectChildrenOnly))
        size = back->size();
    setWindowSize(window, size);
    window->setProperty(scaledFlag, true);
}

void restoreWindowContent(QWidget *window)
{
    if (!isWindowScaled(window))
        return;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->isWindow() || !w->property(designGeometry).isValid())
            continue;
        w->setFont(w->property(designFont).value<QFont>());
        if (!placedByLayout(w))
            w->setGeometry(w->property(designGeometry).toRect());
    }
    QSize size = window->property(designWindowSize).toSize();
    if (QWidget *back = window->findChild<QWidget *>(QStringLiteral("back"), Qt::FindDirectChildrenOnly))
        size = back->size();
    setWindowSize(window, size);
    window->setProperty(scaledFlag, false);
}

bool isWindowScaled(const QWidget *window)
{
    return window && window->property(scaledFlag).toBool();
}

}
