// Scrolling the real panel through 10,000 tasks (3 subtasks each, in three
// workspaces) offscreen with the software renderer, one frame per step of a
// scripted flick, beside the same flick through a bare ListView of 10,000
// plain text lines in a window of the same size. Prints the 99th-percentile
// frame time and the resident memory after the flick against before it.
#include "BenchReporter.h"
#include "BenchStores.h"
#include "LaunchAtLoginService.h"
#include "ModelContainer.h"
#include "ModelContext.h"
#include "PanelPreferences.h"
#include "Preferences.h"
#include "QmlEngineSetup.h"
#include "StoreStatus.h"
#include "SubTaskItem.h"
#include "TaskItem.h"
#include "TaskListModel.h"
#include "TaskStore.h"
#include "XdgAutostartBackend.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <memory>
#include <vector>

using namespace BenchStores;

namespace {

constexpr int listTasks = 10000;
// A fast flick: this many points per frame, from the top to the end.
constexpr qreal pointsPerFrame = 240;

struct Flight
{
    double p99Ms = NAN;
    double megabytesBefore = NAN;
    double megabytesAfter = NAN;
    int frames = 0;
};

// The list view in the window: the first ListView that can scroll.
QQuickItem *scrollingList(QQuickItem *item)
{
    if (!item)
        return nullptr;
    if (item->inherits("QQuickListView") && item->property("contentHeight").toReal() > item->height())
        return item;
    for (QQuickItem *child : item->childItems()) {
        if (QQuickItem *found = scrollingList(child))
            return found;
    }
    return nullptr;
}

// Resident memory once the JavaScript heap is collected and freed memory is
// handed back: what stays is what the view holds on to.
double settledMegabytes(QQuickView &view)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    view.engine()->collectGarbage();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    malloc_trim(0);
    return residentMegabytes();
}

// Renders one frame at each step of the flick; the times are those of the
// whole frame: polish (delegates made and dropped), sync and render.
Flight fly(QQuickView &view)
{
    Flight flight;
    view.grabWindow(); // the first frame builds the visible rows
    QQuickItem *list = scrollingList(view.rootObject());
    if (!list) {
        std::fprintf(stderr, "bench: no scrolling list in the window\n");
        return flight;
    }
    flight.megabytesBefore = settledMegabytes(view);
    std::vector<double> times;
    QElapsedTimer clock;
    const qreal end = list->property("contentHeight").toReal() - list->height();
    for (qreal y = 0; y < end; y += pointsPerFrame) {
        clock.start();
        list->setProperty("contentY", y + list->property("originY").toReal());
        view.grabWindow();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
        // Rows scrolled away are deleted later, as the event loop would.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    flight.frames = int(times.size());
    flight.megabytesAfter = settledMegabytes(view);
    std::sort(times.begin(), times.end());
    if (!times.empty())
        flight.p99Ms = times[std::min(times.size() - 1, size_t(double(times.size()) * 0.99))];
    return flight;
}

Flight flyThroughPanel()
{
    QTemporaryDir preferencesDir;
    Preferences preferences(preferencesDir.filePath(QStringLiteral("scroll.conf")));
    const std::unique_ptr<ModelContainer> container = ModelContainer::open(ModelConfiguration::inMemory());
    ModelContext *context = container->mainContext();
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QStringList workspaces{QStringLiteral("Personal"), QStringLiteral("Work"), QStringLiteral("Home")};
    for (int i = 0; i < listTasks; ++i) {
        auto *task = new TaskItem(QUuid::createUuid(), QStringLiteral("Task %1: tidy the garden shed").arg(i),
                                  false, now, QString(), i, workspaces.at(i % 3));
        for (int s = 0; s < 3; ++s)
            task->appendSubtask(
                new SubTaskItem(QUuid::createUuid(), QStringLiteral("Step %1").arg(s), false, now, s));
        context->insert(task);
    }
    context->save();
    TaskStore store(context, &preferences);
    TaskListModel list(&store);
    StoreStatus saved(true, QString());
    PanelPreferences panelPreferences(&preferences);
    LaunchAtLoginService loginItems(std::make_unique<XdgAutostartBackend>(
        preferencesDir.filePath(QStringLiteral("autostart")), QCoreApplication::applicationFilePath()));
    for (QObject *shared : std::initializer_list<QObject *>{&store, &list, &panelPreferences, &loginItems})
        QQmlEngine::setObjectOwnership(shared, QQmlEngine::CppOwnership);

    QQuickView view;
    QmlEngineSetup::configure(*view.engine());
    view.setInitialProperties({
        {QStringLiteral("taskStore"), QVariant::fromValue(&store)},
        {QStringLiteral("taskList"), QVariant::fromValue(&list)},
        {QStringLiteral("storeStatus"), QVariant::fromValue(&saved)},
        {QStringLiteral("panelPreferences"), QVariant::fromValue(&panelPreferences)},
        {QStringLiteral("loginItems"), QVariant::fromValue(&loginItems)},
        {QStringLiteral("isPanelLoaded"), true},
    });
    view.setSource(QUrl(QStringLiteral("qrc:/Ordlen/MenuBarView.qml")));
    if (view.status() != QQuickView::Ready) {
        std::fprintf(stderr, "bench: the panel did not load\n");
        return {};
    }
    view.resize(408, 476);
    view.show();
    return fly(view);
}

Flight flyThroughBareList()
{
    QQuickView view;
    view.setResizeMode(QQuickView::SizeRootObjectToView);
    view.setSource(QUrl(QStringLiteral("qrc:/bench/BareList.qml")));
    if (view.status() != QQuickView::Ready) {
        std::fprintf(stderr, "bench: the bare list did not load\n");
        return {};
    }
    view.resize(408, 476);
    view.show();
    return fly(view);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    QGuiApplication app(argc, argv);

    const Flight ours = flyThroughPanel();
    const Flight bare = flyThroughBareList();
    std::fprintf(stderr, "  panel: %d frames, bare list: %d frames\n", ours.frames, bare.frames);
    bool complete = BenchReporter::printFigure("scroll.frame_p99.10k", ours.p99Ms, "ms", bare.p99Ms);
    // Target: after the flick within 10 % of before.
    complete = BenchReporter::printFigure("scroll.memory_after.10k", ours.megabytesAfter, "MB",
                                          ours.megabytesBefore) &&
               complete;
    return complete ? 0 : 1;
}
