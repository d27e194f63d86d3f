#include "cli/CommandFolder.h"

#include "cli/Messages.h"

#include <QFile>
#include <QFileInfo>

void Tell(std::ostream& err, const QString& text)
{
    err << text.toStdString() << '\n';
}

std::string CommandFolderPath(const std::optional<QString>& folder)
{
    return folder ? QFile::encodeName(*folder).toStdString() : std::string(".");
}

bool CheckDataFolder(const std::optional<QString>& folder, std::ostream& err)
{
    if (!folder)
        return true;
    // A folder that can be entered, as the window's data folder must be.
    if (const QFileInfo info(*folder); info.isDir() && info.isExecutable())
        return true;
    Tell(err, Localised(QStringLiteral("データフォルダー「%1」を開けません。"),
                        QStringLiteral("cannot open the data folder \"%1\"."))
                  .arg(*folder));
    return false;
}

bool TakeFolder(const CInstanceLock& lock, std::ostream& err)
{
    if (lock.GetState() == CInstanceLock::State::HeldByOther) {
        Tell(err,
             Localised(
                 QStringLiteral(
                     "ほかの Velliqa がこのフォルダーのデータを使っています。"
                     "そのウィンドウを閉じてから、もう一度実行してください。何も変更していません。"),
                 QStringLiteral("another Velliqa is working on the data in this folder; close its window "
                                "and try again. Nothing was changed.")));
        return false;
    }
    // Where no lock works at all, the data stays usable, as it does for the window.
    if (lock.GetState() == CInstanceLock::State::Unavailable)
        err << LockUnavailableNotice(lock.GetError(), MessageLanguage());
    return true;
}
