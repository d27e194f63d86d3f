#pragma once
// The program's command line. With no action the window starts; --help and --version print and
// end; the CSV export and import, the summary table and the evaluation run without a display and end. Every
// option is declared here, once, so that --help lists them all. Messages go to standard error, in Japanese
// under a Japanese locale and in English otherwise; data is never translated.

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <ostream>
#include <vector>

class CCommandLine
{
public:
    // Exit statuses: success, an action that failed, and a command line that cannot be run.
    static constexpr int kExitOk = 0;
    static constexpr int kExitFailed = 1;
    static constexpr int kExitUsage = 2;

    CCommandLine();

    // Reads the arguments (the first is the program). Needs no application object, so that
    // main can decide between the window and a command before it creates one.
    void Parse(const QStringList& arguments);

    // True when the window is to start: no action was asked for and the line was understood.
    bool WantsWindow() const;

    // Makes the data folder (--data-dir) the current folder, where the data files, their
    // temporary file and the folder's lock live. False, with a message on err, when it cannot.
    bool EnterDataFolder(std::ostream& err) const;

    // Runs the action asked for and returns the exit status. Needs a QCoreApplication; no
    // display. Output (help, version, an export to "-") goes to out, messages to err.
    int Run(std::ostream& out, std::ostream& err);

    // The version as the user reads it: 1.1.0.
    static QString VersionText();

private:
    // An option given without the action it belongs to, two actions at once, or a value that
    // cannot be read: the message; empty when the line can be run.
    QString Conflict() const;
    int RunExport(const QString& file, std::ostream& out, std::ostream& err);
    int RunImport(const QString& file, std::ostream& err);
    int RunSummary(std::ostream& out) const;
    int RunEvaluate(std::ostream& out) const;
    // The options that change data or print it: at most one of them at a time.
    std::vector<const QCommandLineOption*> Actions() const;
    QList<QCommandLineOption> Options() const;

    QCommandLineParser m_parser;
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
    QStringList m_arguments;
    QCommandLineOption m_evaluate;
    bool m_bParsed = false;
};
