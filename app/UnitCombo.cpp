// SPDX-License-Identifier: MIT
#include "app/UnitCombo.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>

UnitCombo::UnitCombo(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, &UnitCombo::onActivated);
    connect(lineEdit(), &QLineEdit::textEdited, this, &UnitCombo::onTextEdited);
}

void UnitCombo::setItemIndex(int index) {
    m_index = (index >= 0 && index < count()) ? index : -1;
    const QSignalBlocker block(this);
    // Rewrites the text even when the index stays, and clears it for -1.
    setCurrentIndex(m_index);
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

void UnitCombo::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QScopedValueRollback<bool> committing(m_committingText, enter);
    QComboBox::keyPressEvent(event);
}

void UnitCombo::focusOutEvent(QFocusEvent* event) {
    const QScopedValueRollback<bool> committing(m_committingText, true);
    QComboBox::focusOutEvent(event);
}

void UnitCombo::followTypedText() {
    QLineEdit* edit = lineEdit();
    const QString text = edit->text();
    const int cursor = edit->cursorPosition();
    const QSignalBlocker blockCombo(this);
    const QSignalBlocker blockEdit(edit);
    setCurrentIndex(m_index); // writes the item's text, which the user did not type
    if (edit->text() != text) {
        edit->setText(text);
        edit->setCursorPosition(cursor);
    }
}

void UnitCombo::onActivated(int index) {
    // On Return and when focus leaves, Qt selects the item the text names:
    // typing has already selected it, so that is no change of the unit.
    if (m_committingText)
        return;
    m_index = index;
    emit unitChanged();
}

void UnitCombo::onTextEdited(const QString& text) {
    m_index = indexForText(text);
    followTypedText();
    emit unitChanged();
}
