// File-name proposals of the open and save dialogs.
#pragma once

#include <QString>

// path with the part of its file name from the last dot on replaced by extension (".DIS1");
// a name without a dot gets the extension appended, an empty path gives the bare extension.
QString withExtension(const QString &path, const QString &extension);
