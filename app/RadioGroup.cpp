// SPDX-License-Identifier: MIT
#include "app/RadioGroup.h"

#include <QButtonGroup>
#include <QKeyEvent>
#include <QRadioButton>

RadioGroup::RadioGroup(QWidget* parent) : QGroupBox(parent), m_group(new QButtonGroup(this)) {
    m_group->setExclusive(true);
    connect(m_group, &QButtonGroup::idToggled, this, [this](int, bool checked) {
        if (checked)
            emit itemClicked();
    });
}

void RadioGroup::collectItems() {
    const auto buttons = findChildren<QRadioButton*>(QString(), Qt::FindDirectChildrenOnly);
    for (QRadioButton* button : buttons)
        if (m_group->id(button) == -1) {
            m_group->addButton(button, m_group->buttons().size());
            button->installEventFilter(this);
        }
    // The group is one tab stop, its checked item; Qt moves that stop to
    // whichever item gets the focus later.
    for (QAbstractButton* b : m_group->buttons())
        b->setFocusPolicy(b->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

int RadioGroup::itemIndex() const {
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* b = m_group->button(index))
        b->setChecked(true);
}

bool RadioGroup::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    int step = 0;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        step = -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        step = 1;
        break;
    default:
        return false;
    }
    // The arrows select the neighbouring item, round the group, as a click does.
    const int count = int(m_group->buttons().size());
    const int next = (m_group->id(static_cast<QAbstractButton*>(watched)) + step + count) % count;
    QAbstractButton* b = m_group->button(next);
    b->setFocus(Qt::TabFocusReason);
    b->click();
    return true;
}
