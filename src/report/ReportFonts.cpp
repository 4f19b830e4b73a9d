#include "report/ReportFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace report {

namespace {

// Closest first. Noto/Source Han are what Debian installs with fonts-noto-cjk;
// the AR PL and WenQuanYi faces come with the older Chinese font packages.
const char16_t *const kSong[] = {
    u"SimSun",        u"宋体",               u"NSimSun",           u"新宋体",
    u"Noto Serif CJK SC", u"Source Han Serif SC", u"Source Han Serif CN", u"Noto Serif SC",
    u"AR PL UMing CN", u"AR PL SungtiL GB",  u"FandolSong",
};
const char16_t *const kHei[] = {
    u"SimHei",          u"黑体",                u"Microsoft YaHei",   u"Noto Sans CJK SC",
    u"Source Han Sans SC", u"Source Han Sans CN", u"Noto Sans SC",    u"WenQuanYi Zen Hei",
    u"WenQuanYi Micro Hei", u"Droid Sans Fallback", u"FandolHei",
};

QString firstInstalled(const QStringList &installed, const char16_t *const *names, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const QString name = QString::fromUtf16(names[i]);
        for (const QString &f : installed)
            if (f.compare(name, Qt::CaseInsensitive) == 0)
                return f;
    }
    return QString();
}

// Any installed face that writes simplified Chinese, preferring one whose name
// says it is of the wanted kind.
QString anyChinese(const QStringList &installed, Face face)
{
    const QStringList hints = face == Face::Song
                                  ? QStringList{QStringLiteral("serif"), QStringLiteral("song"),
                                                QStringLiteral("ming")}
                                  : QStringList{QStringLiteral("sans"), QStringLiteral("hei")};
    QString any;
    for (const QString &f : installed) {
        if (!QFontDatabase::writingSystems(f).contains(QFontDatabase::SimplifiedChinese))
            continue;
        for (const QString &h : hints)
            if (f.contains(h, Qt::CaseInsensitive))
                return f;
        if (any.isEmpty())
            any = f;
    }
    return any;
}

QString find(Face face)
{
    const QStringList installed = QFontDatabase::families();
    QString f = face == Face::Song ? firstInstalled(installed, kSong, std::size(kSong))
                                   : firstInstalled(installed, kHei, std::size(kHei));
    if (f.isEmpty())
        f = anyChinese(installed, face);
    if (f.isEmpty() && face == Face::Song)
        f = firstInstalled(installed, kHei, std::size(kHei));
    if (f.isEmpty())
        f = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    return f;
}

}  // namespace

QString familyFor(Face face)
{
    // The installed fonts do not change while the program runs.
    static const QString song = find(Face::Song);
    static const QString hei = find(Face::Hei);
    return face == Face::Song ? song : hei;
}

QFont fontFor(const Font &font)
{
    QFont f(familyFor(font.face));
    f.setPointSizeF(font.points);
    f.setBold(font.bold);
    // Without shaping: the forms hold Chinese, Latin letters and digits only,
    // which need none, and shaping gives the digits after a letter
    // ("XSD20240315001") alternate glyphs that a PDF cannot name, so they
    // would be missing from its text.
    f.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::PreferNoShaping));
    return f;
}

}  // namespace report
