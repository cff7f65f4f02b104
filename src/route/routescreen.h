// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtWidgets/QWidget>

#include "app/report/reportsource.h"
#include "app/settings/settingsreader.h"
#include "app/ui/workingscreen.h"
#include "transfer/transfer.h"
#include "route/floorlayout.h"
#include "route/routemodel.h"
#include "route/routescreenmodel.h"

class RouteFloorView;
class QLabel;
class QPlainTextEdit;
class QScrollArea;

// TForm10: route programming, STEP5. The pupil clicks a route on the floor, point by point in
// eight directions; every segment becomes program text at once (RouteModel). Cones are only
// scenery. The route lives here; the floor view only shows it.
class RouteScreen : public WorkingScreen, public ReportSource, public SettingsReader
{
    Q_OBJECT
public:
    // The mode of the floor, kept in the Tag of Image1.
    using RouteMode = RouteScreenModel::Mode;
    static constexpr RouteMode Idle = RouteScreenModel::Idle;
    static constexpr RouteMode PlacingObstacles = RouteScreenModel::PlacingObstacles;
    static constexpr RouteMode Drawing = RouteScreenModel::Drawing;

    explicit RouteScreen(const RobotLink &link);
    ~RouteScreen() override;

    QString helpPage() const override;
    int reportTag() const override;
    void fillReportListing(ReportInput *input) const override;

    const RouteModel &route() const { return m_model.route; }
    RouteMode routeMode() const { return m_model.mode; }
    int zoom() const { return m_zoom; }
    bool how() const { return m_how; }
    const QList<QPoint> &obstacles() const { return m_model.obstacles; }
    RouteFloorView *floor() const { return m_floor; }
    QScrollArea *scrollBox() const { return ScrollBox1; }

    // The rubber band's snapped target, in pixels of the floor.
    QPoint target() const { return m_target; }

    // The route file behind Save and Read (also Ctrl+S, Ctrl+O).
    void SaveClick();
    void ReadClick();

    // The start mode decides the line limit: read again when the settings are accepted.
    void settingsAccepted() override;

    // One step back or forward in the history of route and cones (Ctrl+Z, Ctrl+Y / Ctrl+Shift+Z).
    void undo();
    void redo();
    bool canUndo() const { return m_model.canUndo(); }

signals:
    void reportRequested();

protected:
    bool mayLeave() override;
    void programLeft() override;
    void naviClick() override;
    void showEvent(QShowEvent *event) override;
    QStringList recoveryLines() const override;
    bool restoreRecovery(const QStringList &lines) override;

private:
    // After every change of route or cones: a step of the history and the recovery copy.
    void recordChange();
    // Shows the model after a step of the history; wasPlacing: cones were being placed before.
    void showState(bool wasPlacing);
    void forgetHistory();

    void createControls();
    void createCommandButtons();

    void FormShow();
    void Image1MouseDown(QPoint pixel, Qt::MouseButton button);
    void Image1MouseMove(QPoint pixel);
    void startRoute(QPoint pixel);
    void addPoint(bool finish);
    void addObstacle(QPoint pixel);

    void sendClick();
    // ためす: the program on the floor inside the program, the running part lit here.
    void trialClick();
    void playClick();
    void ReportClick();
    void One_DeleteClick();
    void All_DeleteClick();
    void s_insertClick();
    void s_deleteClick();
    void largeClick();
    void smallClick();
    void changeZoom(int zoom);

    // Clearing the route (All_Delete, leaving, reading a file): the obstacles stay.
    void clearRoute();
    // A route file's lines as the screen's route, or the box that says why not.
    void showReadFile(const QStringList &lines);
    // A route read from a file or a recovery copy, open for drawing when it holds one.
    void showReadRoute(const RouteModel &read, bool hasRoute);
    void setMode(RouteMode mode);
    void setPlacingButtons(bool placing);
    void leavePlacingObstacles();
    // Repaints the floor from the data; the floor is disabled under a finished route.
    void redraw();
    void showLists();
    QPoint lastPointPixels() const;
    bool routeShown() const;
    bool routeFinished() const;

    RobotLink m_link;
    RouteScreenModel m_model;
    int m_zoom = FLOOR_MIN_ZOOM;
    bool m_how = true;
    // The segment start and the band's snapped target, in pixels.
    QPoint m_segmentStart;
    QPoint m_target;
    // After a deletion or zoom change the band is gone until the pointer moves again.
    bool m_erasePending = false;

    QScrollArea *ScrollBox1 = nullptr;
    RouteFloorView *m_floor = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label5 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPlainTextEdit *Memo2 = nullptr;
    PictureButton *send = nullptr;
    PictureButton *play = nullptr;
    PictureButton *trial = nullptr;
    PictureButton *Report = nullptr;
    PictureButton *One_Delete = nullptr;
    PictureButton *All_Delete = nullptr;
    PictureButton *s_insert = nullptr;
    PictureButton *s_delete = nullptr;
    PictureButton *large = nullptr;
    PictureButton *small = nullptr;
    PictureButton *Read = nullptr;
    PictureButton *Save = nullptr;
};
