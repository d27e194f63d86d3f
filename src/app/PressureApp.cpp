#include "app/PressureApp.h"

#include "app/MainDlg.h"
#include "platform/ModalSeam.h"
#include "res/Resources.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>

bool CPressureApp::InitInstance()
{
    InitResources();
    // Qt's own texts (standard buttons, the print dialog) in Japanese: "はい", "いいえ".
    if (m_qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&m_qtTranslator);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velliqa.svg")));

    CMainDlg dlg(RealModalSeam());
    dlg.DoModal();
    return false;
}
