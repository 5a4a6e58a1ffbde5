#pragma once
// The mouse on the plots of the view. The left button draws a profile line
// across the main plot (a rubber band while the button is held), and with a
// profile shown sets its reference level or closes it; the right button
// marks the station nearest the pointer and shows its values in the status
// bar, with Shift it opens the station's Data Properties dialog.
//
// The object watches the view's viewport as an event filter. The station
// mark and the rubber band are drawn into the view's back buffer between
// paints, and only the touched rectangle is shown again.

#include "interaction/PointerNavigation.h"
#include "plot/ViewState.h"

#include <QElapsedTimer>
#include <QEvent>
#include <cstdint>

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QString>
#include <functional>
#include <string>

class CDC;
class CTESKAdatDoc;
class CTESKAdatView;

// Buttons and keys held at a mouse event.
struct MouseKeys {
    bool left = false;
    bool right = false;
    bool shift = false;
};

class CViewInteraction : public QObject {
    Q_OBJECT
public:
    // Starts watching the mouse on `view`, which must outlive this object.
    explicit CViewInteraction(CTESKAdatView& view, QObject* parent = nullptr);
    ~CViewInteraction() override;

    // The status bar: a text in its message pane, or the idle message back.
    std::function<void(const QString& text)> setStatusText;
    std::function<void()> showIdleMessage;
    // The status bar's hover pane: position and value under the pointer while
    // no button is held; an empty text clears it.
    std::function<void(const QString& text)> setHoverText;
    // Runs a command of the window (magnify and shrink for Ctrl+wheel).
    std::function<bool(int id)> runCommand;

    // Shows the easting and northing of a point in plot units.
    void showPositionReadout(IntPoint point);
    // Removes the station mark, then marks the station nearest to `pointer`
    // (client pixels) and shows its values. Returns its document index, or
    // -1 (idle message, no mark) when `eraseOnly` is set, the pointer lies
    // more than 4 plot units outside the main plot or there is no station.
    int inspectStation(QPoint pointer, bool eraseOnly);
    // Runs the Data Properties dialog of one station and applies the result.
    void editStationProperties(int index);
    // The hover pane's text for the pointer at `pointer` (client pixels):
    // easting, northing and the value interpolated on the map plot under it;
    // empty beside the maps. Draws nothing.
    QString hoverText(QPoint pointer);
    // Abandons a profile line being drawn (its rubber band goes); false
    // when no line was being drawn.
    bool cancelLine();
    // Ctrl+wheel: magnify (steps > 0) or shrink, keeping the plot point under
    // `pointer` there as far as the scroll range allows.
    void zoomAt(QPoint pointer, int steps);

    // The mouse handlers; `pointer` in client pixels of the viewport.
    void OnLButtonDown(MouseKeys keys, QPoint pointer);
    void OnLButtonUp(MouseKeys keys, QPoint pointer);
    void OnMouseMove(MouseKeys keys, QPoint pointer);
    void OnRButtonDown(MouseKeys keys, QPoint pointer);
    void OnRButtonUp(MouseKeys keys, QPoint pointer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // True (and the window activated) when a press only activates the window.
    bool activateWindowFirst();
    // Follow the window's activation, to recognise a press that a window
    // manager let activate the window before it passed the press on.
    void noteActivation(bool active);
    bool dataReady() const;
    bool secondIsMap() const;
    IntPoint toPlotUnits(QPoint pointer) const;
    // The device rectangle of the main plot with its axes at the current mapping.
    QRect mainPlotDeviceRect() const;

    int nearestStation(IntPoint p) const;
    IntPoint plotPosition(int index) const;
    std::string stationText(int index) const;
    // Inverts the 8 by 8 mark at `at`, in the main plot and a map second plot.
    void invertMark(IntPoint at);

    void startLine(IntPoint p);
    void clickBesideMainPlot(IntPoint p);
    IntPoint fitIntoMainPlot(IntPoint end) const;
    // Draws a line in the context's not-XOR mode (twice removes it); returns
    // the device pixels it may have touched.
    static QRect xorLine(CDC& dc, IntPoint from, IntPoint to);
    void eraseRubberBand();

    // Opens the Data Properties dialog once per right-button gesture, then
    // removes the mark.
    void editOnce(int index, QPoint pointer);
    void changeError(int index, double error);

    void setStatus(const std::string& text);
    void idle();
    void hover(QPoint pointer);
    bool wheel(const class QWheelEvent& event);
    bool pan(QEvent::Type type, const class QMouseEvent& event);
    AxisMapping horizontalMapping() const;
    AxisMapping verticalMapping() const;

    CTESKAdatView& m_view;
    CTESKAdatDoc& m_doc;
    QObject* m_viewport;            // the watched widget, compared only
    IntPoint m_lineStart;           // A, the press point of the line being drawn
    IntPoint m_rubberEnd;           // free end of the rubber band on the screen (mouseMode 2)
    bool m_editedInGesture = false; // the dialog was shown since the right press
    int32_t m_hoverStart = 1;       // where the hover readout's next search starts
    int32_t m_hoverMaskStart = 1;   // the same for its mask test
    int m_wheelRest = 0;            // Ctrl+wheel angle not yet a whole notch
    QPointF m_wheelPixelRest;       // wheel scrolling not yet a whole pixel
    bool m_panning = false;         // the middle button drags the canvas
    QPoint m_panPointer, m_panScroll;
    // Activation from another application (not back from a dialog of ours),
    // running since the window became active; invalid once a press came.
    QElapsedTimer m_activatedFromOutside;
    bool m_inactiveForOtherApplication = false; // last deactivated for another application
};
