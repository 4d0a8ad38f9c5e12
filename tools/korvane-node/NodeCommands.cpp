#include "NodeCommands.h"
#include "LocalClusterNode.h"
#include "NodeText.h"

#include <QStringList>

#include <optional>
#include <utility>

namespace {

constexpr int DefaultSpotCount = 10;

bool isCount(QStringView text)
{
    bool ok = false;
    return text.toInt(&ok) > 0 && ok;
}

// True when each "/" part of typed begins the part of name and is at least as long as that of shortest.
bool abbreviates(const QStringList& typed, QStringView name, QStringView shortest)
{
    const QList<QStringView> names = name.split(u'/');
    const QList<QStringView> shortests = shortest.split(u'/');
    if (typed.size() != names.size())
        return false;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        if (typed[i].size() < shortests[i].size() || !names[i].startsWith(typed[i]))
            return false;
    }
    return true;
}

// The frequency and callsign of a DX command, given in either order; nothing when no word is a frequency.
std::optional<std::pair<double, QString>> frequencyAndCall(const QString& first, const QString& second)
{
    bool ok = false;
    if (const double khz = first.toDouble(&ok); ok && khz > 0)
        return std::pair{khz, second};
    if (const double khz = second.toDouble(&ok); ok && khz > 0)
        return std::pair{khz, first};
    return std::nullopt;
}

} // namespace

const NodeCommands::Command NodeCommands::Commands[] = {
    {u"ANNOUNCE", u"AN", &NodeCommands::announce},
    {u"BYE", u"B", &NodeCommands::bye},
    {u"DX", u"DX", &NodeCommands::dx},
    {u"QUIT", u"Q", &NodeCommands::bye},
    {u"SET/LOCATION", u"SET/LOC", &NodeCommands::setLocation},
    {u"SET/NAME", u"SET/NA", &NodeCommands::setName},
    {u"SET/QTH", u"SET/QTH", &NodeCommands::setQth},
    {u"SHOW/COMMANDS", u"SH/C", &NodeCommands::showCommands},
    {u"SHOW/DX", u"SH/DX", &NodeCommands::showDx, true},
    {u"SHOW/STATION", u"SH/ST", &NodeCommands::showStation},
    {u"SHOW/USERS", u"SH/U", &NodeCommands::showUsers},
};

NodeCommands::NodeCommands(LocalClusterNode& node, QString call) : m_node(node), m_call(std::move(call)) {}

NodeCommands::Reply NodeCommands::run(const QString& line)
{
    const QString text = line.trimmed();
    if (text.isEmpty())
        return {};
    const qsizetype space = text.indexOf(u' ');
    const QString word = text.left(space);
    QString arguments = space < 0 ? QString() : text.mid(space + 1).trimmed();
    QStringList parts = word.toUpper().split(u'/');
    const QString count = parts.size() > 1 && isCount(parts.last()) ? parts.takeLast() : QString();
    if (!count.isEmpty()) // "SH/DX/5 14" is read as "SH/DX 5 14"
        arguments = (count + u' ' + arguments).trimmed();
    for (const Command& command : Commands) {
        if ((count.isEmpty() || command.counted) && abbreviates(parts, command.name, command.shortest))
            return (this->*command.handler)(arguments);
    }
    return {NodeText::line(u"Command '%1' not found"_qs.arg(word))};
}

NodeCommands::Reply NodeCommands::announce(const QString& arguments)
{
    if (arguments.isEmpty())
        return {NodeText::line(u"Usage: ANNOUNCE <text>"_qs)};
    m_node.sendAnnouncement(m_call, arguments);
    return {};
}

NodeCommands::Reply NodeCommands::bye(const QString&)
{
    return {{}, true};
}

NodeCommands::Reply NodeCommands::dx(const QString& arguments)
{
    const QStringList words = arguments.split(u' ', Qt::SkipEmptyParts);
    const auto spotted = words.size() >= 2 ? frequencyAndCall(words[0], words[1]) : std::nullopt;
    if (!spotted)
        return {NodeText::line(u"Usage: DX <frequency> <callsign> [comment]"_qs)};
    const QString comment = words.mid(2).join(u' ');
    m_node.sendSpot(
        {spotted->first, spotted->second.toUpper(), comment, m_call, QDateTime::currentDateTimeUtc(), {}});
    return {};
}

NodeCommands::Reply NodeCommands::setLocation(const QString& arguments)
{
    return setStationField(&StationInfo::location, u"Location"_qs, u"SET/LOCATION <lat> <long>"_qs,
                           arguments);
}

NodeCommands::Reply NodeCommands::setName(const QString& arguments)
{
    return setStationField(&StationInfo::name, u"Name"_qs, u"SET/NAME <your name>"_qs, arguments);
}

NodeCommands::Reply NodeCommands::setQth(const QString& arguments)
{
    return setStationField(&StationInfo::qth, u"QTH"_qs, u"SET/QTH <your town>"_qs, arguments);
}

NodeCommands::Reply NodeCommands::setStationField(QString StationInfo::*field, const QString& label,
                                                  const QString& usage, const QString& value)
{
    if (value.isEmpty())
        return {NodeText::line(u"Usage: "_qs + usage)};
    m_node.station(m_call).*field = value;
    return {NodeText::line(label + u" set to "_qs + value)};
}

NodeCommands::Reply NodeCommands::showCommands(const QString&)
{
    QStringList names;
    for (const Command& command : Commands)
        names.append(command.name.toString());
    return {NodeText::line(u"Commands of "_qs + m_node.options().nodeCall + u':') +
            NodeText::line(names.join(u' '))};
}

NodeCommands::Reply NodeCommands::showDx(const QString& arguments)
{
    const QString first = arguments.section(u' ', 0, 0);
    const int count = isCount(first) ? first.toInt() : DefaultSpotCount;
    Reply reply;
    for (const NodeSpot& spot : m_node.latestSpots(count))
        reply.text += NodeText::line(NodeText::showDxLine(spot));
    return reply;
}

NodeCommands::Reply NodeCommands::showStation(const QString& arguments)
{
    const QString call = arguments.isEmpty() ? m_call : arguments.section(u' ', 0, 0).toUpper();
    const StationInfo* station = m_node.findStation(call);
    if (!station)
        return {NodeText::line(u"Station "_qs + call + u" not known"_qs)};
    const bool connected = m_node.users().contains(call);
    return {NodeText::line(u"Call:      "_qs + call) + NodeText::line(u"Name:      "_qs + station->name) +
            NodeText::line(u"QTH:       "_qs + station->qth) +
            NodeText::line(u"Location:  "_qs + station->location) +
            NodeText::line(u"Connected: "_qs + (connected ? u"yes"_qs : u"no"_qs))};
}

NodeCommands::Reply NodeCommands::showUsers(const QString&)
{
    return {NodeText::line(u"Callsigns connected to "_qs + m_node.options().nodeCall) +
            NodeText::line(m_node.users().join(u' '))};
}
