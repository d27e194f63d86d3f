#include "update/OtherPage.h"

#include "config/VelliqaConfig.h"
#include "platform/ModalSeam.h"
#include "platform/WinTypes.h"
#include "res/Templates.h"
#include "update/CurlTransport.h"
#include "update/HttpDownloader.h"
#include "update/UpdaterLauncher.h"
#include "update/VersionFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>

namespace {

// The version file's URL is a setting of the build (VELLIQA_UPDATE_URL in CMake).
constexpr const char* kUpdateUrl = kVelliqaUpdateUrl;

QString FailureReason(DownloadError error, int status)
{
    switch (error) {
    case DownloadError::BadUrl:
        return QStringLiteral("バージョン情報のアドレスが正しくありません。");
    case DownloadError::Session:
        return QStringLiteral("通信の準備ができませんでした。");
    case DownloadError::NameNotResolved:
        return QStringLiteral("サーバーが見つかりませんでした。\nネットワークの接続を確認してください。");
    case DownloadError::ConnectFailed:
        return QStringLiteral("サーバーに接続できませんでした。\nネットワークの接続を確認してください。");
    case DownloadError::Timeout:
        return QStringLiteral("サーバーが時間内に応答しませんでした。");
    case DownloadError::ConnectionLost:
        return QStringLiteral("受信の途中で接続が切れました。");
    case DownloadError::BadReply:
        return QStringLiteral("サーバーの応答が正しくありません。");
    case DownloadError::TooManyRedirects:
        return QStringLiteral("サーバーの転送が繰り返され、バージョン情報に届きませんでした。");
    case DownloadError::TooLarge:
        return QStringLiteral("サーバーの応答が大きすぎます。");
    case DownloadError::OutOfMemory:
        return QStringLiteral("メモリが不足しています。");
    case DownloadError::EmptyBody:
        return QStringLiteral("サーバーの応答が空でした。");
    case DownloadError::NoVersion:
        if (status != 0 && status != 200)
            return QStringLiteral("サーバーからバージョン情報が得られませんでした（HTTP %1）。").arg(status);
        return QStringLiteral("サーバーの応答にバージョン情報がありません。");
    case DownloadError::None:
    case DownloadError::Network:
    case DownloadError::Cancelled:
        break;
    }
    return QStringLiteral("通信中にエラーが発生しました。");
}

} // namespace

COtherPage::COtherPage(IModalSeam& seam)
    : CPage(OtherTemplate(), seam), m_strUpdateUrl(kUpdateUrl),
      m_makeTransport([] { return std::make_unique<CCurlTransport>(); }),
      m_progressRunner(QStringLiteral("新しいバージョンを確認しています…")), m_pRunner(&m_progressRunner),
      m_pLauncher(&RealUpdaterLauncher())
{
    SwallowEnterAndEscape(true);
    // The version text reads out as it shows.
    for (auto* label : findChildren<QLabel*>())
        label->setAccessibleName(label->text());
    if (auto* button = Get<QPushButton>(OtherIds::IDC_ONLINE_UPDATE))
        connect(button, &QPushButton::clicked, this, [this] { OnOnlineUpdate(); });
}

bool COtherPage::OnInitDialog()
{
    return CPage::OnInitDialog();
}

QString COtherPage::UpdaterPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Update.exe"));
}

void COtherPage::OnOnlineUpdate()
{
    CHttpDownloader client(m_makeTransport());
    int r = 0;
    bool checked = false;
    m_pRunner->Run(
        this,
        [&] {
            r = client.CheckVersion(m_strUpdateUrl, kCurrentVersion);
            checked = true;
        },
        [&] { client.SetStopRequest(true); });

    const DownloadError error = checked ? client.GetError() : DownloadError::Network;
    if (error == DownloadError::Cancelled)
        return; // the user stopped it and knows
    if (error != DownloadError::None) {
        ReportCheckFailed(error, client.GetStatusCode());
        return;
    }
    if (r <= 0) {
        ReportUpToDate();
        return;
    }
    if (AskToUpdate() != IDYES)
        return;
    StartUpdater(client);
}

int COtherPage::AskToUpdate()
{
    return Seam().MessageBox(window(),
                             QStringLiteral("新しいバージョンが見つかりました。今すぐアップデートしますか？"),
                             QStringLiteral("新しいバージョンのダウンロード"), MB_YESNO | MB_ICONQUESTION);
}

void COtherPage::ReportUpToDate()
{
    Seam().MessageBox(window(), QStringLiteral("最新のバージョンがインストールされています"),
                      QStringLiteral("バージョンの確認"), MB_OK | MB_ICONINFORMATION);
}

void COtherPage::ReportCheckFailed(DownloadError error, int status)
{
    Seam().MessageBox(
        window(), QStringLiteral("新しいバージョンを確認できませんでした。\n") + FailureReason(error, status),
        QStringLiteral("バージョンの確認"), MB_OK | MB_ICONEXCLAMATION);
}

void COtherPage::StartUpdater(const CHttpDownloader& client)
{
    const UpdateDetails details{client.m_szLocation, client.m_szSize, client.m_szFlag, client.m_szDelay,
                                client.m_szParam};
    QStringList arguments;
    for (const std::string& argument :
         UpdaterArguments(QCoreApplication::applicationFilePath().toStdString(), details))
        arguments << QString::fromStdString(argument);
    if (!m_pLauncher->StartDetached(UpdaterPath(), arguments)) {
        // Closing now would leave the user with neither the program nor its update.
        Seam().MessageBox(window(),
                          QStringLiteral("アップデートプログラム（Update.exe）を起動できませんでした。"),
                          QStringLiteral("新しいバージョンのダウンロード"), MB_OK | MB_ICONSTOP);
        return;
    }
    // Closed once this handler has returned, as the close box closes it: the program ends.
    QWidget* mainWindow = window();
    QMetaObject::invokeMethod(
        mainWindow, [mainWindow] { mainWindow->close(); }, Qt::QueuedConnection);
}
