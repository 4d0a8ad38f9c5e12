#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

class LocalClusterNode;
struct StationInfo;

// Runs what a logged-in user types: the common DXSpider commands, abbreviated as DXSpider allows
// ("SH/DX/5", "sh/u"), answered in its manner. DX and ANNOUNCE go out to every user of the node.
class NodeCommands final
{
public:
    struct Reply
    {
        QByteArray text; // CR LF ended lines; the prompt is not part of it
        bool endsSession = false;
    };

    NodeCommands(LocalClusterNode& node, QString call);

    Reply run(const QString& line);

private:
    using Handler = Reply (NodeCommands::*)(const QString& arguments);
    struct Command
    {
        QStringView name;
        QStringView shortest; // the shortest abbreviation accepted
        Handler handler;
        bool counted = false; // takes a count after a slash, "SH/DX/5"
    };
    static const Command Commands[];

    Reply announce(const QString& arguments);
    Reply bye(const QString& arguments);
    Reply dx(const QString& arguments);
    Reply setLocation(const QString& arguments);
    Reply setName(const QString& arguments);
    Reply setQth(const QString& arguments);
    Reply showCommands(const QString& arguments);
    Reply showDx(const QString& arguments);
    Reply showStation(const QString& arguments);
    Reply showUsers(const QString& arguments);
    Reply setStationField(QString StationInfo::*field, const QString& label, const QString& usage,
                          const QString& value);

    LocalClusterNode& m_node;
    QString m_call;
};
