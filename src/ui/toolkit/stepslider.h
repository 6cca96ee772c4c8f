#pragma once

#include <QSlider>
#include <QTimer>

// A vertical slider (maximum at the top) whose arrow keys and track clicks move to the multiple
// of its increment next above or below the value's nearest multiple; Home gives the minimum and
// End the maximum. Holding the mouse on the track repeats the step every 400 ms while the
// pointer stays on the same side of the thumb.
class StepSlider : public QSlider {
    Q_OBJECT
public:
    explicit StepSlider(QWidget *parent = nullptr);

    int increment() const { return m_increment; }
    void setIncrement(int increment) { m_increment = increment; }

    static constexpr int trackRepeatMs = 400;

signals:
    // The operator has finished a change: drag released, key, or click on the track.
    void changed();
    // A mouse button was released over the slider.
    void mouseUp();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void stepTrack();
    // Whether `y` lies above the thumb (toward the maximum); 0 over the thumb, 1 above, -1 below.
    int sideOfThumb(int y) const;

    int m_increment = 1;
    QTimer m_trackRepeat;
    int m_trackSide = 0;
    int m_pointerY = 0;
};
