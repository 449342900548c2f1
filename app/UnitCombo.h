#pragma once

#include <QComboBox>

// An editable combo whose selected index means what the unit logic needs:
// the item the user picked or typed, and -1 after text that names no item.
// Qt's own current index is not used for that, since it keeps its value while
// the user types. unitChanged() is raised by user actions only (picking an
// item, typing); setItemIndex() from code raises nothing.
class UnitCombo : public QComboBox {
    Q_OBJECT
public:
    explicit UnitCombo(QWidget* parent = nullptr);

    int itemIndex() const { return m_index; }
    // Selects an item from code (-1 clears the text); silent.
    void setItemIndex(int index);

    // The item a typed text names: an exact or prefix match, ignoring case;
    // -1 when it names none.
    int indexForText(const QString& text) const;

signals:
    void unitChanged();

private:
    void onActivated(int index);
    void onTextEdited(const QString& text);

    int m_index = -1;
};
