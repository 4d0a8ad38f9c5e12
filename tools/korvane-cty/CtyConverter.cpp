#include "CtyConverter.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

namespace korvane::cty {

namespace {

const QStringList kContinents = {u"EU"_qs, u"NA"_qs, u"SA"_qs, u"AF"_qs, u"AS"_qs, u"OC"_qs};

bool isPrefixChar(QChar c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'/';
}

bool isUnsigned(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

bool isNumber(const QString& s)
{
    bool ok = false;
    s.toDouble(&ok);
    return ok && !s.isEmpty();
}

bool isValidPrefix(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (!isPrefixChar(c))
            return false;
    return true;
}

QString quoted(const QString& s)
{
    return u'"' + s + u'"';
}

// One alias-list entry, e.g. "AA0(4)[7]" or "=N2NL/MM(7)". Returns an error text, empty when fine.
QString parsePrefixToken(const QString& token, CtyPrefix& out)
{
    qsizetype pos = 0;
    if (token.startsWith(u'=')) {
        out.wholeCall = true;
        pos = 1;
    }
    const qsizetype start = pos;
    while (pos < token.size() && isPrefixChar(token.at(pos)))
        ++pos;
    out.prefix = token.mid(start, pos - start);
    if (out.prefix.isEmpty())
        return u"entry %1 has no prefix"_qs.arg(quoted(token));

    while (pos < token.size()) {
        const QChar open = token.at(pos);
        QChar close;
        switch (open.unicode()) {
        case '(':
            close = u')';
            break;
        case '[':
            close = u']';
            break;
        case '<':
            close = u'>';
            break;
        case '{':
            close = u'}';
            break;
        case '~':
            close = u'~';
            break;
        default:
            return u"unexpected character '%1' in entry %2"_qs.arg(open).arg(quoted(token));
        }
        const qsizetype end = token.indexOf(close, pos + 1);
        if (end < 0)
            return u"'%1' without '%2' in entry %3"_qs.arg(open).arg(close).arg(quoted(token));
        const QString inner = token.mid(pos + 1, end - pos - 1);
        switch (open.unicode()) {
        case '(':
            if (!isUnsigned(inner))
                return u"CQ zone override (%1) is not a number in entry %2"_qs.arg(inner, quoted(token));
            out.cqZone = inner;
            break;
        case '[':
            if (!isUnsigned(inner))
                return u"ITU zone override [%1] is not a number in entry %2"_qs.arg(inner, quoted(token));
            out.ituZone = inner;
            break;
        case '<': {
            const QStringList parts = inner.split(u'/');
            if (parts.size() != 2 || !isNumber(parts[0]) || !isNumber(parts[1]))
                return u"position override <%1> is not <latitude/longitude> in entry %2"_qs.arg(
                    inner, quoted(token));
            out.latitude = parts[0];
            out.longitude = parts[1];
            break;
        }
        case '{':
            if (!kContinents.contains(inner))
                return u"continent override {%1} is not one of EU NA SA AF AS OC in entry %2"_qs.arg(
                    inner, quoted(token));
            out.continent = inner;
            break;
        case '~':
            // Time offset: checked, not used.
            if (!isNumber(inner))
                return u"time offset override ~%1~ is not a number in entry %2"_qs.arg(inner, quoted(token));
            break;
        }
        pos = end + 1;
    }
    return {};
}

// An entity header: eight fields, each followed by ':'. Returns an error text, empty when fine.
QString parseHeader(const QString& line, CtyEntity& out)
{
    QStringList f = line.split(u':');
    if (f.size() != 9 || !f[8].trimmed().isEmpty())
        return u"expected an entity header of eight fields each followed by ':' (name, CQ zone, ITU zone, "
               u"continent, latitude, longitude, time offset, primary prefix), found %1 field(s)"_qs.arg(
                   f.size() - (f.last().trimmed().isEmpty() ? 1 : 0));
    for (QString& s : f)
        s = s.trimmed();
    out.name = f[0];
    out.cqZone = f[1];
    out.ituZone = f[2];
    out.continent = f[3];
    out.latitude = f[4];
    out.longitude = f[5];
    out.primaryPrefix = f[7];
    if (out.name.isEmpty())
        return u"the entity name is empty"_qs;
    if (!isUnsigned(out.cqZone))
        return u"CQ zone %1 of %2 is not a number"_qs.arg(quoted(out.cqZone), out.name);
    if (!isUnsigned(out.ituZone))
        return u"ITU zone %1 of %2 is not a number"_qs.arg(quoted(out.ituZone), out.name);
    if (!kContinents.contains(out.continent))
        return u"continent %1 of %2 is not one of EU NA SA AF AS OC"_qs.arg(quoted(out.continent), out.name);
    if (!isNumber(out.latitude))
        return u"latitude %1 of %2 is not a number"_qs.arg(quoted(out.latitude), out.name);
    if (!isNumber(out.longitude))
        return u"longitude %1 of %2 is not a number"_qs.arg(quoted(out.longitude), out.name);
    if (!isNumber(f[6]))
        return u"time offset %1 of %2 is not a number"_qs.arg(quoted(f[6]), out.name);
    QString primary = out.primaryPrefix;
    if (primary.startsWith(u'*'))
        primary.remove(0, 1);
    if (!isValidPrefix(primary))
        return u"primary prefix %1 of %2 is not a prefix"_qs.arg(quoted(out.primaryPrefix), out.name);
    return {};
}

// Splits one cty.csv line into its fields; double quotes may enclose a field.
QStringList splitCsvLine(const QString& line)
{
    QStringList fields;
    QString cur;
    bool inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < line.size() && line.at(i + 1) == u'"') {
                    cur += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                }
            } else {
                cur += c;
            }
        } else if (c == u'"') {
            inQuotes = true;
        } else if (c == u',') {
            fields << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    fields << cur;
    return fields;
}

QStringList textLines(const QString& text)
{
    QString t = text;
    const qsizetype eof = t.indexOf(QChar(0x1A)); // Ctrl-Z ends a DOS text file
    if (eof >= 0)
        t.truncate(eof);
    QStringList lines = t.split(u'\n');
    for (QString& l : lines)
        if (l.endsWith(u'\r'))
            l.chop(1);
    return lines;
}

} // namespace

CtyParseResult CtyConverter::parseCtyDat(const QString& text)
{
    CtyParseResult result;
    auto fail = [&result](int line, const QString& message) {
        result.entities.clear();
        result.errorLine = line;
        result.error = message;
        return result;
    };

    const QStringList lines = textLines(text);
    bool inList = false; // inside an entity's prefix list, before its ';'
    CtyEntity entity;
    QString token;
    int tokenLine = 0;
    bool afterComma = false; // the list so far ends with a ','

    // Finishes the entry read so far; on an error, errorAt is the line the entry starts on.
    auto finishToken = [&](int lineNo, QString& error, int& errorAt) {
        errorAt = tokenLine ? tokenLine : lineNo;
        const QString t = token.trimmed();
        token.clear();
        if (t.isEmpty()) {
            error = u"empty entry in the prefix list of %1 (two separators in a row)"_qs.arg(entity.name);
            return;
        }
        for (QChar c : t)
            if (c.isSpace()) {
                error = u"entry %1 of %2 holds a space or a line break"_qs.arg(quoted(t), entity.name);
                return;
            }
        CtyPrefix p;
        p.line = tokenLine ? tokenLine : lineNo;
        error = parsePrefixToken(t, p);
        if (error.isEmpty())
            entity.prefixes << p;
        tokenLine = 0;
    };

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNo = int(i) + 1;
        const QString& line = lines.at(i);
        if (!inList) {
            if (line.trimmed().isEmpty())
                continue;
            entity = CtyEntity();
            entity.line = lineNo;
            const QString error = parseHeader(line, entity);
            if (!error.isEmpty())
                return fail(lineNo, error);
            inList = true;
            afterComma = false;
            token.clear();
            tokenLine = 0;
            continue;
        }
        if (line.contains(u':'))
            return fail(lineNo,
                        u"the prefix list of %1 (line %2) does not end with ';' before the next entity"_qs
                            .arg(entity.name)
                            .arg(entity.line));
        for (qsizetype k = 0; k < line.size(); ++k) {
            const QChar c = line.at(k);
            if (c == u',' || c == u';') {
                QString error;
                int errorAt = lineNo;
                if (c == u';' && token.trimmed().isEmpty() && entity.prefixes.isEmpty() && !afterComma) {
                    // An empty prefix list: the entity keeps its primary prefix only.
                } else {
                    finishToken(lineNo, error, errorAt);
                }
                if (!error.isEmpty())
                    return fail(errorAt, error);
                afterComma = c == u',';
                if (c == u';') {
                    if (!line.mid(k + 1).trimmed().isEmpty())
                        return fail(lineNo, u"text after the ';' that ends the prefix list of %1"_qs.arg(
                                                entity.name));
                    result.entities << entity;
                    inList = false;
                    break;
                }
            } else {
                if (!c.isSpace() && token.trimmed().isEmpty())
                    tokenLine = lineNo;
                token += c;
            }
        }
        if (inList)
            token += u' '; // a line break inside an entry makes it malformed
    }
    if (inList)
        return fail(
            entity.line,
            u"the prefix list of %1 does not end with ';' before the end of the file"_qs.arg(entity.name));
    if (result.entities.isEmpty())
        return fail(0, u"no entity found"_qs);
    return result;
}

CsvParseResult CtyConverter::parseCtyCsv(const QString& text)
{
    CsvParseResult result;
    const QStringList lines = textLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines.at(i);
        if (line.trimmed().isEmpty())
            continue;
        const QStringList f = splitCsvLine(line);
        const QString prefix = f.value(0).trimmed();
        const QString adif = f.value(2).trimmed();
        if (f.size() < 3 || prefix.isEmpty() || !isUnsigned(adif)) {
            result.adifByPrefix.clear();
            result.errorLine = int(i) + 1;
            result.error = u"expected primary prefix, name and ADIF code as the first three columns"_qs;
            return result;
        }
        if (!result.adifByPrefix.contains(prefix))
            result.adifByPrefix.insert(prefix, adif);
    }
    if (result.adifByPrefix.isEmpty())
        result.error = u"no entity found"_qs;
    return result;
}

ConvertResult CtyConverter::convert(const QList<CtyEntity>& entities, const QHash<QString, QString>& adif)
{
    ConvertResult result;

    // Prefixes that cty.dat gives explicitly in a prefix list, with the entity that has them first.
    QHash<QString, QString> explicitOwner;
    for (const CtyEntity& e : entities)
        for (const CtyPrefix& p : e.prefixes)
            if (!p.wholeCall && !explicitOwner.contains(p.prefix))
                explicitOwner.insert(p.prefix, e.name);

    QHash<QString, QString> writtenBy; // prefix -> entity of the row kept
    for (const CtyEntity& e : entities) {
        const QString name = cleanField(e.name);
        QString primary = e.primaryPrefix;
        if (primary.startsWith(u'*'))
            primary.remove(0, 1);

        QString code = adif.value(e.primaryPrefix);
        if (code.isEmpty())
            code = adif.value(primary);
        if (code.isEmpty())
            result.warnings
                << u"line %1: no ADIF code in cty.csv for %2 (%3): ADIF field left empty"_qs.arg(e.line).arg(
                       e.primaryPrefix, e.name);

        auto makeRow = [&](const CtyPrefix* p) {
            DxccRow r;
            r.pfx = p ? p->prefix : primary;
            r.pys = name;
            r.cqz = zone(p && !p->cqZone.isEmpty() ? p->cqZone : e.cqZone);
            r.ituz = zone(p && !p->ituZone.isEmpty() ? p->ituZone : e.ituZone);
            const bool ownPosition = p && !p->latitude.isEmpty();
            r.latz = coordinate(ownPosition ? p->latitude : e.latitude, false);
            r.longz = coordinate(ownPosition ? p->longitude : e.longitude, true);
            r.wacz = p && !p->continent.isEmpty() ? p->continent : e.continent;
            r.adif = code;
            return r;
        };

        bool primaryListed = false;
        for (const CtyPrefix& p : e.prefixes)
            if (!p.wholeCall && p.prefix == primary)
                primaryListed = true;

        if (!primaryListed) {
            // The entity's primary prefix, added because its prefix list lacks it: it gives way to
            // the same prefix written explicitly in the list of another entity, as cty.dat means it.
            if (writtenBy.contains(primary))
                result.warnings
                    << u"line %1: primary prefix %2 of %3 not written: %2 is already a row of %4"_qs
                           .arg(e.line)
                           .arg(primary, e.name, writtenBy.value(primary));
            else if (explicitOwner.contains(primary))
                result.warnings
                    << u"line %1: primary prefix %2 of %3 not written: cty.dat lists %2 as a prefix of %4"_qs
                           .arg(e.line)
                           .arg(primary, e.name, explicitOwner.value(primary));
            else {
                result.rows << makeRow(nullptr);
                writtenBy.insert(primary, e.name);
            }
        }
        for (const CtyPrefix& p : e.prefixes) {
            if (p.wholeCall)
                continue;
            if (writtenBy.contains(p.prefix)) {
                result.warnings
                    << u"line %1: prefix %2 of %3 dropped: %2 is already a row of %4"_qs.arg(p.line).arg(
                           p.prefix, e.name, writtenBy.value(p.prefix));
                continue;
            }
            result.rows << makeRow(&p);
            writtenBy.insert(p.prefix, e.name);
        }
    }
    return result;
}

QByteArray CtyConverter::formatDxcc(const QList<DxccRow>& rows)
{
    QByteArray out;
    for (const DxccRow& r : rows) {
        const QStringList fields = {r.pfx, r.pys, r.cqz, r.ituz, r.latz, r.longz, r.wacz, r.adif};
        QStringList clean;
        for (const QString& f : fields)
            clean << cleanField(f);
        out += clean.join(u',').toLatin1();
        out += "\r\n";
    }
    return out;
}

QString CtyConverter::versionDate(const QList<CtyEntity>& entities)
{
    static const QRegularExpression re(u"^VER(\\d{8})$"_qs);
    for (const CtyEntity& e : entities)
        for (const CtyPrefix& p : e.prefixes)
            if (p.wholeCall) {
                const QRegularExpressionMatch m = re.match(p.prefix);
                if (m.hasMatch())
                    return m.captured(1);
            }
    return {};
}

QString CtyConverter::coordinate(const QString& value, bool negate)
{
    bool ok = false;
    double v = value.trimmed().toDouble(&ok);
    if (!ok)
        return cleanField(value);
    if (negate)
        v = -v;
    QString s = QString::number(v, 'f', 2);
    if (s == u"-0.00")
        s = u"0.00"_qs;
    return s;
}

QString CtyConverter::zone(const QString& value)
{
    bool ok = false;
    const uint z = value.trimmed().toUInt(&ok);
    return ok ? QString::number(z) : cleanField(value);
}

QString CtyConverter::cleanField(const QString& value)
{
    const QString decomposed = value.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed) {
        if (c == u',')
            out += u' ';
        else if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            out += u' ';
        else if (c.unicode() < 0x80)
            out += c;
        // anything else (accents split off above, other scripts) is left out
    }
    return out.simplified();
}

} // namespace korvane::cty
