// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ui/application.h"

#include "app/ui/errorguard.h"

#include <QtWidgets/QWidget>

#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

// Where Qt's translations may be: Qt's own place first, then where Debian puts them.
QStringList translationFolders()
{
    return {QLibraryInfo::path(QLibraryInfo::TranslationsPath), u"/usr/share/qt6/translations"_s};
}

}

Rk25Application::Rk25Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(ui::applicationTitle());
    setApplicationDisplayName(ui::applicationTitle());
    // Every text of the application is Japanese, so Qt's are too, not the system's language.
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    for (const QString &folder : translationFolders()) {
        if (m_qtTexts.load(japanese, u"qtbase"_s, u"_"_s, folder)) {
            m_qtTextsLoaded = installTranslator(&m_qtTexts);
            break;
        }
    }
}

bool Rk25Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        ui::showUnexpectedFailure(activeWindow(), ui::messageOf(e));
    } catch (...) {
        ui::showUnexpectedFailure(activeWindow(), u"思いがけないエラーが起きました"_s);
    }
    return false;
}
