// SPDX-License-Identifier: MIT
#pragma once

#include <QFileIconProvider>

// Icons and type names for a file dialog from a file's name and kind alone,
// never from its content: Qt's own provider reads a file to tell its type, in
// the window's thread, and a file that never ends (/proc/kmsg) would hang the
// window as soon as the dialog shows its folder.
class PlainIconProvider : public QFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override;
    QString type(const QFileInfo& info) const override;
    using QFileIconProvider::icon;
};
