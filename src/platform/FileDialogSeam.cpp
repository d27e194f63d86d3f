#include "platform/FileDialogSeam.h"

#include <QFileDialog>

namespace {

class CRealFileDialogSeam final : public IFileDialogSeam
{
public:
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
    }

    QString SaveFileName(QWidget* parent, const QString& caption, const QString& suggested,
                         const QString& filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
    }
};

} // namespace

IFileDialogSeam& RealFileDialogSeam()
{
    static CRealFileDialogSeam seam;
    return seam;
}
