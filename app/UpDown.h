// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A pair of arrows bound to a plain count edit. The edit's text is the master
// copy: reading the position parses it, and a text that is not a whole number
// within min..max leaves the previous position in force. Arrows, the Up/Down
// keys in the edit and the mouse wheel step by one and stop at the limits.
class UpDown : public QWidget {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    void setAssociate(QLineEdit* edit);
    QLineEdit* associate() const { return m_edit; }

    void setMin(int min) { m_min = min; }
    void setMax(int max) { m_max = max; }
    int min() const { return m_min; }
    int max() const { return m_max; }

    // The count the edit shows, when it is a whole number within min..max;
    // otherwise the last valid one.
    int position() const;
    // Holds value within min..max and writes it into the edit when the text
    // differs (which raises the edit's textChanged at once).
    void setPosition(int value);

    // Parses a count text: optional leading blanks, optional sign, decimal
    // digits, nothing else. Returns false when not a whole number within min..max.
    static bool parseCount(const QString& text, int min, int max, int& value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void step(int delta);

    QLineEdit* m_edit = nullptr;
    QToolButton* m_up;
    QToolButton* m_down;
    int m_min = 0;
    int m_max = 100;
    mutable int m_position = 0;
};
