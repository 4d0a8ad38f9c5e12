#include "Colours.h"

#include <QWidget>

QColor fromColorRef(ColorRef colorRef)
{
    return QColor(colorRef & 0xFF, (colorRef >> 8) & 0xFF, (colorRef >> 16) & 0xFF);
}

// Setting a palette costs a style pass over the widget: each new spot paints the detail strips twice.
void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    if (palette.isBrushSet(QPalette::Active, role) && palette.color(role) == colour)
        return;
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void setColours(QWidget* widget, const QColor& background, const QColor& text)
{
    setColour(widget, QPalette::Window, background);
    setColour(widget, QPalette::WindowText, text);
}
