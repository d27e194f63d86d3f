// velliqa-icon-render SVG OUTDIR SIZE...: draws the program's SVG icon as square PNG files
// OUTDIR/SIZExSIZE/apps/velliqa.png, the layout of the hicolor icon theme, so the installed
// PNG icons always match the SVG they come from. It draws into images only, so it needs no
// application object and no display.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <optional>

namespace {

std::optional<int> ParseSize(const char* text)
{
    bool ok = false;
    const int size = QString::fromLatin1(text).toInt(&ok);
    if (!ok || size < 1 || size > 1024)
        return std::nullopt;
    return size;
}

bool RenderOne(QSvgRenderer& svg, const QString& outDir, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        svg.render(&painter, QRectF(0, 0, size, size));
    }
    const QString dir = QStringLiteral("%1/%2x%2/apps").arg(outDir).arg(size);
    if (!QDir().mkpath(dir))
        return false;
    return image.save(dir + QStringLiteral("/velliqa.png"), "PNG");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: velliqa-icon-render SVG OUTDIR SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) {
        std::fprintf(stderr, "velliqa-icon-render: cannot read the SVG file %s\n", argv[1]);
        return 1;
    }
    const QString outDir = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const std::optional<int> size = ParseSize(argv[i]);
        if (!size) {
            std::fprintf(stderr, "velliqa-icon-render: not an icon size: %s\n", argv[i]);
            return 2;
        }
        if (!RenderOne(svg, outDir, *size)) {
            std::fprintf(stderr, "velliqa-icon-render: cannot write the %d pixel icon under %s\n", *size,
                         argv[2]);
            return 1;
        }
    }
    return 0;
}
