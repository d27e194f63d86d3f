// velliqa-screenshots OUTDIR: renders the main window, each page and each dialog to PNG, then
// the main window on a 1280 x 1024 screen at the scale factors 1.25, 1.5 and 2 (each in a run of
// its own, "--scale FACTOR", as the factor is fixed when the application starts), and the main
// window maximised on a 1920 x 1080 screen ("--maximised", a run with that screen).
#include "tools/screenshots/Shots.h"

#include "app/MainDlg.h"
#include "platform/DialogFontFit.h"
#include "platform/ModalSeam.h"
#include "res/Resources.h"
#include "res/Templates.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QImage>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTranslator>
#include <QWidget>

#include <cstdio>
#include <fstream>

namespace {

constexpr const char* kScaleFactors[] = {"1.25", "1.5", "2"};

// The offscreen platform's screen: a monitor of the given size.
std::string WriteScreenConfig(const std::string& folder, int width, int height)
{
    const std::string name = std::to_string(width) + "x" + std::to_string(height);
    const std::string path = folder + "/screen-" + name + ".json";
    std::ofstream(path) << R"({"screens": [{"name": ")" << name << R"(", "x": 0, "y": 0, "width": )" << width
                        << R"(, "height": )" << height
                        << R"(, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    return path;
}

// The main window as a user of that screen sees it, on a picture of the whole screen.
void ShootScaled(const ShotContext& ctx, const QString& factor)
{
    UseDialogFontFitting(MainTemplate(), QGuiApplication::primaryScreen());
    WriteSampleRecords();
    CMainDlg dlg(RealModalSeam());
    ShowMainWindowOnTab(dlg, 0);
    ctx.SaveOnScreen(dlg, QStringLiteral("scaled-screen-") + factor);
}

// The main window maximised, on the list and on the graph, on a picture of the whole screen.
void ShootMaximised(const ShotContext& ctx)
{
    UseDialogFontFitting(MainTemplate(), QGuiApplication::primaryScreen());
    WriteSampleRecords();
    CMainDlg dlg(RealModalSeam());
    dlg.OnInitDialog();
    dlg.showMaximized();
    const char* names[] = {"maximised-list", "maximised-graph"};
    for (int tab = 0; tab < 2; ++tab) {
        dlg.TabBar()->setCurrentIndex(tab);
        QApplication::processEvents();
        ctx.SaveOnScreen(dlg, QString::fromLatin1(names[tab]));
    }
}

void RenderScaledRuns(const QString& outDir)
{
    for (const char* factor : kScaleFactors)
        QProcess::execute(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("--scale"), QString::fromLatin1(factor), outDir});
    QProcess::execute(QCoreApplication::applicationFilePath(), {QStringLiteral("--maximised"), outDir});
}

} // namespace

void ShotContext::Save(QWidget& widget, const QString& name) const
{
    const QString path = outDir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!widget.grab().save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
}

void ShotContext::SaveOnScreen(QWidget& window, const QString& name) const
{
    const QScreen* screen = window.screen();
    const qreal ratio = screen->devicePixelRatio();
    const QSize logical = screen->geometry().size();
    QImage canvas(static_cast<int>(logical.width() * ratio), static_cast<int>(logical.height() * ratio),
                  QImage::Format_RGB32);
    canvas.fill(QColor(58, 90, 120));
    QPainter painter(&canvas);
    painter.scale(ratio, ratio);
    painter.fillRect(window.frameGeometry(), QColor(210, 210, 210));
    painter.drawPixmap(window.geometry().topLeft(), window.grab());
    painter.end();
    const QString path = outDir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (!canvas.save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
}

void ShotContext::SaveMessageBox(const QString& name, const QString& text, unsigned type,
                                 const QString& checkText) const
{
    const auto box = MakeMessageBox(nullptr, text, QStringLiteral("Velliqa"), type, checkText);
    box->show();
    QApplication::processEvents();
    Save(*box, name);
}

void ShowMainWindowOnTab(CMainDlg& dlg, int tab)
{
    dlg.OnInitDialog();
    dlg.show();
    dlg.TabBar()->setCurrentIndex(tab);
    QApplication::processEvents();
}

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const QCommandLineOption scale(QStringLiteral("scale"),
                                   QStringLiteral("Only the main window on a scaled screen."),
                                   QStringLiteral("factor"));
    parser.addOption(scale);
    const QCommandLineOption maximised(
        QStringLiteral("maximised"),
        QStringLiteral("Only the main window maximised on a 1920 x 1080 screen."));
    parser.addOption(maximised);
    parser.addPositionalArgument(QStringLiteral("outdir"), QStringLiteral("Folder for the PNG files."));
    parser.parse(arguments);
    const QString factor = parser.value(scale);
    const bool wide = parser.isSet(maximised);

    // The user's own settings stay untouched: the tool keeps its settings in a folder of its own.
    QTemporaryDir settingsDir;
    QTemporaryDir data;
    // Message boxes take their width from the screen: the same 1280 x 1024 screen for every shot.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" +
                                   QByteArray::fromStdString(WriteScreenConfig(
                                       data.path().toStdString(), wide ? 1920 : 1280, wide ? 1080 : 1024)));
    if (!factor.isEmpty())
        qputenv("QT_SCALE_FACTOR", factor.toLatin1());
    QApplication app(argc, argv);
    // Qt's own button texts in Japanese, as the program shows them.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    InitResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velliqa.svg")));
    const QStringList positional = parser.positionalArguments();
    const QString outDir =
        QDir(positional.isEmpty() ? QStringLiteral("screenshots") : positional.front()).absolutePath();
    QDir().mkpath(outDir);
    const ShotContext ctx{outDir};

    const QString previous = QDir::currentPath();
    if (!factor.isEmpty() || wide) {
        QDir::setCurrent(data.path());
        if (wide)
            ShootMaximised(ctx);
        else
            ShootScaled(ctx, factor);
        QDir::setCurrent(previous);
        return 0;
    }
    for (auto* shoot : {&ShootApp, &ShootList, &ShootGraph, &ShootEvaluation, &ShootSettings, &ShootPrint,
                        &ShootReport, &ShootUpdate, &ShootBackups}) {
        QTemporaryDir folder;
        QDir::setCurrent(folder.path());
        shoot(ctx);
        QDir::setCurrent(previous);
    }
    RenderScaledRuns(outDir);
    return 0;
}
