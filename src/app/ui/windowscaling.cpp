// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/windowscaling.h"

#include <QtWidgets/QAbstractScrollArea>
#include <QtWidgets/QLayout>
#include <QtWidgets/QScrollArea>
#include <QtWidgets/QScrollBar>

#include <QVariant>

#include <cmath>

using namespace Qt::StringLiterals;

namespace ui {

namespace {

constexpr const char *DESIGN_GEOMETRY = "rk25DesignGeometry";
constexpr const char *DESIGN_FONT = "rk25DesignFont";
constexpr const char *APPLIED_FONT = "rk25AppliedFont";
constexpr const char *DESIGN_FIXED = "rk25DesignFixedSize";
constexpr const char *DESIGN_WINDOW_SIZE = "rk25DesignWindowSize";
constexpr const char *SCALE_NUMERATOR = "rk25ScaleNumerator";
constexpr const char *SCALE_DENOMINATOR = "rk25ScaleDenominator";

struct Scale
{
    int numerator = 1;
    int denominator = 1;
};

Scale scaleOf(const QWidget *window)
{
    if (!isWindowScaled(window))
        return {};
    return {window->property(SCALE_NUMERATOR).toInt(), window->property(SCALE_DENOMINATOR).toInt()};
}

int scaled(int v, const Scale &s)
{
    return int(std::nearbyint(double(v) * s.numerator / s.denominator));
}

// Edges are scaled, not sizes, so neighbouring controls stay neighbours.
QRect scaledRect(const QRect &r, const Scale &s)
{
    const int left = scaled(r.left(), s);
    const int top = scaled(r.top(), s);
    return QRect(left, top, scaled(r.left() + r.width(), s) - left, scaled(r.top() + r.height(), s) - top);
}

QFont scaledFont(QFont f, const Scale &s)
{
    if (f.pixelSize() > 0)
        f.setPixelSize(std::max(1, scaled(f.pixelSize(), s)));
    else if (f.pointSizeF() > 0)
        f.setPointSizeF(std::max(1.0, f.pointSizeF() * s.numerator / s.denominator));
    return f;
}

// Controls placed by a layout follow their layout; only freely placed ones are moved.
bool placedByLayout(const QWidget *w)
{
    const QWidget *parent = w->parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(const_cast<QWidget *>(w)) >= 0;
}

// The viewport and scroll bars of a scroll area are laid out by the area itself.
bool partOfScrollArea(const QWidget *w)
{
    const QWidget *parent = w->parentWidget();
    if (!parent)
        return false;
    if (qobject_cast<const QAbstractScrollArea *>(parent))
        return true;
    const auto *area = qobject_cast<const QAbstractScrollArea *>(parent->parentWidget());
    return area && parent != area->viewport();
}

// The content of a scroll area: the area decides where it stands, only its size is ours.
bool scrolledContent(const QWidget *w)
{
    const QWidget *viewport = w->parentWidget();
    const auto *area = viewport ? qobject_cast<const QScrollArea *>(viewport->parentWidget()) : nullptr;
    return area && area->widget() == w;
}

// A window at its design shows every control's design; what the program changed since the
// last scaling (a font from the settings, a control moved) is taken with it.
void remember(QWidget *w)
{
    w->setProperty(DESIGN_GEOMETRY, w->geometry());
    w->setProperty(DESIGN_FIXED, w->minimumSize() == w->maximumSize());
    w->setProperty(DESIGN_FONT, w->font());
}

void applyFont(QWidget *w, const Scale &s)
{
    const QVariant applied = w->property(APPLIED_FONT);
    // Set by the program while scaled (the editor's font from the settings): that is the design now.
    if (applied.isValid() && applied.value<QFont>() != w->font())
        w->setProperty(DESIGN_FONT, w->font());
    w->setFont(scaledFont(w->property(DESIGN_FONT).value<QFont>(), s));
    w->setProperty(APPLIED_FONT, w->font());
}

void applyGeometry(QWidget *w, const Scale &s)
{
    if (placedByLayout(w) || partOfScrollArea(w))
        return;
    const QRect r = scaledRect(w->property(DESIGN_GEOMETRY).toRect(), s);
    // A fixed size would hold the control at its design size whatever geometry it is given.
    if (w->property(DESIGN_FIXED).toBool())
        w->setFixedSize(r.size());
    if (scrolledContent(w))
        w->resize(r.size());
    else
        w->setGeometry(r);
}

void applyScale(QWidget *window, const Scale &from, const Scale &to)
{
    QList<std::pair<QScrollBar *, int>> positions;
    for (QAbstractScrollArea *area : window->findChildren<QAbstractScrollArea *>()) {
        for (QScrollBar *bar : {area->verticalScrollBar(), area->horizontalScrollBar()})
            positions.append({bar, bar->value()});
    }
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (QWidget *w : controls) {
        if (w->isWindow())
            continue;
        if (auto *content = dynamic_cast<ScaledContent *>(w)) {
            content->setContentScale(to.numerator, to.denominator);
            continue;
        }
        if (w->property(DESIGN_FONT).isValid())
            applyFont(w, to);
        if (w->property(DESIGN_GEOMETRY).isValid())
            applyGeometry(w, to);
    }
    for (const auto &[bar, value] : positions) {
        const double design = double(value) * from.denominator / from.numerator;
        bar->setValue(int(std::nearbyint(design * to.numerator / to.denominator)));
    }
    QSize size = scaledRect(QRect(QPoint(0, 0), window->property(DESIGN_WINDOW_SIZE).toSize()), to).size();
    if (QWidget *back = window->findChild<QWidget *>(u"back"_s, Qt::FindDirectChildrenOnly))
        size = back->size();
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
    if (!isWindowScaled(window)) {
        window->setProperty(DESIGN_WINDOW_SIZE, window->size());
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (!w->isWindow())
                remember(w);
        }
    }
    const Scale from = scaleOf(window);
    window->setProperty(SCALE_NUMERATOR, numerator);
    window->setProperty(SCALE_DENOMINATOR, denominator);
    applyScale(window, from, {numerator, denominator});
}

void restoreWindowContent(QWidget *window)
{
    if (!isWindowScaled(window))
        return;
    const Scale from = scaleOf(window);
    window->setProperty(SCALE_NUMERATOR, QVariant());
    window->setProperty(SCALE_DENOMINATOR, QVariant());
    applyScale(window, from, {});
}

bool isWindowScaled(const QWidget *window)
{
    return window && window->property(SCALE_NUMERATOR).toInt() > 0
           && window->property(SCALE_DENOMINATOR).toInt() > 0;
}

void setDesignGeometry(QWidget *control, const QRect &design)
{
    if (!control)
        return;
    control->setProperty(DESIGN_GEOMETRY, design);
    control->setProperty(DESIGN_FIXED, control->minimumSize() == control->maximumSize());
    applyGeometry(control, scaleOf(control->window()));
}

void setDesignFont(QWidget *control, const QFont &design)
{
    if (!control)
        return;
    control->setProperty(DESIGN_FONT, design);
    control->setFont(scaledFont(design, scaleOf(control->window())));
    control->setProperty(APPLIED_FONT, control->font());
}

}
