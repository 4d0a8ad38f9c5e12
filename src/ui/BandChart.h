#pragma once

#include <QColor>
#include <QList>
#include <QString>
#include <QWidget>

class QPainter;

// A painted bar chart of the spot counts per band: a title, a value axis scaled to the largest
// count that the user may pan vertically, and one three-dimensional bar per band with its value
// marked above it and its label below.
class BandChart final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BandChart)

public:
    struct Bar
    {
        QString label;
        QColor color;
        int value = 0;
    };

    explicit BandChart(QWidget* parent = nullptr);
    ~BandChart() override;

    // Replaces all bars; the repaint waits for the next frame, so calling this per spot is cheap.
    void setBars(const QList<Bar>& bars);
    const QList<Bar>& bars() const { return m_bars; }

    QString title() const { return m_title; }
    void setTitle(const QString& title);

    // The front face of a bar in widget coordinates; empty for an index out of range.
    QRect barRect(int index) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    struct Geometry;

    Geometry plotGeometry() const;
    void panBy(double values);
    void paintBackground(QPainter& painter) const;
    void paintTitle(QPainter& painter) const;
    void paintWalls(QPainter& painter, const Geometry& geometry) const;
    void paintValueAxis(QPainter& painter, const Geometry& geometry) const;
    void paintBar(QPainter& painter, const Geometry& geometry, int index) const;
    void paintMark(QPainter& painter, const Geometry& geometry, int index) const;
    void paintLabel(QPainter& painter, const Geometry& geometry, int index) const;

    QList<Bar> m_bars;
    QString m_title;
    double m_pan = 0; // value at the bottom of the visible range
    double m_dragY = 0;
};
