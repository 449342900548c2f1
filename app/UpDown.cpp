// SPDX-License-Identifier: MIT
#include "app/UpDown.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QWheelEvent>

UpDown::UpDown(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setAutoRepeat(true);
    }
    m_up->setObjectName("up");
    m_down->setObjectName("down");
    connect(m_up, &QToolButton::clicked, this, [this] { step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
    setFocusPolicy(Qt::NoFocus);
}

void UpDown::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    m_up->setGeometry(0, 0, width(), half);
    m_down->setGeometry(0, half, width(), height() - half);
}

void UpDown::setAssociate(QLineEdit* edit) {
    if (m_edit)
        m_edit->removeEventFilter(this);
    m_edit = edit;
    if (m_edit)
        m_edit->installEventFilter(this);
}

bool UpDown::parseCount(const QString& text, int min, int max, int& value) {
    int i = 0;
    const int n = text.size();
    while (i < n && text[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    if (i == n)
        return false;
    // Accumulate with a ceiling so that any number of digits is safe.
    long long magnitude = 0;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        if (magnitude <= 1000000)
            magnitude = magnitude * 10 + (c.unicode() - '0');
    }
    const long long v = negative ? -magnitude : magnitude;
    if (v < min || v > max)
        return false;
    value = int(v);
    return true;
}

int UpDown::position() const {
    int value = 0;
    if (m_edit && parseCount(m_edit->text(), m_min, m_max, value))
        m_position = value;
    return m_position;
}

void UpDown::setPosition(int value) {
    if (value < m_min)
        value = m_min;
    if (value > m_max)
        value = m_max;
    m_position = value;
    const QString text = QString::number(value);
    if (m_edit && m_edit->text() != text)
        m_edit->setText(text);
}

void UpDown::step(int delta) {
    const int current = position();
    const int next = current + delta;
    if (next < m_min || next > m_max)
        return; // at a limit nothing is written
    setPosition(next);
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit) {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
                step(key->key() == Qt::Key_Up ? +1 : -1);
                return true;
            }
        } else if (event->type() == QEvent::Wheel) {
            wheelEvent(static_cast<QWheelEvent*>(event));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDown::wheelEvent(QWheelEvent* event) {
    const int dy = event->angleDelta().y();
    if (dy != 0)
        step(dy > 0 ? +1 : -1);
    event->accept();
}
