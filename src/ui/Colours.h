#pragma once

#include "Tel_Init.h"

#include <QColor>
#include <QPalette>

class QWidget;

// Converts a Windows colour value, written $00BBGGRR (lowest byte red), to a QColor.
QColor fromColorRef(ColorRef colorRef);

// Sets one colour role of a widget's palette.
void setColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour);

// Sets a widget's background and text colours.
void setColours(QWidget* widget, const QColor& background, const QColor& text);
