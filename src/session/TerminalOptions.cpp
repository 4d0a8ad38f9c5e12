#include "TerminalOptions.h"

#include "TerminalTexts.h"

#include <QDir>
#include <QSettings>

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace {

QString optionsFile(const QString& folder)
{
    return QDir(folder).filePath(TerminalTexts::OptionsFile);
}

// Every stored option once: its key and its member, so that loading and saving stay in step.
template<typename Options, typename Visit> void forEachOption(Options& options, Visit visit)
{
    visit("Rows", options.rows);
    visit("Columns", options.columns);
    visit("LineHeight", options.lineHeight);
    visit("LineZoom", options.lineZoom);
    visit("CharZoom", options.charZoom);
    visit("FontName", options.fontFamily);
    visit("FontSize", options.fontSize);
    visit("AutoCR", options.autoCarriageReturn);
    visit("AutoLF", options.autoLineFeed);
    visit("LocalEcho", options.localEcho);
    visit("Monochrome", options.monochrome);
    visit("UpperLock", options.upperLock);
    visit("OemCharset", options.oemCharacterSet);
    visit("GraphicDraw", options.graphicDrawing);
    visit("FunctionKeys", options.functionKeys);
}

// Enumerations are stored as their numbers. A value that does not convert keeps the fallback.
template<typename T> using Stored = std::conditional_t<std::is_enum_v<T>, int, T>;

template<typename T> void read(const QSettings& store, const char* key, T& value)
{
    QVariant stored = store.value(key);
    if (stored.isValid() && stored.convert(QMetaType::fromType<Stored<T>>()))
        value = T(stored.value<Stored<T>>());
}

template<typename T> void write(QSettings& store, const char* key, const T& value)
{
    store.setValue(key, Stored<T>(value));
}

double zoomInRange(double zoom)
{
    return std::isnan(zoom) ? 1.0 : std::clamp(zoom, TerminalOptions::MinZoom, TerminalOptions::MaxZoom);
}

void keepInRange(TerminalOptions& options)
{
    options.rows = std::clamp(options.rows, 1, TerminalOptions::MaxRows);
    options.columns = std::clamp(options.columns, 1, TerminalOptions::MaxColumns);
    options.lineHeight = std::clamp(options.lineHeight, 1, TerminalOptions::MaxLineHeight);
    options.lineZoom = zoomInRange(options.lineZoom);
    options.charZoom = zoomInRange(options.charZoom);
    options.fontSize =
        std::clamp(options.fontSize, TerminalOptions::MinFontSize, TerminalOptions::MaxFontSize);
    const int keys = std::clamp(int(options.functionKeys), int(TerminalOptions::FunctionKeys::Sco),
                                int(TerminalOptions::FunctionKeys::A11));
    options.functionKeys = TerminalOptions::FunctionKeys(keys);
}

} // namespace

TerminalOptions TerminalOptions::load(const QString& folder, const QString& host,
                                      const TerminalOptions& fallback)
{
    QSettings store(optionsFile(folder), QSettings::IniFormat);
    store.beginGroup(host);
    TerminalOptions options = fallback;
    forEachOption(options, [&store](const char* key, auto& value) { read(store, key, value); });
    keepInRange(options);
    return options;
}

bool TerminalOptions::save(const QString& folder, const QString& host) const
{
    QSettings store(optionsFile(folder), QSettings::IniFormat);
    store.beginGroup(host);
    forEachOption(*this, [&store](const char* key, const auto& value) { write(store, key, value); });
    store.sync();
    return store.status() == QSettings::NoError;
}

QString TerminalOptions::filePath(const QString& folder)
{
    return optionsFile(folder);
}
