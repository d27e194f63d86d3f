#include "cli/Messages.h"

#include <QLocale>

#include <algorithm>

namespace {

// Descriptions in --help end before this column.
constexpr int kHelpWidth = 79;

bool IsWide(QChar c)
{
    return c.unicode() >= 0x1100;
}

// Characters that never start a line: closing brackets and marks that end a phrase.
bool ClosesPhrase(QChar c)
{
    return QStringLiteral("、。）」』，．,.)").contains(c);
}

int Columns(const QString& text)
{
    int columns = 0;
    for (const QChar c : text)
        columns += IsWide(c) ? 2 : 1;
    return columns;
}

// The text in pieces a line may end after: a run of narrow characters, a blank, or one wide
// character with the closing marks that follow it.
QStringList Pieces(const QString& text)
{
    QStringList pieces;
    QString piece;
    for (const QChar c : text) {
        const bool joins =
            !piece.isEmpty() && ((ClosesPhrase(c) && c != u' ') ||
                                 (!IsWide(c) && c != u' ' && !IsWide(piece.back()) && piece.back() != u' '));
        if (!joins && !piece.isEmpty()) {
            pieces << piece;
            piece.clear();
        }
        piece += c;
    }
    if (!piece.isEmpty())
        pieces << piece;
    return pieces;
}

// The text in lines of at most `width` columns (a piece longer than that keeps a line to itself).
QStringList Wrapped(const QString& text, int width)
{
    QStringList lines;
    QString line;
    for (const QString& piece : Pieces(text)) {
        if (!line.isEmpty() && Columns(line) + Columns(piece) > width) {
            lines << line.trimmed();
            line.clear();
        }
        if (line.isEmpty() && piece == QStringLiteral(" "))
            continue;
        line += piece;
    }
    if (!line.trimmed().isEmpty())
        lines << line.trimmed();
    return lines;
}

// "-h, --help" or "--data-dir <DIR>".
QString Names(const QCommandLineOption& option)
{
    QStringList names;
    for (const QString& name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += QStringLiteral(" <%1>").arg(option.valueName());
    return text;
}

const QCommandLineOption* Find(const QList<QCommandLineOption>& options, const QString& name)
{
    const auto found = std::find_if(options.begin(), options.end(), [&name](const QCommandLineOption& o) {
        return o.names().contains(name);
    });
    return found == options.end() ? nullptr : &*found;
}

} // namespace

Language MessageLanguage()
{
    return QLocale::system().language() == QLocale::Japanese ? Language::Japanese : Language::English;
}

QString Localised(Language language, const QString& japanese, const QString& english)
{
    return language == Language::Japanese ? japanese : english;
}

QString Localised(const QString& japanese, const QString& english)
{
    return Localised(MessageLanguage(), japanese, english);
}

QString HelpText(const QString& description, const QList<QCommandLineOption>& options, Language language)
{
    QString text = Localised(language, QStringLiteral("使い方: velliqa [オプション]\n"),
                             QStringLiteral("Usage: velliqa [options]\n"));
    text += description + QStringLiteral("\n\n");
    text += Localised(language, QStringLiteral("オプション:\n"), QStringLiteral("Options:\n"));
    int nameWidth = 0;
    for (const QCommandLineOption& option : options)
        nameWidth = std::max(nameWidth, static_cast<int>(Names(option).size()));
    const int indent = 2 + nameWidth + 2;
    for (const QCommandLineOption& option : options) {
        const QStringList lines = Wrapped(option.description(), kHelpWidth - indent);
        text += QStringLiteral("  ") + Names(option).leftJustified(nameWidth + 2);
        for (qsizetype i = 0; i < lines.size(); ++i)
            text += (i == 0 ? QString() : QString(indent, u' ')) + lines[i] + u'\n';
        if (lines.isEmpty())
            text += u'\n';
    }
    return text;
}

QString ParseErrorText(const QCommandLineParser& parser, const QList<QCommandLineOption>& options,
                       const QStringList& arguments, Language language)
{
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.size() == 1)
        return Localised(language, QStringLiteral("「%1」というオプションはありません。"),
                         QStringLiteral("Unknown option '%1'."))
            .arg(unknown.constFirst());
    if (unknown.size() > 1)
        return Localised(language, QStringLiteral("「%1」というオプションはありません。"),
                         QStringLiteral("Unknown options: %1."))
            .arg(unknown.join(Localised(language, QStringLiteral("」「"), QStringLiteral(", "))));
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == QStringLiteral("--") || !argument.startsWith(u'-'))
            continue;
        const QString bare = argument.mid(argument.startsWith(QStringLiteral("--")) ? 2 : 1);
        const QString name = bare.section(u'=', 0, 0);
        const QCommandLineOption* option = Find(options, name);
        if (option == nullptr)
            continue;
        const bool valued = !option->valueName().isEmpty();
        const QString shown = argument.section(u'=', 0, 0);
        if (valued && !bare.contains(u'=') && i + 1 == arguments.size())
            return Localised(language, QStringLiteral("%1 の後に値がありません。"),
                             QStringLiteral("Missing value after '%1'."))
                .arg(shown);
        if (!valued && bare.contains(u'='))
            return Localised(language, QStringLiteral("%1 には値を付けられません。"),
                             QStringLiteral("Unexpected value after '%1'."))
                .arg(shown);
    }
    return Localised(language, QStringLiteral("コマンドラインを読めません。"), parser.errorText());
}

QString HelpHintText(Language language)
{
    return Localised(language, QStringLiteral("使い方は velliqa --help で表示されます。"),
                     QStringLiteral("velliqa --help shows how to use it."));
}
