// SPDX-License-Identifier: MIT
#include "targets/MarkerDictionary.h"

#include "targets/MarkerTable.h"

#include <vector>

namespace {

const QString kPrefix = QStringLiteral("DICT_");

const std::vector<MarkerDictionary>& Dictionaries() {
    static const std::vector<MarkerDictionary> all = [] {
        std::vector<MarkerDictionary> list;
        for (int i = 0; i < kMarkerTableCount; ++i) {
            const MarkerTableEntry& e = kMarkerTable[i];
            const MarkerCodeSet& set = kMarkerCodeSets[e.codeSet];
            list.push_back({QString::fromLatin1(e.name), set.markerBits, e.count, set.codes});
        }
        return list;
    }();
    return all;
}

} // namespace

const MarkerDictionary* FindDictionary(const QString& name) {
    QString wanted = name.trimmed();
    if (!wanted.startsWith(kPrefix, Qt::CaseInsensitive))
        wanted.prepend(kPrefix);
    for (const MarkerDictionary& d : Dictionaries())
        if (d.name.compare(wanted, Qt::CaseInsensitive) == 0)
            return &d;
    return nullptr;
}

QStringList DictionaryNames() {
    QStringList names;
    for (const MarkerDictionary& d : Dictionaries())
        names << d.name;
    return names;
}
