// SPDX-License-Identifier: MIT
#include "targets/TargetKindName.h"

namespace {

struct KindKey {
    TargetKind kind;
    const char* key;
};

const KindKey kKeys[] = {
    {TargetKind::Checkerboard, "checkerboard"}, {TargetKind::Charuco, "charuco"},
    {TargetKind::Circles, "circles"},           {TargetKind::AsymmetricCircles, "acircles"},
    {TargetKind::AprilGrid, "aprilgrid"},
};

} // namespace

QString TargetKindKey(TargetKind kind) {
    for (const KindKey& k : kKeys)
        if (k.kind == kind)
            return QString::fromLatin1(k.key);
    return QString();
}

bool TargetKindFromKey(const QString& key, TargetKind& kind) {
    for (const KindKey& k : kKeys)
        if (key.trimmed().compare(QLatin1String(k.key), Qt::CaseInsensitive) == 0) {
            kind = k.kind;
            return true;
        }
    return false;
}

QStringList TargetKindKeys() {
    QStringList keys;
    for (const KindKey& k : kKeys)
        keys << QString::fromLatin1(k.key);
    return keys;
}
