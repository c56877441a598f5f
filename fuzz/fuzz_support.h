#pragma once

// Set-up shared by the fuzz targets. Each target is one source file; include
// this from it.
#include "net/game_random.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

// Qt keeps caches (fonts, sockets' engines, thread data) from one input to the
// next and past the last one: a leak check after each input would take most of
// the time, and the one at exit would report the caches as a crash. Memory that
// really grows still runs into libFuzzer's RSS limit. Targets that run Qt's
// event machinery put this once at file scope.
#define GD_FUZZ_WITHOUT_LEAK_CHECK()                                                                                   \
    extern "C" const char* __asan_default_options()                                                                    \
    {                                                                                                                  \
        return "detect_leaks=0";                                                                                       \
    }

namespace FuzzSupport {

// The input as Qt bytes.
inline QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), qsizetype(size));
}

// Windows offscreen, and whatever a handler writes (settings, tally, the
// single-instance marker) in folders of the run's own. Call before the
// application object is made.
inline void useOwnFolders()
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QTemporaryDir home;
    qputenv("GLOOPDASH_HOME", home.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        QDir(home.path()).mkdir(QStringLiteral("runtime"));
        QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", home.filePath(QStringLiteral("runtime")).toLocal8Bit());
    }
}

// The game's generator as GameRandom::seed(seed) leaves it, installed in its
// place; restart() puts it back by a copy, which costs far less than seeding
// it again for every input.
class SeededRandom {
public:
    explicit SeededRandom(unsigned seed) : m_seeded(seed) { GameRandom::install(m_source); }
    void restart() { m_source->generator = m_seeded; }

private:
    struct Source final : RandomSource {
        int random(int n) override { return n <= 0 ? 0 : int(generator.bounded(quint32(n))); }
        QRandomGenerator generator;
    };
    const QRandomGenerator m_seeded;
    const std::shared_ptr<Source> m_source = std::make_shared<Source>();
};

} // namespace FuzzSupport
