#pragma once

#include <QWidget>

class QTimer;

// The "Alert" lamp: a caption and, to its right, a rectangular lamp that flashes between red and
// black every 250 ms while blinking and stays black otherwise. Its place and visibility are the
// window's business; screen readers hear whether it blinks through its accessible description.
class BlinkingLamp final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BlinkingLamp)

public:
    explicit BlinkingLamp(QWidget* parent = nullptr);
    ~BlinkingLamp() override;

    void setBlinking(bool blinking);
    bool isBlinking() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void flash();
    void describeState();

    QTimer* m_flashTimer;
    bool m_lit = false;
};
