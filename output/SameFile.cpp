// SPDX-License-Identifier: MIT
#include "output/SameFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

constexpr int kMaxLinks = 40; // as many as the kernel follows

// Where writing path lands: its links followed, its folder made canonical.
QString Landing(const QString& path) {
    QString p = QFileInfo(path).absoluteFilePath();
    for (int i = 0; i < kMaxLinks && QFileInfo(p).isSymLink(); ++i)
        p = QFileInfo(p).symLinkTarget();
    const QFileInfo info(p);
    const QString folder = info.absoluteDir().canonicalPath();
    return QDir::cleanPath((folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') +
                           info.fileName());
}

} // namespace

bool SameFile(const QString& a, const QString& b) {
    if (Landing(a) == Landing(b))
        return true;
    struct stat sa {};
    struct stat sb {};
    return stat(QFile::encodeName(a).constData(), &sa) == 0 &&
           stat(QFile::encodeName(b).constData(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}
