#pragma once

#include <QStringList>

// Starts another program (an installer, the lobby) apart from the game.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts `program` in `folder`, detached from the game; false when it cannot be started.
    virtual bool start(const QString& program, const QStringList& arguments, const QString& folder) = 0;

    // Starts the program as its own process, which outlives the game.
    static ProgramStarter& detached();
};
