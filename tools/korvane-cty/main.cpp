// korvane-cty: converts the AD1C country file cty.dat (and cty.csv for the ADIF codes)
// into the country table Dxcc.dta of KORVANE.

#include "CtyConverter.h"
#include "TextDecoding.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdio>

using namespace korvane::cty;

namespace {

const char* const kDefaultCty = "/usr/share/hamradio-files/cty.dat";

void printErr(const QString& s)
{
    std::fputs(qPrintable(u"korvane-cty: "_qs + s + u'\n'), stderr);
}

bool readFile(const QString& path, QByteArray& out)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        printErr(u"cannot read %1: %2"_qs.arg(path, f.errorString()));
        return false;
    }
    out = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        printErr(u"cannot read %1: %2"_qs.arg(path, f.errorString()));
        return false;
    }
    return true;
}

QString where(const QString& path, int line)
{
    return line > 0 ? u"%1:%2"_qs.arg(path).arg(line) : path;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"korvane-cty"_qs);
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVANE_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Converts the AD1C country file cty.dat, with cty.csv for the ADIF codes, into the KORVANE "
        u"country table Dxcc.dta (one row per prefix, longitudes east-positive, CR LF line ends)."_qs);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption ctyOpt(u"cty"_qs, u"The cty.dat file (default: %1)."_qs.arg(kDefaultCty),
                                    u"file"_qs, QString::fromLatin1(kDefaultCty));
    const QCommandLineOption csvOpt(
        u"csv"_qs, u"The cty.csv file (default: cty.csv beside the cty.dat file)."_qs, u"file"_qs);
    const QCommandLineOption outOpt(u"out"_qs,
                                    u"The Dxcc.dta file to write, '-' for standard output "
                                    u"(default: Dxcc.dta in the current folder)."_qs,
                                    u"file"_qs, u"Dxcc.dta"_qs);
    const QCommandLineOption quietOpt(QStringList{u"q"_qs, u"quiet"_qs},
                                      u"Print neither the warnings nor the summary."_qs);
    parser.addOptions({ctyOpt, csvOpt, outOpt, quietOpt});
    parser.process(app);
    if (!parser.positionalArguments().isEmpty()) {
        printErr(u"unexpected argument %1 (see --help)"_qs.arg(parser.positionalArguments().first()));
        return 2;
    }

    const QString ctyPath = parser.value(ctyOpt);
    const QString csvPath =
        parser.isSet(csvOpt) ? parser.value(csvOpt) : QFileInfo(ctyPath).dir().filePath(u"cty.csv"_qs);
    const QString outPath = parser.value(outOpt);
    const bool quiet = parser.isSet(quietOpt);

    QByteArray ctyBytes, csvBytes;
    if (!readFile(ctyPath, ctyBytes) || !readFile(csvPath, csvBytes))
        return 1;

    const CtyParseResult cty = CtyConverter::parseCtyDat(decodeText(ctyBytes));
    if (!cty.ok()) {
        printErr(u"%1: malformed cty.dat: %2"_qs.arg(where(ctyPath, cty.errorLine), cty.error));
        return 1;
    }
    const CsvParseResult csv = CtyConverter::parseCtyCsv(decodeText(csvBytes));
    if (!csv.ok()) {
        printErr(u"%1: malformed cty.csv: %2"_qs.arg(where(csvPath, csv.errorLine), csv.error));
        return 1;
    }

    const ConvertResult conv = CtyConverter::convert(cty.entities, csv.adifByPrefix);
    const QByteArray data = CtyConverter::formatDxcc(conv.rows);

    if (outPath == u"-") {
        QFile out;
        if (!out.open(stdout, QIODevice::WriteOnly) || out.write(data) != data.size()) {
            printErr(u"cannot write to standard output"_qs);
            return 1;
        }
    } else {
        QSaveFile out(outPath);
        if (!out.open(QIODevice::WriteOnly) || out.write(data) != data.size() || !out.commit()) {
            printErr(u"cannot write %1: %2"_qs.arg(outPath, out.errorString()));
            return 1;
        }
    }

    if (!quiet) {
        for (const QString& w : conv.warnings)
            printErr(u"warning: %1: %2"_qs.arg(ctyPath, w));
        const QString version = CtyConverter::versionDate(cty.entities);
        printErr(u"%1 entities of %2%3, %4 rows written to %5"_qs.arg(cty.entities.size())
                     .arg(ctyPath, version.isEmpty() ? QString() : u" (version %1)"_qs.arg(version))
                     .arg(conv.rows.size())
                     .arg(outPath == u"-" ? u"standard output"_qs : outPath));
    }
    return 0;
}
