#pragma once

// The main window as the benchmarks run it: started in a scratch program folder holding the shipped
// country table, with a settings store of its own (the user's settings stay untouched), shown
// offscreen at its designed size.

#include "Main.h"
#include "SettingsStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// This process's resident memory now, from /proc; -1 where it cannot be read.
inline long residentKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

class BenchWindow final
{
public:
    BenchWindow()
    {
        QFile::copy(QStringLiteral(KORVANE_DATA_DIR "/Dxcc.dta"),
                    m_folder.filePath(QStringLiteral("Dxcc.dta")));
        QDir::setCurrent(m_folder.path());
        window.CreateForm();
        window.resize(900, 632);
        window.show();
    }

private:
    QTemporaryDir m_folder;
    SettingsStore m_settings{m_folder.filePath(QStringLiteral("KORVANE.conf"))};

public:
    TTelForm window{FormServices{nullptr, nullptr, &m_settings, {}}};
};
