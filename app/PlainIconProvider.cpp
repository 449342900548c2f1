// SPDX-License-Identifier: MIT
#include "app/PlainIconProvider.h"

#include <QMimeDatabase>

QIcon PlainIconProvider::icon(const QFileInfo& info) const {
    return icon(info.isDir() ? Folder : File);
}

QString PlainIconProvider::type(const QFileInfo& info) const {
    if (!info.isFile())
        return QFileIconProvider::type(info); // a folder or a device: from its kind alone
    return QMimeDatabase().mimeTypeForFile(info, QMimeDatabase::MatchExtension).comment();
}
