#include "app/CommandLine.h"

#include "update/VersionFile.h"

#include <QDir>
#include <QLocale>

bool UseJapaneseMessages()
{
    return QLocale::system().language() == QLocale::Japanese;
}

QString Localised(const QString& japanese, const QString& english)
{
    return UseJapaneseMessages() ? japanese : english;
}

namespace {

void WriteLine(std::ostream& stream, const QString& text)
{
    stream << text.toStdString() << '\n';
}

QCommandLineOption Flag(const QStringList& names, const QString& japanese, const QString& english)
{
    return QCommandLineOption(names, Localised(japanese, english));
}

QCommandLineOption Valued(const QString& name, const QString& japanese, const QString& english,
                          const QString& valueName)
{
    return QCommandLineOption(name, Localised(japanese, english), valueName);
}

} // namespace

CCommandLine::CCommandLine()
    : m_help(Flag({QStringLiteral("h"), QStringLiteral("help")},
                  QStringLiteral("この説明を表示して終了します。"),
                  QStringLiteral("Show this help and exit."))),
      m_version(Flag({QStringLiteral("v"), QStringLiteral("version")},
                     QStringLiteral("バージョンを表示して終了します。"),
                     QStringLiteral("Show the version and exit."))),
      m_dataDir(
          Valued(QStringLiteral("data-dir"),
                 QStringLiteral("データフォルダー（data.txt, item.txt, setting.txt のあるフォルダー）。"
                                "ウィンドウもほかの操作もここのデータを使います。既定は現在のフォルダー。"),
                 QStringLiteral("The data folder, holding data.txt, item.txt and setting.txt, for the window "
                                "and for every operation; the current folder by default."),
                 QStringLiteral("DIR")))
{
    m_parser.setApplicationDescription(
        Localised(QStringLiteral("Velliqa: 血圧の記録。オプションを付けなければウィンドウを開きます。"),
                  QStringLiteral("Velliqa: a blood-pressure log. Without options it opens its window.")));
    m_parser.addOption(m_help);
    m_parser.addOption(m_version);
    m_parser.addOption(m_dataDir);
}

void CCommandLine::Parse(const QStringList& arguments)
{
    m_bParsed = m_parser.parse(arguments);
}

QString CCommandLine::Conflict() const
{
    if (!m_parser.positionalArguments().isEmpty())
        return Localised(QStringLiteral("余分な引数があります: %1"),
                         QStringLiteral("unexpected argument: %1"))
            .arg(m_parser.positionalArguments().constFirst());
    return {};
}

bool CCommandLine::WantsWindow() const
{
    if (!m_bParsed || !Conflict().isEmpty())
        return false;
    return !m_parser.isSet(m_help) && !m_parser.isSet(m_version);
}

bool CCommandLine::EnterDataFolder(std::ostream& err) const
{
    if (!m_bParsed || !m_parser.isSet(m_dataDir))
        return true;
    const QString folder = m_parser.value(m_dataDir);
    if (QFileInfo(folder).isDir() && QDir::setCurrent(folder))
        return true;
    WriteLine(err, Localised(QStringLiteral("データフォルダー「%1」を開けません。"),
                             QStringLiteral("cannot open the data folder \"%1\"."))
                       .arg(folder));
    return false;
}

QString CCommandLine::VersionText()
{
    // The version file writes each part as three digits: 001000000 is 1.0.0.
    QStringList parts;
    for (std::size_t i = 0; i + 3 <= kCurrentVersion.size(); i += 3)
        parts << QString::number(QString::fromLatin1(kCurrentVersion.substr(i, 3)).toInt());
    return parts.join(QLatin1Char('.'));
}

int CCommandLine::Run(std::ostream& out, std::ostream& err)
{
    if (!m_bParsed || !Conflict().isEmpty()) {
        WriteLine(err, m_bParsed ? Conflict() : m_parser.errorText());
        WriteLine(err, Localised(QStringLiteral("使い方は velliqa --help で表示されます。"),
                                 QStringLiteral("velliqa --help shows how to use it.")));
        return kExitUsage;
    }
    if (m_parser.isSet(m_help)) {
        out << m_parser.helpText().toStdString();
        return kExitOk;
    }
    if (m_parser.isSet(m_version)) {
        WriteLine(out, QStringLiteral("Velliqa %1").arg(VersionText()));
        return kExitOk;
    }
    if (!EnterDataFolder(err))
        return kExitFailed;
    return kExitOk;
}
