#include "side/program_starter.h"

#include <QProcess>

namespace {

class DetachedStarter final : public ProgramStarter {
public:
    bool start(const QString& program, const QStringList& arguments, const QString& folder) override
    {
        return QProcess::startDetached(program, arguments, folder);
    }
};

} // namespace

ProgramStarter& ProgramStarter::detached()
{
    static DetachedStarter starter;
    return starter;
}
