#include "app/RadioGroup.h"

#include <QButtonGroup>
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
        if (m_group->id(button) == -1)
            m_group->addButton(button, m_group->buttons().size());
}

int RadioGroup::itemIndex() const {
    return m_group->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* b = m_group->button(index))
        b->setChecked(true);
}

