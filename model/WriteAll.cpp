// SPDX-License-Identifier: MIT
#include "model/WriteAll.h"

#include <QIODevice>

bool WriteAll(QIODevice& device, const QByteArray& data) {
    qint64 written = 0;
    while (written < data.size()) {
        const qint64 step = device.write(data.constData() + written, data.size() - written);
        if (step <= 0)
            return false;
        written += step;
    }
    return true;
}
