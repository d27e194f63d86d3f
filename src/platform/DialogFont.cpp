#include "platform/DialogFont.h"

#include "platform/DialogTemplate.h"

#include <QApplication>
#include <QScreen>
#include <QStringList>

namespace {

const QStringList& DialogFamilies()
{
    static const QStringList families{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                                      QStringLiteral("Noto Sans CJK JP")};
    return families;
}

} // namespace

QFont DialogFontAt(int pointSize)
{
    QFont font;
    font.setFamilies(DialogFamilies());
    font.setPointSize(pointSize);
    return font;
}

QFont DialogFont()
{
    const QFont app = QApplication::font();
    if (app.families() == DialogFamilies())
        return app;
    return DialogFontAt(kDialogPointSize);
}

void UseDialogFont(int pointSize)
{
    QApplication::setFont(DialogFontAt(pointSize));
}

int FittingDialogPointSize(const DlgTemplate& tmpl, QSize available, QSize frame)
{
    for (int size = kDialogPointSize; size > kSmallestDialogPointSize; --size) {
        const CDialogUnits du(DialogFontAt(size));
        if (du.X(tmpl.w) + frame.width() <= available.width() &&
            du.Y(tmpl.h) + frame.height() <= available.height())
            return size;
    }
    return kSmallestDialogPointSize;
}

QSize ReservedWindowFrame()
{
    return QSize(16, 48);
}

int UseDialogFontFitting(const DlgTemplate& tmpl, const QScreen* screen)
{
    int size = kDialogPointSize;
    if (screen)
        size = FittingDialogPointSize(tmpl, screen->availableGeometry().size(), ReservedWindowFrame());
    UseDialogFont(size);
    return size;
}
