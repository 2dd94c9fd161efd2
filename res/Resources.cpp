#include "Resources.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE must not be used inside a namespace.
static void initImages()
{
    Q_INIT_RESOURCE(images);
}

void qmel::initResources()
{
    initImages();
}
