#pragma once

#include <QByteArray>

class QKeyEvent;

// The bytes a key typed into the session pane sends to the node (the VT100 function-key set);
// empty for a key that sends nothing. upperLock sends every letter in upper case.
QByteArray keyBytes(const QKeyEvent& event, bool upperLock);
