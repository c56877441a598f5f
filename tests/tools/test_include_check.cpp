#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString Script = QStringLiteral(GD_SOURCE_DIR "/scripts/check-includes");

// Two libraries: gd_low in src/low, and gd_high in src/high, which declares gd_low.
void writeTree(const QString& root, const QByteArray& highDeclares)
{
    QDir(root).mkpath(QStringLiteral("src/low/core"));
    QDir(root).mkpath(QStringLiteral("src/high"));
    const auto write = [&root](const QString& path, const QByteArray& text) {
        QFile f(root + u'/' + path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    };
    write(QStringLiteral("src/CMakeLists.txt"),
          "gd_library(gd_low low Qt6::Core)\n"
          "gd_library(gd_low_core low/core Qt6::Core)\n"
          "gd_library(gd_high high "
              + highDeclares + " Qt6::Widgets)\n");
    write(QStringLiteral("src/low/low.h"), "#pragma once\n#include <QString>\n#include \"gd_version.h\"\n");
    write(QStringLiteral("src/low/core/core.h"), "#pragma once\n");
    write(QStringLiteral("src/high/high.h"), "#pragma once\n#include \"high_parts.h\"\n");
    write(QStringLiteral("src/high/high_parts.h"), "#pragma once\n");
    write(QStringLiteral("src/high/high.cpp"), "#include \"high.h\"\n\n#include \"low/low.h\"\n");
}

} // namespace

class TestIncludeCheck : public QObject {
    Q_OBJECT
private slots:
    void acceptsOnlyDeclaredLibraries_data();
    void acceptsOnlyDeclaredLibraries();
};

void TestIncludeCheck::acceptsOnlyDeclaredLibraries_data()
{
    QTest::addColumn<QByteArray>("declares");
    QTest::addColumn<QByteArray>("extra");
    QTest::addColumn<QString>("complaint");
    QTest::newRow("declared") << QByteArray("gd_low") << QByteArray() << QString();
    QTest::newRow("undeclared") << QByteArray("Qt6::Core") << QByteArray()
                                << "src/high/high.cpp:3: includes low/low.h of gd_low, which gd_high does not declare";
    // A subfolder is a library of its own, whichever way the include is written.
    QTest::newRow("subfolder from src") << QByteArray("gd_low") << QByteArray("#include \"low/core/core.h\"\n")
                                        << "src/high/high.cpp:4: includes low/core/core.h of gd_low_core, "
                                           "which gd_high does not declare";
    QTest::newRow("through a declared library") << QByteArray("gd_mid") << QByteArray() << QString();
}

void TestIncludeCheck::acceptsOnlyDeclaredLibraries()
{
    QFETCH(QByteArray, declares);
    QFETCH(QByteArray, extra);
    QFETCH(QString, complaint);
    QTemporaryDir root;
    writeTree(root.path(), declares);
    if (declares == "gd_mid") {
        // gd_high declares gd_mid, which declares gd_low: gd_low's headers are in reach.
        QDir(root.path()).mkpath(QStringLiteral("src/mid"));
        QFile cmake(root.path() + QStringLiteral("/src/CMakeLists.txt"));
        QVERIFY(cmake.open(QIODevice::Append));
        cmake.write("gd_library(gd_mid mid gd_low)\n");
    }
    if (!extra.isEmpty()) {
        QFile f(root.path() + QStringLiteral("/src/high/high.cpp"));
        QVERIFY(f.open(QIODevice::Append));
        f.write(extra);
    }
    QProcess check;
    check.start(QStringLiteral("python3"), {Script, QStringLiteral("--root"), root.path()});
    QVERIFY(check.waitForFinished(30000));
    const QString errors = QString::fromUtf8(check.readAllStandardError()).trimmed();
    QCOMPARE(errors, complaint);
    QCOMPARE(check.exitCode(), complaint.isEmpty() ? 0 : 1);
}

QTEST_GUILESS_MAIN(TestIncludeCheck)
#include "test_include_check.moc"
