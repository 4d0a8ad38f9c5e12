#pragma once

// What the window's tests share: a program folder with a small country table, the doubles of the
// outside world and a settings store of their own, lookups of the window's controls, and connecting
// the window to a node on 127.0.0.1.

#include "FixedInternetProbe.h"
#include "Main.h"
#include "RecordingSoundPlayer.h"
#include "SettingsStore.h"
#include "TelnetTerminal.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <memory>

class WindowTestKit final
{
public:
    static inline const QByteArray countryTable = "JA,Japan,25,45,36.40,138.38,AS,339\r\n"
                                                  "DL,Germany,14,28,51.00,10.00,EU,230\r\n"
                                                  "3B8,Mauritius,39,53,-20.35,57.50,AF,165\r\n";

    // Makes a program folder holding the given country table the working folder.
    bool makeProgramFolder(const QByteArray& table = countryTable)
    {
        QFile file(folder.filePath(QStringLiteral("Dxcc.dta")));
        return file.open(QIODevice::WriteOnly) && file.write(table) == table.size() &&
               QDir::setCurrent(folder.path());
    }

    // A settings store with nothing in it yet.
    void freshSettings()
    {
        settings.reset();
        QFile::remove(settingsPath());
        settings = std::make_unique<SettingsStore>(settingsPath());
    }

    QString settingsPath() const { return folder.filePath(QStringLiteral("settings/KORVANE.conf")); }

    FormServices services(std::function<QDate()> today = {})
    {
        return {&sounds, &internet, settings.get(), std::move(today)};
    }

    // A window built and started as the program does it.
    std::unique_ptr<TTelForm> startWindow(std::function<QDate()> today = {})
    {
        auto form = std::make_unique<TTelForm>(services(std::move(today)));
        form->CreateForm();
        return form;
    }

    QString programFile(const QString& name) const { return QDir(folder.path()).filePath(name); }

    QTemporaryDir folder;
    RecordingSoundPlayer sounds;
    FixedInternetProbe internet;
    std::unique_ptr<SettingsStore> settings;
};

template<typename T = QWidget> T* child(const QObject* form, const char* name)
{
    T* found = form->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

inline QStringList messageLines(const QObject* form)
{
    QStringList lines;
    const auto* pane = child<QListWidget>(form, "ErrorList");
    for (int i = 0; i < pane->count(); ++i)
        lines.append(pane->item(i)->text());
    return lines;
}

// Fills in the server fields and clicks Connect.
inline void connectWindowTo(const QObject* form, quint16 port, const QString& serverName = u"Test node"_qs)
{
    child<QComboBox>(form, "SERVCombo")->setCurrentText(serverName);
    child<QLineEdit>(form, "URLEdit")->setText(u" 127.0.0.1 "_qs);
    child<QLineEdit>(form, "PORTEdit")->setText(QString::number(port));
    child<QPushButton>(form, "ConnectBtn")->setEnabled(true);
    child<QPushButton>(form, "ConnectBtn")->click();
}

// Connects the window to a plain server on 127.0.0.1 and returns the node's side of the
// connection, or nullptr when the session did not open.
inline QTcpSocket* connectWindowToServer(const QObject* form, QTcpServer& server)
{
    QSignalSpy connected(child<TelnetTerminal>(form, "Terminal"), &TelnetTerminal::sessionConnected);
    connectWindowTo(form, server.serverPort());
    if (!server.waitForNewConnection(5000) || !connected.wait(5000))
        return nullptr;
    return server.nextPendingConnection();
}
