#include "CommandsMemo.h"

#include <QTableWidget>

namespace {

struct MemoRow
{
    const char* command;
    const char* action;
};

// DXSpider and AR-Cluster user commands. Capitals mark the shortest form a node accepts.
constexpr MemoRow MemoRows[] = {
    {"ANnounce", "Sends an announcement to the users of the local node."},
    {"ANnounce/Full", "Sends an announcement to the users of every node of the cluster network."},
    {"BYE", "Logs you out and closes the connection to the node."},
    {"DX", "Sends a DX spot.  (DX <Callsign> <Frequency> or DX <Frequency> <Callsign>)"},
    {"DXTEST", "Sends a test DX spot to you alone; it is not passed to other users."},
    {"DIR", "Lists the messages kept on the node."},
    {"DIR/BULLETIN", "Lists the bulletins only."},
    {"DIR/NEW", "Lists the messages that arrived since you last listed them."},
    {"DIR/OWN", "Lists the messages sent to you or by you."},
    {"DIR/SUBJECT", "Lists the messages whose subject holds the given text."},
    {"DELete", "Deletes one of your messages.  DEL <message number>"},
    {"Kill", "Deletes one of your messages, like DELete.  K <message number>"},
    {"List", "Lists the messages kept on the node, like DIR."},
    {"List/NEW", "Lists the messages that arrived since you last listed them, like DIR/NEW."},
    {"List/OWN", "Lists the messages sent to you or by you, like DIR/OWN."},
    {"QUIT", "Logs you out and closes the connection to the node, like BYE."},
    {"READ", "Reads a message.  READ <message number>, or READ alone for the next unread one"},
    {"REply", "Replies to the last message you read (REply <message number> for another one);"},
    {"", "the reply goes to the author of that message, under the same subject."},
    {"SEND", "Sends a message: SEND <Callsign> for a personal one, or SEND ALL for a bulletin"},
    {"passed to all nodes for all USERs.", ""},
    {"SET/ANN", "Shows you the announcements."},
    {"SET/BEACON", "Shows you the spots of beacons."},
    {"SET/BEEP", "Makes the node beep when a DX spot or a message reaches you."},
    {"SET/BOB", "Shows you the spots below the band edges (bottom of band)."},
    {"SET/DX", "Shows you the DX spots."},
    {"SET/DXCQ", "Adds the CQ zone of the spotted station to your DX spots."},
    {"SET/DXITU", "Adds the ITU zone of the spotted station to your DX spots."},
    {"SET/DXS", "Adds the US state of the spotted station to your DX spots."},
    {"SET/USSTATE", "Adds the US states of the spotter and of the spotted station to your DX spots."},
    {"SET/FILTER", "Filters the spots you receive, by band, mode or origin of the spotter."},
    {"SET/GRID", "Adds the grid square of the spotted station to your DX spots."},
    {"SET/HOME", "Names your home node, where your mail is kept.  SET/HOME <node callsign>"},
    {"SET/LOCATION", "Records your latitude and longitude.  SET/LOC 48 51 N 2 21 E"},
    {"SET/LOGIN", "Tells you when users log in to or out of the node."},
    {"SET/NAME", "Records your first name.  SET/NAME <name>"},
    {"SET/NOANN", "Stops the announcements reaching you."},
    {"SET/NOBEACON", "Stops the spots of beacons reaching you."},
    {"SET/NOBEEP", "Stops the beep on DX spots and messages."},
    {"SET/NOBOB", "Stops the spots below the band edges reaching you."},
    {"SET/NOCQ", "Removes the CQ zone from your DX spots."},
    {"SET/NODX", "Stops the DX spots reaching you."},
    {"SET/NODXCQ", "Stops adding the CQ zone of the spotted station, undoing SET/DXCQ."},
    {"SET/NODXITU", "Stops adding the ITU zone of the spotted station, undoing SET/DXITU."},
    {"SET/NODXS", "Stops adding the US state of the spotted station, undoing SET/DXS."},
    {"SET/NOUSSTATE", "Stops adding the US states to your DX spots, undoing SET/USSTATE."},
    {"SET/NOGRID", "Removes the grid square from your DX spots."},
    {"SET/NOITU", "Removes the ITU zone from your DX spots."},
    {"SET/NOLOGIN", "Stops telling you when users log in to or out of the node."},
    {"SET/NOSELF", "Stops echoing your own spots and announcements back to you."},
    {"SET/NOTALK", "Stops talk messages from other users reaching you."},
    {"SET/NOWCY", "Stops the WCY propagation reports reaching you."},
    {"SET/NOWWV", "Stops the WWV propagation reports reaching you."},
    {"SET/NOWX", "Stops the weather announcements reaching you."},
    {"SET/QRA", "Records your Maidenhead locator.  SET/QRA JN18EU"},
    {"SET/QTH", "Records your town or village.  SET/QTH <town>"},
    {"SET/RES 1", "Shows the frequencies of your spots with one decimal (0.1 kHz)."},
    {"SET/RES 2", "Shows the frequencies of your spots with two decimals (0.01 kHz)."},
    {"SET/SELF", "Echoes your own spots and announcements back to you."},
    {"SET/TALK", "Lets talk messages from other users reach you."},
    {"SET/USSTATE", "On DXSpider nodes, shows US state information at the end of DX spots."},
    {"SET/WCY", "Lets the WCY propagation reports reach you."},
    {"SET/WIDTH", "Sets the width of the lines the node sends you, SET/WIDTH XX"},
    {"SET/WIDTH XX", "where XX is the number of characters."},
    {"SET/WWV", "Lets the WWV propagation reports reach you."},
    {"SET/WX", "Lets the weather announcements reach you."},
    {"SHow/CL", "Shows how many nodes and users the cluster network counts."},
    {"SHow/CONF", "Shows the nodes of the network and the users connected to each."},
    {"SHow/DX", "Shows the last 30 DX spots."},
    {"SHow/DX <Call>", "Shows the last spots of that callsign.  SH/DX FO0AAA"},
    {"SHow/DX/<number>", "Shows that number of spots.  SH/DX/100"},
    {"SHow/DX/ <Band>", "Shows last 30 spots on that band.  SH/DX 20  for 20 meters"},
    {"SHow/DX/ <Freq>", "Shows the last spots in that frequency range.  SH/DX 14000-14100"},
    {"SHow/DX <prefix*>", "Shows the last spots of the callsigns that begin with that prefix.  SH/DX VK*"},
    {"SHow/DX 'rtty'", "Shows the last spots whose comment holds that word.  SH/DX 'rtty'"},
    {"SHow/FDX", "Shows the last DX spots with the country of each spotted station."},
    {"SHow/FILTER", "Shows the filters you have set."},
    {"SHow/HEAD <Call>", "Shows the beam heading and distance from you to that callsign's country."},
    {"SHow/MYANN", "Shows the last announcements that pass your filters."},
    {"SHow/MYDX", "Shows the last DX spots that pass your filters."},
    {"SHow/MYDX <Call>", "Shows the last spots of that callsign that pass your filters."},
    {"SHow/MYDX/<number>", "Shows that number of the spots that pass your filters."},
    {"SHow/MYDX/<Band>", "Shows the last spots on that band that pass your filters."},
    {"SHow/MYFDX", "Shows the last spots that pass your filters, with the country of each station."},
    {"SHow/MYWX", "Shows the last weather announcements that pass your filters."},
    {"SHow/RES", "Shows the frequency resolution of your spots."},
    {"SHow/SETTINGS", "Shows all your settings on the node."},
    {"SHow/STATION", "Shows what the node knows of a station.  SH/ST <Callsign>"},
    {"SHow/SUN", "Shows the times of sunrise and sunset at your location or for a prefix."},
    {"SHow/TIME", "Shows the date and time in UTC."},
    {"SHow/TIME <Call>", "Shows the local time in that callsign's country."},
    {"SHow/USDB", "Shows the US state and county of a callsign from the node's US database."},
    {"SHow/USERS", "Shows the users connected to the node."},
    {"SHow/VERSION", "Shows the name and version of the node software."},
    {"SHow/WIDTH", "Shows the line width the node uses for you."},
    {"SHow/WWV", "Shows the last WWV propagation reports."},
    {"SHow/WCY", "Shows the last WCY propagation reports."},
    {"Talk", "Sends a message to one connected user.  T <Callsign> <text>"},
    {"UNSET/", "This command can be used instead of SET/NO, Compatibility for DX-Spider USERs"},
    {"WHO", "Shows the users and nodes connected to the node."},
    {"WX", "Sends a weather announcement to the users of the local node."},
};

QTableWidgetItem* readOnlyCell(const QString& text)
{
    auto* cell = new QTableWidgetItem(text);
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return cell;
}

} // namespace

QList<std::pair<QString, QString>> commandsMemoRows()
{
    QList<std::pair<QString, QString>> rows;
    rows.reserve(std::size(MemoRows));
    for (const MemoRow& row : MemoRows)
        rows.append({QString::fromLatin1(row.command), QString::fromLatin1(row.action)});
    return rows;
}

void fillCommandsMemo(QTableWidget* table)
{
    const QList<std::pair<QString, QString>> rows = commandsMemoRows();
    table->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < table->rowCount(); ++row) {
        table->setItem(row, 0, readOnlyCell(rows[row].first));
        table->setItem(row, 1, readOnlyCell(rows[row].second));
    }
}
