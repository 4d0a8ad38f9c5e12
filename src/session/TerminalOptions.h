#pragma once

#include <QString>

// The settings of the session pane that its options dialog edits, kept per host name in the
// options file. The pane applies the look, the line ends, the echo and the upper-case lock; the
// character set, graphic drawing and function-key set are kept for the user but not applied.
struct TerminalOptions
{
    enum class FunctionKeys
    {
        Sco,
        Vt100,
        A11
    };

    // Sizes the pane can draw; stored values outside them are brought back inside.
    static constexpr int MaxRows = 200;
    static constexpr int MaxColumns = 500;
    static constexpr int MaxLineHeight = 100;
    static constexpr double MinZoom = 0.1;
    static constexpr double MaxZoom = 10.0;
    static constexpr int MinFontSize = 4;
    static constexpr int MaxFontSize = 72;

    int rows = 25;
    int columns = 80;
    int lineHeight = 13;
    double lineZoom = 1.0;
    double charZoom = 0.8;
    QString fontFamily = QStringLiteral("MS Sans Serif");
    int fontSize = 8;
    bool autoCarriageReturn = false;
    bool autoLineFeed = false;
    bool localEcho = false;
    bool monochrome = false;
    bool upperLock = false;
    bool oemCharacterSet = false;
    bool graphicDrawing = false;
    FunctionKeys functionKeys = FunctionKeys::Vt100;

    // The values stored for host in folder's options file, each missing one taken from fallback.
    static TerminalOptions load(const QString& folder, const QString& host, const TerminalOptions& fallback);
    // False when the options file cannot be written.
    bool save(const QString& folder, const QString& host) const;
    static QString filePath(const QString& folder);
};
