// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include <QMimeData>
#include <QPoint>
#include <QString>

class QLabel;

// A palette picture (Image1 … Image16). Left button down arms a drag; moving more than the
// drag threshold in x or y starts it, carrying the icon's name to the slot it is dropped on.
class PaletteIcon : public QWidget
{
    Q_OBJECT
public:
    PaletteIcon(const QString &icon, const QRect &geometry, QWidget *parent);

    QString icon() const { return objectName(); }

signals:
    // The drag could not start (its picture is missing); the screen shows its numbered box.
    void dragFailed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void startDrag();

    QPixmap m_picture;
    bool m_armed = false;
    QPoint m_pressPoint;
};

// The page of instruction icons, TabSheet1. STEP2 hides the repeat and switch icons and shows
// the picture Image29 in their place.
class IconPalette : public QWidget
{
    Q_OBJECT
public:
    explicit IconPalette(QWidget *parent);

    void setStepMode(int step);
    PaletteIcon *paletteIcon(const QString &icon) const;
    QList<PaletteIcon *> icons() const { return m_icons; }

signals:
    void dragFailed();

private:
    QList<PaletteIcon *> m_icons;
    QWidget *m_image29 = nullptr;
};

// What a palette drag carries.
namespace palettedrag {
inline constexpr char MIME_TYPE[] = "application/x-rk25-palette-icon";
QMimeData *mimeDataFor(const QString &icon);
// The dropped icon's name, or empty when the data did not come from the palette.
QString iconOf(const QMimeData *data);
// The drag pixmap: the icon's drag picture with white made transparent.
QPixmap dragPixmap(const QString &icon);
}
