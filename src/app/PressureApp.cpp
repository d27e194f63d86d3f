#include "app/PressureApp.h"

#include "app/MainDlg.h"
#include "cli/Messages.h"
#include "platform/DataExchange.h"
#include "platform/DialogFontFit.h"
#include "platform/InstanceLock.h"
#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"
#include "res/Resources.h"
#include "res/Templates.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>

#include <cstdio>

QString CPressureApp::AlreadyRunningMessage()
{
    return QStringLiteral("Velliqa はこのフォルダーですでに起動しています。\n"
                          "同じデータを二つの Velliqa で同時に開くことはできません。");
}

bool CPressureApp::InitInstance(const std::string& folder)
{
    InitResources();
    // Qt's own texts (standard buttons, the print dialog) in Japanese: "はい", "いいえ".
    if (m_qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&m_qtTranslator);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velliqa.svg")));
    // Every window, message box and Qt dialog in the dialog font, at the size at which the main
    // window fits the screen (a scaled or small screen takes a smaller size).
    UseDialogFontFitting(MainTemplate(), QGuiApplication::primaryScreen());

    // A second copy in the same data folder changes nothing and ends.
    CInstanceLock lock(folder);
    if (lock.GetState() == CInstanceLock::State::HeldByOther) {
        RealModalSeam().MessageBox(nullptr, AlreadyRunningMessage(), AppTitle(), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // A folder where no lock works (a network folder without lock support) must not keep the
    // user from the data: start, and say so where it can be seen without standing in the way.
    if (lock.GetState() == CInstanceLock::State::Unavailable) {
        std::fputs(LockUnavailableNotice(lock.GetError(), MessageLanguage()).c_str(), stderr);
    }

    CMainDlg dlg(RealModalSeam(), folder);
    dlg.DoModal();
    return false;
}
