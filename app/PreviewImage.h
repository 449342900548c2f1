// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>

// The preview control: holds the preview bitmap and shows it reduced to fit
// with its aspect ratio kept, anchored at the top-left corner, smoothly
// resampled at the screen's own pixel density.
class PreviewImage : public QWidget {
    Q_OBJECT
public:
    explicit PreviewImage(QWidget* parent = nullptr);

    // The bitmap that the preview rebuild draws into. Whoever takes it to
    // change it gets it shown: the control repaints from what it then holds,
    // whether or not Refresh() follows.
    QImage& bitmap() {
        update();
        return m_bitmap;
    }
    const QImage& bitmap() const { return m_bitmap; }

    // Shows the bitmap as it is now, at once.
    void Refresh();

    // Where the bitmap is shown inside the control (for tests and painting).
    QRect shownRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rescale();

    QImage m_bitmap;
    QPixmap m_shown;
    qint64 m_shownKey = 0; // the bitmap's cacheKey() when m_shown was made
};
