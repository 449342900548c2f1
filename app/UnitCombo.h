// SPDX-License-Identifier: MIT
#pragma once

#include <QComboBox>

// An editable combo whose selected index means what the unit logic needs:
// the item the user picked or typed, and -1 after text that names no item.
// Qt keeps its own current index while the user types, so the combo moves it
// to the typed item itself: keys, wheel and list then go on from there.
// unitChanged() is raised by user actions only (picking an item, typing);
// setItemIndex() from code raises nothing.
class UnitCombo : public QComboBox {
    Q_OBJECT
public:
    explicit UnitCombo(QWidget* parent = nullptr);

    int itemIndex() const { return m_index; }
    // Selects an item from code and writes its text (-1 clears it); silent.
    void setItemIndex(int index);

    // The item a typed text names: an exact or prefix match, ignoring case;
    // -1 when it names none.
    int indexForText(const QString& text) const;

signals:
    void unitChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void onActivated(int index);
    void onTextEdited(const QString& text);
    // Moves Qt's current index to itemIndex(), keeping the text as typed.
    void followTypedText();

    int m_index = -1;
    // Set while Return or leaving the field commits the typed text.
    bool m_committingText = false;
};
