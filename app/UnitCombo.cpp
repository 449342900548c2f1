#include "app/UnitCombo.h"

#include <QLineEdit>
#include <QSignalBlocker>

UnitCombo::UnitCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, &UnitCombo::onActivated);
    connect(lineEdit(), &QLineEdit::textEdited, this, &UnitCombo::onTextEdited);
}

void UnitCombo::setItemIndex(int index) {
    if (index == m_index)
        return;
    m_index = index;
    const QSignalBlocker block(this);
    if (index >= 0 && index < count()) {
        setCurrentIndex(index);
        setEditText(itemText(index));
    } else {
        setCurrentIndex(-1);
        clearEditText();
    }
}

int UnitCombo::indexForText(const QString& text) const {
    if (text.isEmpty())
        return -1;
    for (int i = 0; i < count(); ++i)
        if (itemText(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    for (int i = 0; i < count(); ++i)
        if (itemText(i).startsWith(text, Qt::CaseInsensitive))
            return i;
    return -1;
}

void UnitCombo::onActivated(int index) {
    m_index = index;
    emit unitChanged();
}

void UnitCombo::onTextEdited(const QString& text) {
    m_index = indexForText(text);
    emit unitChanged();
}
