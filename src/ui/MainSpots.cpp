// TTelForm: the road of a received line, the spot lists, the chart and the details panel.

#include "Main.h"
#include "ui_Main.h"

#include "Announcements.h"
#include "BandChart.h"
#include "ClusterLine.h"
#include "Colours.h"
#include "MessageBox.h"
#include "StringGrid.h"

#include <QApplication>


namespace {

const QStringList SpotHeaders{QStringLiteral("UTC"),       QStringLiteral("CALLSIGN"),
                              QStringLiteral("FREQUENCY"), QStringLiteral("NOTIFIED BY"),
                              QStringLiteral("COMMENTS"),  QStringLiteral("DXCC COUNTRY"),
                              QStringLiteral("PFX")};
const QString CallsignHeader = QStringLiteral("CALLSIGN");
const QString NotificationHeader = QStringLiteral("NOTIFICATION");
const QString WcyNoteHeader = QStringLiteral("WCY NOTE");
const QString ClearQuestion = QStringLiteral("Delete all Spots ?");
const QString ClearCaption = QStringLiteral("Confirmation");

constexpr ColorRef SpotHeaderAmber = 0x0026B0D9;
constexpr ColorRef ClearedOthersColor = 0x00ADDAC0;

// Appends a row and, when the grid has just reached two rows, makes its first row the header.
void addRowUnderHeader(StringGrid* grid, const QStringList& headers)
{
    grid->addRow();
    if (grid->rowCount() == 2) {
        grid->setRow(0, headers);
        grid->setHeaderRow(true);
    }
}

} // namespace

// ---- Received text ------------------------------------------------------------------------------

void TTelForm::DataAvailable(const QByteArray& block)
{
    m_intake.receive(block);
}

void TTelForm::ProcessClusterText(const QString& line)
{
    const ClusterLine parsed = parseClusterLine(line, m_countryList);
    switch (parsed.kind) {
    case ClusterLine::Kind::Spot:
        handleSpot(parsed.spot);
        break;
    case ClusterLine::Kind::Announcement:
        AppendMessageRow(m_ui->AnnGrid, CallsignHeader, NotificationHeader, parsed.message.sender,
                         parsed.message.text);
        break;
    case ClusterLine::Kind::Wcy:
        AppendMessageRow(m_ui->WcyGrid, CallsignHeader, WcyNoteHeader, parsed.message.sender,
                         parsed.message.text);
        break;
    case ClusterLine::Kind::Other:
        break;
    }
}

// Everything here works on the spot's own values: a later line may be handled completely while an
// earlier spot's sound plays.
void TTelForm::handleSpot(const ParsedSpot& spot)
{
    m_spotList.append(spot.record);
    m_bandColor = spot.band.color;
    const QStringList row = spot.row();
    AppendSpotRow(bandGrid(spot.band.number), row, m_bandColor);
    m_bandCounts.add(spot.band.number);
    RebuildBandChart(white);
    AppendSpotRow(m_ui->GridAll, row, m_bandColor);
    ShowSpotDetails(m_bandColor, detailsOf(spot));
    Announcer::of(this).announceSpot(spot.record);
    // The new-spot sound lets events run; the alert uses this spot's own callsign and time.
    const QString call = spot.record.CALL;
    const QString time = spot.timeAsBuilt;
    if (m_ui->SoundCheck->isChecked())
        PlayNewSpotSound();
    if (m_ui->AlertCheckBox->isChecked())
        CheckCallsignAlert(call, time);
}

StringGrid* TTelForm::bandGrid(int bandNumber) const
{
    return m_spotGrids[1 + bandIndex(bandNumber)];
}

// ---- Spot lists and chart -----------------------------------------------------------------------

void TTelForm::AppendSpotRow(StringGrid* grid, const QStringList& values, ColorRef color)
{
    grid->setHeaderGradient(Qt::white, fromColorRef(SpotHeaderAmber));
    if (grid == m_ui->GridAll)
        grid->viewport()->setCursor(Qt::PointingHandCursor);
    addRowUnderHeader(grid, SpotHeaders);
    const int last = grid->rowCount() - 1;
    grid->setRowColor(last, fromColorRef(color));
    grid->setRow(last, values);
    grid->setCurrentRow(last);
}

void TTelForm::AppendMessageRow(StringGrid* grid, const QString& header0, const QString& header1,
                                const QString& sender, const QString& text)
{
    addRowUnderHeader(grid, {header0, header1});
    const int last = grid->rowCount() - 1;
    grid->setRow(last, {sender, text});
    grid->setCurrentRow(last);
}

void TTelForm::RebuildBandChart(ColorRef othersColor)
{
    QList<BandChart::Bar> bars;
    bars.reserve(Bands.size());
    for (const Band& band : Bands) {
        const ColorRef color = band.number == 888 ? othersColor : band.color;
        bars.append(
            {QString::fromLatin1(band.caption), fromColorRef(color), m_bandCounts.count(band.number)});
    }
    m_ui->Chart->setBars(bars);
}

void TTelForm::RAZButtonClick()
{
    if (!askYesNo(this, ClearCaption, ClearQuestion))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    for (StringGrid* grid : m_spotGrids)
        grid->reduceToOneRow();
    m_bandCounts.reset();
    RebuildBandChart(ClearedOthersColor);
    m_spotList.clear();
    QApplication::restoreOverrideCursor();
}

// ---- Details panel ------------------------------------------------------------------------------

void TTelForm::ShowSpotDetails(ColorRef color, const SpotDetails& details)
{
    paintDetailStrips(fromColorRef(color));
    writeDetails(details);
}

// Shows the newest spot of the list whose time and callsign are those of the selected row, in the
// row's colour. A row with no such spot leaves the panel as it is.
void TTelForm::CellWasSelected(int /*column*/, int row)
{
    const StringGrid* grid = m_ui->GridAll;
    const QString time = grid->cell(0, row);
    const QString call = grid->cell(1, row);
    const std::optional<TSpotRec> newest = m_spotList.newest(time, call);
    if (!newest)
        return;
    writeDetails(detailsOf(*newest));
    paintDetailStrips(grid->rowColor(row));
}

void TTelForm::paintDetailStrips(const QColor& color)
{
    for (QLabel* strip : {m_ui->INDPanel, m_ui->PAYSPanel})
        setColour(strip, QPalette::Window, color);
}

void TTelForm::writeDetails(const SpotDetails& details)
{
    m_ui->INDPanel->setText(details.call);
    m_ui->CQPanel->setText(details.cq);
    m_ui->ITUPanel->setText(details.itu);
    m_ui->WACPanel->setText(details.wac);
    m_ui->FRQPanel->setText(details.frequency);
    m_ui->HOURPanel->setText(details.hour);
    m_ui->DXDPanel->setText(details.spotter);
    m_ui->LATPanel->setText(details.latitude);
    m_ui->LNGPanel->setText(details.longitude);
    m_ui->COMPanel->setText(details.comment);
    m_ui->PAYSPanel->setText(details.country);
}
