// The program's icon: a decaying discharge current and the peak of its signal.
#pragma once

#include <QIcon>
#include <QPixmap>

// Every size, for the application's windows.
QIcon programIcon();
// The 32 x 32 picture of the version dialog.
QPixmap programIconPicture();
// Registers the help resources (icon and manual pages); the windows of this folder call it
// themselves, so others need it only for the icon alone.
void initHelpResources();
