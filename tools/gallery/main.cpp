#include "ModelConfiguration.h"
#include "ModelContainer.h"
#include "Preferences.h"
#include "QmlEngineSetup.h"
#include "StoreStatus.h"
#include "TaskStore.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QTemporaryDir>
#include <QUrl>
#include <QVariant>
#include <memory>

// Renders the controls and rows in each of their states, light and dark, to
// PNG files in the folder given as the only argument (see scripts/gallery.sh).
int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        qCritical("usage: ordlen_gallery <output folder>");
        return 2;
    }

    // The rows show tasks from a store of their own, in memory.
    QTemporaryDir preferencesDir;
    Preferences preferences(preferencesDir.filePath(QStringLiteral("prefs.conf")));
    const std::unique_ptr<ModelContainer> container = ModelContainer::open(ModelConfiguration::inMemory());
    TaskStore store(container->mainContext(), &preferences);
    QQmlEngine::setObjectOwnership(&store, QQmlEngine::CppOwnership);
    // What the app reports when its store file could not be opened.
    StoreStatus unsaved(false, QStringLiteral("file is not a database"));
    QQmlEngine::setObjectOwnership(&unsaved, QQmlEngine::CppOwnership);

    QQmlApplicationEngine engine;
    QmlEngineSetup::configure(engine);
    engine.setInitialProperties({
        {QStringLiteral("store"), QVariant::fromValue(&store)},
        {QStringLiteral("unsavedStatus"), QVariant::fromValue(&unsaved)},
        {QStringLiteral("outputDir"), arguments.at(1)},
    });
    engine.load(QUrl(QStringLiteral("qrc:/OrdlenGallery/Gallery.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    return QGuiApplication::exec();
}
