// SPDX-License-Identifier: MIT
#pragma once

#include <QGroupBox>

class QButtonGroup;

// A titled group of radio items whose selected index is the value; the items
// are the group's QRadioButton children, in their creation order. The group is
// one tab stop, its checked item; the arrow keys select the item beside it.
class RadioGroup : public QGroupBox {
    Q_OBJECT
public:
    explicit RadioGroup(QWidget* parent = nullptr);

    // Takes the group's QRadioButton children as its items, in creation order.
    void collectItems();

    int itemIndex() const;
    void setItemIndex(int index);

signals:
    // The user selected an item.
    void itemClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QButtonGroup* m_group;
};
