// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QApplication>

#include <QTranslator>

// The application object: it sets the title, gives Qt's own texts (file dialogues, standard
// buttons, the editor's context menu) in Japanese whatever the system's language, and catches
// the failures that no handler guard caught, ending only the current event and telling the
// user in the unexpected-failure box.
class Rk25Application : public QApplication
{
    Q_OBJECT
public:
    Rk25Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // False when Qt's Japanese texts could not be found (they then stay in English).
    bool hasJapaneseQtTexts() const { return m_qtTextsLoaded; }

private:
    QTranslator m_qtTexts;
    bool m_qtTextsLoaded = false;
};
