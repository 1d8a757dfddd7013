#include "ui/main/file_names.h"

QString withExtension(const QString &path, const QString &extension) {
    const qsizetype nameStart = path.lastIndexOf('/') + 1;
    const qsizetype dot = path.lastIndexOf('.');
    if (dot < nameStart)
        return path + extension;
    return path.left(dot) + extension;
}
