// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/controlnames.h"

#include "app/ui/errorguard.h"

#include "../../../assets/generator/picturetable.h"

#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

using namespace Qt::StringLiterals;
using ui::SpokenName;

namespace {

constexpr char PICTURE_CONTROL[] = "pictureControl";

// Controls that show no picture of their own name. window empty: on every window.
struct NameRow
{
    const char16_t *window;
    const char16_t *control;
    const char16_t *name;        // a spoken name, or a picture ("Photo\...") whose caption it is
    const char16_t *description; // empty: the control's hint
};

constexpr NameRow NAMES[] = {
    // Remote control: the drive pictures are numbered, their pictures named after the drive.
    {u"TForm8", u"Image1", u"Photo\\Button\\rajikon_FL.jpg", u""},
    {u"TForm8", u"Image2", u"Photo\\Button\\rajikon_FF.jpg", u""},
    {u"TForm8", u"Image3", u"Photo\\Button\\rajikon_FR.jpg", u""},
    {u"TForm8", u"Image4", u"Photo\\Button\\rajikon_FLturn.jpg", u""},
    {u"TForm8", u"Image5", u"Photo\\Button\\rajikon_Stop.jpg", u""},
    {u"TForm8", u"Image6", u"Photo\\Button\\rajikon_FRturn.jpg", u""},
    {u"TForm8", u"Image7", u"Photo\\Button\\rajikon_BL.jpg", u""},
    {u"TForm8", u"Image8", u"Photo\\Button\\rajikon_BB.jpg", u""},
    {u"TForm8", u"Image9", u"Photo\\Button\\rajikon_BR.jpg", u""},
    // Text screen: the switch of the help panel and the program text.
    {u"TForm9", u"Image1", u"Photo\\Button\\kinou.jpg", u""},
    {u"TForm9", u"Image6", u"めいれいの せつめい", u""},
    {u"", u"SonEdit1", u"プログラム", u"めいれいを 1ぎょうに 1つ かこう"},
    // Keys whose picture shows a sign rather than a word.
    {u"", u"time_00", u"てん", u""},
    // Icon screen.
    {u"TForm1", u"ScrollBox1", u"プログラムの ならび", u"59この わく"},
    {u"TForm1", u"LMDTrackBar1", u"じかん・かいすう", u""},
    // Report sheet: what the sheet prints beside each field.
    {u"TForm11", u"Edit2", u"がくねん", u"なんねんせいか かこう"},
    {u"TForm11", u"Edit3", u"くみ", u"なんくみか かこう"},
    {u"TForm11", u"Edit1", u"なまえ", u""},
    {u"TForm11", u"Memo1", u"めあて", u"どんな プログラムを つくったか かこう"},
    {u"TForm11", u"Memo2", u"かんそう", u"やってみて おもったことを かこう"},
    {u"TForm11", u"WebBrowser1", u"レポート", u""},
    {u"TForm3", u"LMDProgress1", u"おくった ぶん", u""},
    // Settings.
    {u"TForm7", u"TreeView1", u"せっていの しゅるい", u""},
    {u"TForm7", u"LMDTrackBar1", u"モータの スピード", u""},
    {u"TForm7", u"SpinEdit1", u"もじの おおきさ", u""},
    {u"TForm7", u"ListBox1", u"もじの しゅるい", u""},
    // Route screen.
    {u"TForm10", u"Image1", u"ゆか", u"みちを せんで かく ところ"},
    {u"TForm10", u"ScrollBox1", u"ゆか", u""},
};

// The screens' own names; the icon screen's carries its step.
struct TitleRow
{
    const char16_t *window;
    const char16_t *title;
};

constexpr TitleRow TITLES[] = {
    {u"TForm13", u"メニュー"},
    {u"TForm1", u"STEP%1 アイコンで プログラミング"},
    {u"TForm2", u"プログラム いちらん"},
    {u"TForm3", u"プログラムを おくっています"},
    {u"TForm4", u"学習ナビ"},
    {u"TForm5", u"じゅんびちゅう"},
    {u"TForm6", u"プレビュー"},
    {u"TForm7", u"せってい"},
    {u"TForm8", u"リモコンモード"},
    {u"TForm9", u"STEP4 もじで プログラミング"},
    {u"TForm10", u"STEP5 ラインで プログラミング"},
    {u"TForm11", u"レポートを つくろう"},
};

const pictures::Picture *findPicture(const QString &relativeName)
{
    for (const pictures::Picture &p : pictures::PICTURES) {
        if (QString::fromUtf8(p.name) == relativeName)
            return &p;
    }
    return nullptr;
}

// The caption a picture shows, as words: a menu bar's badge and title, a button's released
// face; line breaks become blanks. The rest of a menu bar is its description.
SpokenName captionOf(const pictures::Picture &p)
{
    QStringList parts = QString::fromUtf8(p.caption).replace(u'\n', u' ').split(u'|');
    switch (p.draw) {
    case pictures::Draw::MenuButton: {
        const QString badge = parts.value(0).startsWith(u'@') ? QString() : parts.value(0) + u' ';
        return {badge + parts.value(1), parts.value(2)};
    }
    case pictures::Draw::Button:
        return {parts.value(0), {}};
    case pictures::Draw::Angle:
        return {parts.value(0) + u"ど"_s, {}};
    default:
        return {parts.join(u' '), {}};
    }
}

QList<ui::NameSource> &nameSources()
{
    static QList<ui::NameSource> sources;
    return sources;
}

SpokenName pictureNameOf(const QString &relativeName)
{
    const pictures::Picture *p = findPicture(relativeName);
    return p ? captionOf(*p) : SpokenName{};
}

SpokenName buttonPictureNameOf(const QString &control)
{
    for (const char16_t *extension : {u".jpg", u".bmp"}) {
        SpokenName n = pictureNameOf(u"Photo\\Button\\"_s + control + QString::fromUtf16(extension));
        if (!n.name.isEmpty())
            return n;
    }
    return {};
}

QString longHint(const QWidget *control)
{
    const QString hint = control->property("hint").toString();
    if (!hint.isEmpty())
        return hint.contains(u'|') ? hint.section(u'|', 1) : hint;
    return control->toolTip();
}

// Space and Return act like a click in the middle: the same press and release a mouse gives.
class KeyClicker : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
            return false;
        auto *key = static_cast<QKeyEvent *>(event);
        const bool activation = key->key() == Qt::Key_Space || key->key() == Qt::Key_Return
            || key->key() == Qt::Key_Enter;
        if (!activation || key->modifiers() & ~Qt::KeypadModifier)
            return false;
        // A focused picture answers its keys before a window's Return or Escape does.
        if (type == QEvent::ShortcutOverride) {
            event->accept();
            return true;
        }
        if (key->isAutoRepeat())
            return true;
        auto *w = static_cast<QWidget *>(watched);
        const QPointF middle = QRectF(w->rect()).center();
        const bool press = event->type() == QEvent::KeyPress;
        QMouseEvent mouse(press ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, middle,
                          w->mapToGlobal(middle), Qt::LeftButton,
                          press ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &mouse);
        return true;
    }
};

// A picture control as the accessibility bus sees it: a button that can be pressed.
class PictureControlAccessible : public QAccessibleWidget
{
public:
    explicit PictureControlAccessible(QWidget *w)
        : QAccessibleWidget(w, QAccessible::Button)
    {
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    QStringList keyBindingsForAction(const QString &action) const override
    {
        const QString key = widget()->property("shortcutKey").toString();
        return action == pressAction() && !key.isEmpty() ? QStringList{key} : QStringList{};
    }
    void doAction(const QString &action) override
    {
        if (action == setFocusAction()) {
            widget()->setFocus(Qt::OtherFocusReason);
            return;
        }
        if (action == pressAction())
            ui::pressPictureControl(widget());
    }
};

QAccessibleInterface *pictureControlFactory(const QString &, QObject *object)
{
    if (object && object->isWidgetType() && object->property(PICTURE_CONTROL).toBool())
        return new PictureControlAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

// The ring around the picture control that has the keyboard focus: pictures have no focus
// look of their own. One ring at a time, a sibling drawn above the focused control.
class FocusRing : public QWidget
{
public:
    explicit FocusRing(QWidget *parent)
        : QWidget(parent)
    {
        setObjectName(u"focusRing"_s);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(2.5, 2.5, -2.5, -2.5);
        // Yellow on a dark edge stands out on every picture, light or dark.
        p.setPen(QPen(QColor(20, 30, 70), 5));
        p.drawRoundedRect(r, 7, 7);
        p.setPen(QPen(QColor(0xf2, 0xb7, 0x05), 3));
        p.drawRoundedRect(r, 7, 7);
    }
};

// Moves the ring along with the focus; the ring goes with the window it stands in, so it is
// made anew where needed. It shows while the keyboard is in use: a pupil with the mouse gets
// no ring over the picture he clicked or the one a window focuses when it opens.
class FocusRingKeeper : public QObject
{
public:
    explicit FocusRingKeeper(QObject *parent)
        : QObject(parent)
    {
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type t = event->type();
        // The clicks that keys make are sent straight to the control: no button is down.
        const bool realPress = t == QEvent::MouseButtonPress && QGuiApplication::mouseButtons() != Qt::NoButton;
        if ((t == QEvent::KeyPress && !m_keys) || (realPress && m_keys)) {
            m_keys = t == QEvent::KeyPress;
            place();
        } else if (watched == m_target && (t == QEvent::Move || t == QEvent::Resize || t == QEvent::Hide || t == QEvent::Show)) {
            place();
        }
        return false;
    }

private:
    void follow(QWidget *now)
    {
        if (m_target)
            m_target->removeEventFilter(this);
        m_target = now && now->property(PICTURE_CONTROL).toBool() ? now : nullptr;
        if (m_target)
            m_target->installEventFilter(this);
        place();
    }

    void place()
    {
        QWidget *parent = m_target ? m_target->parentWidget() : nullptr;
        if (!parent || !m_target->isVisible() || !m_keys) {
            if (m_ring)
                m_ring->hide();
            return;
        }
        if (!m_ring)
            m_ring = new FocusRing(parent);
        else if (m_ring->parentWidget() != parent)
            m_ring->setParent(parent);
        m_ring->setGeometry(m_target->geometry().adjusted(-5, -5, 5, 5));
        m_ring->raise();
        m_ring->show();
    }

    QPointer<QWidget> m_target;
    QPointer<FocusRing> m_ring;
    bool m_keys = false;
};

} // namespace

namespace ui {

void addNameSource(NameSource source)
{
    if (!nameSources().contains(source))
        nameSources().append(source);
}

SpokenName spokenNameOfPicture(const QString &relativeName)
{
    return pictureNameOf(relativeName);
}

SpokenName spokenNameOf(const QString &window, const QString &control)
{
    for (const NameRow &row : NAMES) {
        if (control != row.control || (*row.window && window != row.window))
            continue;
        const QString name = QString::fromUtf16(row.name);
        SpokenName n = name.startsWith(u"Photo\\"_s) ? pictureNameOf(name) : SpokenName{name, {}};
        if (*row.description)
            n.description = QString::fromUtf16(row.description);
        return n;
    }
    for (const NameSource source : nameSources()) {
        SpokenName n = source(window, control);
        if (!n.name.isEmpty())
            return n;
    }
    if (control.startsWith(u"Drop_image"_s))
        return {control.mid(10) + u"ばんめ"_s, {}};
    return buttonPictureNameOf(control);
}

QString windowTitleOf(const QString &window, int step)
{
    for (const TitleRow &row : TITLES) {
        if (window != row.window)
            continue;
        QString title = QString::fromUtf16(row.title);
        if (title.contains(u"%1"_s))
            title = title.arg(step + 1);
        return window == u"TForm13" ? applicationTitle() : title + u" — "_s + applicationTitle();
    }
    return applicationTitle();
}

void makePictureControl(QWidget *control, bool keys)
{
    if (control->property(PICTURE_CONTROL).toBool())
        return;
    control->setProperty(PICTURE_CONTROL, true);
    if (control->focusPolicy() == Qt::NoFocus)
        control->setFocusPolicy(Qt::TabFocus);
    if (keys)
        control->installEventFilter(new KeyClicker(control));
}

void pressPictureControl(QWidget *control)
{
    if (!control || !control->isVisible() || !control->isEnabled())
        return;
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent key(type, Qt::Key_Space, Qt::NoModifier, u" "_s);
        QCoreApplication::sendEvent(control, &key);
    }
}

void nameControls(QWidget *window)
{
    const QString windowName = window->objectName();
    if (windowName != u"TForm1")
        window->setWindowTitle(windowTitleOf(windowName));
    const QList<QWidget *> controls = window->findChildren<QWidget *>();
    for (QWidget *control : controls) {
        if (control->isWindow())
            continue;
        const SpokenName n = spokenNameOf(windowName, control->objectName());
        if (n.name.isEmpty())
            continue;
        // Clickable pictures; the palette's and the slots' keys are the icon screen's own.
        // First, since naming a control already makes its accessible interface.
        if (!control->testAttribute(Qt::WA_TransparentForMouseEvents) && control->testAttribute(Qt::WA_SetCursor)
            && control->cursor().shape() == Qt::PointingHandCursor)
            makePictureControl(control);
        if (control->accessibleName().isEmpty())
            control->setAccessibleName(n.name);
        const QString description = n.description.isEmpty() ? longHint(control) : n.description;
        if (control->accessibleDescription().isEmpty() && !description.isEmpty())
            control->setAccessibleDescription(description);
    }
}

QWidget *announcementLine(QWidget *window)
{
    return window ? window->findChild<QLabel *>(u"announcement"_s, Qt::FindDirectChildrenOnly) : nullptr;
}

void announce(QWidget *window, const QString &text)
{
    if (!window)
        return;
    auto *line = static_cast<QLabel *>(announcementLine(window));
    if (!line) {
        // One pixel in the corner: there for the accessibility bus, not for the eye.
        line = new QLabel(window);
        line->setObjectName(u"announcement"_s);
        line->setGeometry(0, 0, 1, 1);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        QPalette palette = line->palette();
        palette.setColor(QPalette::WindowText, Qt::transparent);
        line->setPalette(palette);
        line->show();
    }
    line->setText(text);
    QAccessibleEvent alert(line, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

void installKeyboardAccess()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(pictureControlFactory);
    new FocusRingKeeper(qApp);
}

}
