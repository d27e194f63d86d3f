#pragma once
// The user's own choices that belong to no data file, such as a notice the user asked not to see
// again. They are kept by the desktop's settings store (QSettings: ~/.config/Velliqa on Linux),
// never in setting.txt and never in the data folder, whose files stay as the data file formats
// say.

#include <QByteArray>
#include <QString>

#include <string>

class CUserSettings
{
public:
    // Whether the user asked not to see the notice of this key again.
    static bool IsNoticeHidden(const QString& key);
    // Remembers that the notice of this key is not to be shown again. Nothing is written when
    // the settings store would lie in the data folder at dataFolder.
    static void HideNotice(const QString& key, const std::string& dataFolder);

    // The main window's size, place and state as it was last closed (QWidget::saveGeometry),
    // or empty when none is kept.
    static QByteArray MainWindowGeometry();
    // Keeps it for the next start; as for the notices, not when the store lies in the data folder.
    static void SetMainWindowGeometry(const QByteArray& geometry, const std::string& dataFolder);
};
