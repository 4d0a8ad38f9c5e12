#include "Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

constexpr auto WineFontDir = "/usr/share/wine/fonts/";

struct BundledFace
{
    const char* file;
    const char* family;
};

// The Wine files register under exactly these family names; a substitution covers any that do not.
constexpr BundledFace WineFaces[] = {
    {"tahoma.ttf", "Tahoma"},
    {"tahomabd.ttf", "Tahoma"},
    {"ms_sans_serif.ttf", "MS Sans Serif"},
};

struct Alias
{
    const char* family;
    const char* face;
};

// Fontconfig usually aliases these already; saying so here keeps the layout independent of it.
constexpr Alias LiberationAliases[] = {
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
};

void registerWineFace(const BundledFace& face)
{
    const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(WineFontDir) + face.file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    const QString wanted = QString::fromLatin1(face.family);
    if (!families.isEmpty() && !families.contains(wanted))
        QFont::insertSubstitution(wanted, families.first());
}

} // namespace

void registerFonts()
{
    for (const BundledFace& face : WineFaces)
        registerWineFace(face);
    for (const Alias& alias : LiberationAliases)
        QFont::insertSubstitution(QString::fromLatin1(alias.family), QString::fromLatin1(alias.face));
}
