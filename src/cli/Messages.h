#pragma once
// The one place that chooses the language of the program's messages: Japanese under a Japanese
// locale, English otherwise, for the command line, the CSV refusals and the lock notices alike.
// It also holds the command line's own help and error texts. The arguments are read before any
// application object exists, so Qt's translations never apply to them and the texts that
// QCommandLineParser would write in English ("Usage:", "Unknown option") are written here.

#include "platform/Language.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

// The language of the messages, by the system locale.
Language MessageLanguage();

// The Japanese or the English text, by the language (the locale's unless given).
QString Localised(const QString& japanese, const QString& english);
QString Localised(Language language, const QString& japanese, const QString& english);

// The --help text: the usage line, the description and every option with its value name,
// the descriptions wrapped to 79 columns (a wide character counts two).
QString HelpText(const QString& description, const QList<QCommandLineOption>& options, Language language);

// Why `parser`, holding `options`, could not read `arguments` (parse returned false): an
// unknown option, a missing value or a value after an option that takes none.
QString ParseErrorText(const QCommandLineParser& parser, const QList<QCommandLineOption>& options,
                       const QStringList& arguments, Language language);

// The line after every refused command line: where to read how it is used.
QString HelpHintText(Language language);
