#pragma once
// Every option of the command line, declared once with its description in the language of the
// messages, so that --help lists them all.

#include "platform/Language.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>

struct CCommandLineOptions
{
    explicit CCommandLineOptions(Language language);

    // In the order --help lists them.
    QList<QCommandLineOption> All() const;

    QString m_strDescription; // the line under the usage line of --help
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_dataDir;
    QCommandLineOption m_exportCsv;
    QCommandLineOption m_from;
    QCommandLineOption m_to;
    QCommandLineOption m_importCsv;
    QCommandLineOption m_raiseLimit;
    QCommandLineOption m_dateOrder;
    QCommandLineOption m_summary;
    QCommandLineOption m_days;
    QCommandLineOption m_evaluate;
    QCommandLineOption m_reportPdf;
    QCommandLineOption m_includeArchive;
    QCommandLineOption m_listBackups;
    QCommandLineOption m_restoreBackup;
};
