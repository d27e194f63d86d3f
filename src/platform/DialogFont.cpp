#include "platform/DialogFont.h"

#include <QApplication>
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
