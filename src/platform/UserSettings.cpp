#include "platform/UserSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

QString NoticeKey(const QString& key)
{
    return QStringLiteral("notices/") + key + QStringLiteral("/hidden");
}

QString MainWindowGeometryKey()
{
    return QStringLiteral("mainWindow/geometry");
}

bool LiesInDataFolder(const QSettings& settings, const std::string& dataFolder)
{
    const QString folder = QFileInfo(settings.fileName()).absolutePath();
    return QDir(folder).canonicalPath() == QDir(QString::fromStdString(dataFolder)).canonicalPath();
}

} // namespace

bool CUserSettings::IsNoticeHidden(const QString& key)
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velliqa"),
                             QStringLiteral("Velliqa"));
    return settings.value(NoticeKey(key), false).toBool();
}

void CUserSettings::HideNotice(const QString& key, const std::string& dataFolder)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velliqa"),
                       QStringLiteral("Velliqa"));
    if (LiesInDataFolder(settings, dataFolder))
        return;
    settings.setValue(NoticeKey(key), true);
}

QByteArray CUserSettings::MainWindowGeometry()
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velliqa"),
                             QStringLiteral("Velliqa"));
    return settings.value(MainWindowGeometryKey()).toByteArray();
}

void CUserSettings::SetMainWindowGeometry(const QByteArray& geometry, const std::string& dataFolder)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Velliqa"),
                       QStringLiteral("Velliqa"));
    if (LiesInDataFolder(settings, dataFolder))
        return;
    settings.setValue(MainWindowGeometryKey(), geometry);
}
