#include "update/UpdaterLauncher.h"

#include <QProcess>

namespace {

class CProcessLauncher final : public IUpdaterLauncher
{
public:
    bool StartDetached(const QString& program, const QStringList& arguments) override
    {
        return QProcess::startDetached(program, arguments);
    }
};

} // namespace

IUpdaterLauncher& RealUpdaterLauncher()
{
    static CProcessLauncher launcher; // stateless
    return launcher;
}
