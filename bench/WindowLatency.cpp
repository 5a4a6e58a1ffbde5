// window_latency FILE: the main window on the survey in FILE, shown on the
// display the platform gives (run it under Xvfb with QT_QPA_PLATFORM=xcb),
// and the time from an input event to the end of the paints it causes, for
// one magnify step, one wheel notch of scrolling, and the release of a
// profile drag. Prints one row of median milliseconds; `--header` prints
// the column names. The start-up notice is not shown; messages go to
// standard error.

#include "app/BatchInfo.h"
#include "app/CMainFrame.h"
#include "app/CommandLine.h"
#include "data/CTESKAdatDoc.h"
#include "platform/Resource.h"
#include "plot/CTESKAdatView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScrollBar>
#include <QThread>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Counts the paints of the view's window.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Milliseconds from `input` until its paints are done: the event queue is
// run until a paint has happened and nothing more is pending.
double latency(PaintCounter& counter, const std::function<void()>& input) {
    QApplication::processEvents();
    const int before = counter.paints;
    QElapsedTimer timer;
    timer.start();
    input();
    for (int round = 0; round < 1000 && (counter.paints == before || round < 2); ++round)
        QApplication::processEvents(QEventLoop::AllEvents);
    const double elapsed = timer.nsecsElapsed() / 1e6;
    return counter.paints == before ? -1 : elapsed; // -1: nothing was painted
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the event queue for about `ms` milliseconds.
void settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
    }
}

void mouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void wheel(QWidget* target, int notches) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string(argv[1]) == "--header") {
        std::printf("%-9s %9s %9s %9s %9s\n", "stations", "magnify", "scroll", "release", "window");
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_latency FILE | --header\n");
        return 2;
    }
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const CommandLine line = parseCommandLine({argv[1]});
    CTESKAdatDoc doc;
    doc.OnNewDocument();
    CMainFrame frame(doc);
    if (!openFromCommandLine(doc, line))
        return 1;
    // Shown at the size the load fitted it to; the magnify steps below fit
    // it to the canvas again, which at magnification 1 is larger than the
    // screen, so the window is measured at the screen's size (without a
    // window manager a maximised frame would keep the small start-up size).
    frame.show();
    for (int wait = 0; wait < 100 && !(frame.windowHandle() && frame.windowHandle()->isExposed());
         ++wait)
        settle(50);
    CTESKAdatView& view = frame.view();
    QWidget* window = view.viewport();
    PaintCounter counter;
    window->installEventFilter(&counter);
    settle(300);

    const int runs = 7;
    std::vector<double> magnify, scroll, release;
    // Magnified until the canvas is larger than the window, so that there is room to scroll.
    while (view.magnification < 1)
        frame.commands().execute(ID_VIEW_MAGNIFY);
    settle(200);
    for (int i = 0; i < runs; ++i) {
        magnify.push_back(latency(counter, [&] { frame.commands().execute(ID_VIEW_MAGNIFY); }));
        latency(counter, [&] { frame.commands().execute(ID_VIEW_SHRINK); });
    }
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    settle(100);
    for (int i = 0; i < runs; ++i)
        scroll.push_back(latency(counter, [&] { wheel(window, i % 2 == 0 ? -1 : 1); }));
    view.verticalScrollBar()->setValue(0);
    view.horizontalScrollBar()->setValue(0);
    for (int i = 0; i < runs; ++i) {
        const QRect plot(view.mainPlotDeviceRect.left, view.mainPlotDeviceRect.top,
                         view.mainPlotDeviceRect.right - view.mainPlotDeviceRect.left,
                         view.mainPlotDeviceRect.bottom - view.mainPlotDeviceRect.top);
        const QPoint a = plot.center() - QPoint(plot.width() / 4, 0);
        const QPoint b = a + QPoint(plot.width() / 3, (i % 3) * 10);
        mouse(window, QEvent::MouseButtonPress, a, Qt::LeftButton);
        mouse(window, QEvent::MouseMove, b, Qt::LeftButton);
        release.push_back(
            latency(counter, [&] { mouse(window, QEvent::MouseButtonRelease, b, Qt::NoButton); }));
    }
    std::printf("%-9d %9.1f %9.1f %9.1f %4dx%-4d\n", doc.count, median(magnify), median(scroll),
                median(release), window->width(), window->height());
    return 0;
}
