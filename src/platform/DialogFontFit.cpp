#include "platform/DialogFontFit.h"

#include "platform/DialogFont.h"
#include "platform/DialogTemplate.h"

#include <QScreen>

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
