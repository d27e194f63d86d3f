#pragma once
// The program itself, started as a user starts a command: without any display, in a locale of
// the test's choice. The test target defines VELLIQA_BINARY as the program's path.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <string>

struct Outcome
{
    int status = -1; // -1 when the program did not end normally
    std::string out;
    std::string err;
};

// Runs the program with the arguments in a locale (English unless told), without any display.
inline Outcome Velliqa(const QStringList& arguments, const QString& locale = QStringLiteral("C"))
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LC_ALL"), locale);
    env.insert(QStringLiteral("LANG"), locale);
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VELLIQA_BINARY), arguments);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}
