#include "ui/help/program_icon.h"

#include <QDir>

// The resources live in a static library, so they are registered by hand.
static void registerHelpResources() { Q_INIT_RESOURCE(help); }

void initHelpResources() {
    static const bool registered = (registerHelpResources(), true);
    (void)registered;
}

QIcon programIcon() {
    initHelpResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/kest/icons/kest_%1.png").arg(size), QSize(size, size));
    return icon;
}

QPixmap programIconPicture() {
    initHelpResources();
    return QPixmap(QStringLiteral(":/kest/icons/kest_32.png"));
}
