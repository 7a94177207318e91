#include "ModelContainer.h"
#include "StorageBootstrap.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ordlen"));
    auto container = StorageBootstrap::makeModelContainer();
    return 0;
}
