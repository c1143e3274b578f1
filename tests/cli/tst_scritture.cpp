#include "support/childprocess.h"
#include "support/clirunner.h"
#include "support/provaincartella.h"
#include "support/setfiles.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// One of the companion's writes: the set before it (null: none), its arguments (FILE the set,
// CSV a spreadsheet beside the set's folder), and, once run untroubled, the set after it and the
// line it prints.
struct Scrittura
{
    QByteArray before;
    QString args;
    QByteArray after = {};
    QByteArray said = {};
};

QByteArray bytesAt(const QString &file)
{
    return QFileInfo::exists(file) ? readBytes(file) : QByteArray();
}

// The write's set in folder/set/, its spreadsheet beside; its arguments.
QStringList lay(const QString &folder, const Scrittura &write)
{
    QDir(folder).mkdir("set");
    if (!write.before.isNull())
        writeBytes(folder + "/set/set.slott", write.before);
    writeBytes(folder + "/in.csv", "titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina\n"
                                   "A,1 2,BARI,,1,,,\nB,3 4,ROMA,1,,,,\nC,5 6 7,TUTTE,,,1,,\n");
    return withPaths(write.args,
                     {{"FILE", folder + "/set/set.slott"}, {"CSV", folder + "/in.csv"}});
}

// The writes, each run once untroubled.
const std::map<QString, Scrittura> &writes()
{
    static const std::map<QString, Scrittura> all = [] {
        const QString add = "add|FILE|--titolo|Nuova|--numeri|1,2|--ruote|BARI|--giocata|Ambo=1";
        std::map<QString, Scrittura> w{
            {"system",
             {provaRecord() + "Coda", "system|FILE|--numeri|1,2,3,4,5,6,7,8|--classe|3|--ruote|"
                                      "BARI|--giocata|Ambo=1"}},
            {"import", {{}, "import|FILE|CSV"}},
            {"add", {provaRecord(), add}},
            {"add to a new set", {{}, add}}};
        for (auto &[name, write] : w) {
            QTemporaryDir dir;
            write.said = runCli(lay(dir.path(), write)).out;
            write.after = readBytes(dir.filePath("set/set.slott"));
        }
        return w;
    }();
    return all;
}

// The companion under strace, which logs the calls given and does `inject` (a kill, a failure,
// a signal, a stop) at those it names.
std::unique_ptr<QProcess> underStrace(const QString &log, const QString &calls,
                                      const QString &inject, const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    // LeakSanitizer stops the program with ptrace of its own, which strace already holds.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("ASAN_OPTIONS", environment.value("ASAN_OPTIONS") + ":detect_leaks=0");
    process->setProcessEnvironment(environment);
    QStringList options{"-f", "-qq", "-y", "-o", log, "-e", "trace=" + calls};
    if (!inject.isEmpty())
        options << "-e"
                << "inject=" + inject;
    process->start(QStandardPaths::findExecutable("strace"),
                   options + QStringList{ZAFFIRONE_CLI} + arguments);
    return process;
}

// The names a folder holds, hidden ones too.
QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// The companion under strace, stopped after each call of the kinds given until let go; killed
// if still there at the end.
class Fermato
{
public:
    Fermato(const QString &log, const QString &calls, const QStringList &arguments)
        : m_log(log), m_strace(underStrace(log, calls, calls + ":signal=STOP", arguments))
    {}
    ~Fermato()
    {
        if (!ended() && tracee() > 0)
            ::kill(tracee(), SIGKILL);
        m_strace->waitForFinished(20000);
    }
    // Until it stops after one more call (true) or ends (false).
    bool next()
    {
        const bool moved = QTest::qWaitFor(
            [&] { return readBytes(m_log).count("stopped by SIGSTOP") > m_stops || ended(); },
            20000);
        out += m_strace->readAllStandardOutput();
        return moved && !ended() && ++m_stops;
    }
    void resume()
    {
        if (tracee() > 0)
            ::kill(tracee(), SIGCONT);
    }
    bool ended() const { return m_strace->state() == QProcess::NotRunning; }
    QByteArray out; // what it printed so far

private:
    pid_t tracee() const { return readBytes(m_log).split(' ').first().toInt(); }

    QString m_log;
    std::unique_ptr<QProcess> m_strace;
    int m_stops = 0;
};

} // namespace

// A set's writes against what the world does around them: the companion killed, interrupted or
// failing at each of its calls on the set's folder, the power cut after each, the set copied,
// linked, backed up or shared meanwhile. strace does it to the real program, which knows nothing
// of it.
class tst_Scritture : public ProvaInCartella
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("strace").isEmpty())
            QSKIP("strace is not installed: the writes cannot be stopped at their calls");
    }

    void atEveryCall_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("when");
        QTest::addColumn<QString>("inject");
        QTest::addColumn<bool>("early"); // up to the new version's sync: a signal drops it
        const QRegularExpression call("^\\d+ +(\\w+)\\(");
        for (const auto &[name, write] : writes()) {
            QTemporaryDir dir; // the calls on the set's folder, each counted among its kind
            const QString log = dir.filePath("calls.log");
            underStrace(log, "%file,%desc", {}, lay(dir.path(), write))->waitForFinished(20000);
            QMap<QString, int> seen;
            bool early = true;
            for (const QByteArray &line : readBytes(log).split('\n')) {
                const QString kind = call.match(QString::fromUtf8(line)).captured(1);
                const int when = kind.isEmpty() ? 0 : ++seen[kind];
                // The path's own links, read before anything is opened, are no point of a write.
                if (!when || kind == "execve" || kind == "readlink" ||
                    !line.contains(dir.filePath("set").toUtf8()))
                    continue;
                // add catches no signal: an interrupt kills it as any other signal does.
                for (const QString inject : {"signal=KILL", "error=EIO", "signal=TERM"})
                    if (!name.startsWith("add") || inject != "signal=TERM")
                        QTest::addRow("%s: %s at %s #%d", qPrintable(name), qPrintable(inject),
                                      qPrintable(kind), when)
                            << name << kind << when << inject << early;
                early = early && kind != "fdatasync";
            }
        }
    }
    // Killed, interrupted or failing at any call on the set's folder, a write leaves the set as
    // it was or as it should be, says it wrote only what the set holds, and leaves nothing that
    // a reader changes or a new write trips on.
    void atEveryCall()
    {
        QFETCH(QString, write);
        QFETCH(QString, call);
        QFETCH(int, when);
        QFETCH(QString, inject);
        QFETCH(bool, early);
        const Scrittura &w = writes().at(write);
        const QStringList arguments = lay(m_dir->path(), w);
        const QString set = m_dir->filePath("set/set.slott");
        const auto run = underStrace(
            "/dev/null", call, QString("%1:%2:when=%3").arg(call, inject).arg(when), arguments);
        QVERIFY(run->waitForFinished(20000));
        const QByteArray out = run->readAllStandardOutput();
        const QByteArray err = run->readAllStandardError();
        const QByteArray state = bytesAt(set);
        QVERIFY2(state == w.before || state == w.after, err.constData());
        QVERIFY(out.isEmpty() || (out == w.said && state == w.after));
        // strace ends as its program did: by the same signal or, failing that, 128 and its number.
        if (inject.startsWith("signal"))
            QVERIFY2(run->exitStatus() == QProcess::CrashExit || run->exitCode() > 128,
                     qPrintable(QString("exit %1: %2").arg(run->exitCode()).arg(err)));
        if (inject == "signal=TERM") {
            QCOMPARE(state, early ? w.before : w.after);
            QCOMPARE(out, early ? QByteArray() : w.said);
        }
        if (inject == "error=EIO" && run->exitCode() == 0)
            QCOMPARE(out, w.said);
        else if (inject == "error=EIO")
            QVERIFY2(run->exitCode() == 1 && (state == w.before || err.contains("nel file")),
                     err.constData());
        // A reader shows the set and changes nothing; the folder holds nothing else to be seen.
        const QStringList names = namesIn(m_dir->filePath("set"));
        QCOMPARE(names.filter(QRegularExpression("^[^.]")),
                 state.isNull() ? QStringList() : QStringList{"set.slott"});
        QCOMPARE(runCli({"dump", set}).exitCode, state.isNull() ? 1 : 0);
        QCOMPARE(namesIn(m_dir->filePath("set")), names);
        QCOMPARE(bytesAt(set), state);
        // The same write again finishes the work, or finds it done; nothing is left behind.
        QCOMPARE(runCli(arguments).exitCode, state == w.after ? 2 : 0);
        QCOMPARE(bytesAt(set), w.after);
        QCOMPARE(namesIn(m_dir->filePath("set")), QStringList{"set.slott"});
    }

    void aroundTheSet_data()
    {
        QTest::addColumn<QString>("world");
        for (const char *world :
             {"a backup copied over the set after a killed write survives the next read",
              "a ticket written through one name is there through every name",
              "a folder copied during a write holds the set whole",
              "readers do not wait for a writer stopped after its write",
              "another user's files planted in a shared folder change nothing"})
            QTest::newRow(world) << world;
    }
    void aroundTheSet()
    {
        QFETCH(QString, world);
        const Scrittura &system = writes().at("system");
        const QStringList arguments = lay(m_dir->path(), system);
        const QString folder = m_dir->filePath("set");
        const QString set = folder + "/set.slott";
        const QString log = m_dir->filePath("calls.log");
        const auto dumpOf = [](const QString &file) {
            return runCli({"dump", file}).out;
        };
        const QByteArray dumpBefore = dumpOf(set);
        if (world.startsWith("a backup")) {
            QVERIFY(underStrace("/dev/null", "renameat", "renameat:signal=KILL", arguments)
                        ->waitForFinished(20000));
            const QByteArray backup = recordWithTitle("Copia") + provaRecord();
            writeBytes(set, backup); // over the same file, as cp does
            QCOMPARE(runCli({"export", set}).exitCode, 0);
            QCOMPARE(dumpOf(set).count('\n'), 2);
            QCOMPARE(readBytes(set), backup);
            QCOMPARE(runCli(arguments).exitCode, 0);
            QCOMPARE(readBytes(set).left(252), backup);
        } else if (world.startsWith("a ticket")) {
            const QString other = m_dir->filePath("nome.slott");
            QCOMPARE(::link(toStd(set).c_str(), toStd(other).c_str()), 0);
            QCOMPARE(runCli({"add", other, "--titolo", "Uno", "--numeri", "9", "--ruote", "ROMA",
                             "--giocata", "Estratto=1"})
                         .out,
                     "2\n");
            QVERIFY(dumpOf(set).contains("\"titolo\":\"Uno "));
            const auto refused = runCli(arguments);
            QVERIFY(refused.exitCode == 1 && refused.err.contains("collegamento fisico"));
            QCOMPARE(readBytes(other), readBytes(set));
        } else if (world.startsWith("a folder")) {
            Fermato writer(log, "fdatasync", arguments);
            QVERIFY(writer.next());
            const QString copy = m_dir->filePath("copia");
            QCOMPARE(QProcess::execute("cp", {"-a", folder, copy}), 0);
            writer.resume();
            QVERIFY(!writer.next());
            QCOMPARE(namesIn(copy), QStringList{"set.slott"});
            QCOMPARE(dumpOf(copy + "/set.slott"), dumpBefore);
            QCOMPARE(readBytes(set), system.after);
        } else if (world.startsWith("readers")) { // add stopped after its record's sync
            Fermato writer(log, "fdatasync", lay(m_dir->path(), writes().at("add")));
            QVERIFY(writer.next());
            QElapsedTimer clock;
            clock.start();
            QVERIFY(runCli({"dump", set}).exitCode == 0 && clock.elapsed() < 1000);
        } else {
            QCOMPARE(::chmod(toStd(m_dir->path()).c_str(), 0755), 0);
            QCOMPARE(::chmod(toStd(folder).c_str(), 01777), 0);
            QStringList planted{"set.slott.ripristino", ".set.slott.zaffirone-0000000000000000",
                                ".set.slott.zaffirone-fifo", ".set.slott.zaffirone-link"};
            for (QString &name : planted)
                name.prepend(folder + "/");
            QCOMPARE(runInChild({std::nullopt, true},
                                [&] {
                                    writeBytes(planted[0], "ZAFFIRONE RIPRISTINO");
                                    writeBytes(planted[1], "x");
                                    return ::mkfifo(toStd(planted[2]).c_str(), 0666) |
                                           ::symlink("set.slott", toStd(planted[3]).c_str());
                                }),
                     std::optional(0));
            QCOMPARE(dumpOf(set), dumpBefore);
            QCOMPARE(runCli(arguments).out, system.said);
            QCOMPARE(readBytes(set), system.after);
            QCOMPARE(namesIn(folder).size(), 5);
        }
        QCOMPARE(namesIn(folder).filter(QRegularExpression("zaffirone-[0-9a-f]{16}$")),
                 world.startsWith("another") ? QStringList{".set.slott.zaffirone-0000000000000000"}
                                             : QStringList());
    }

    void powerCut_data()
    {
        QTest::addColumn<QString>("write");
        for (const char *write : {"system", "import", "add"})
            QTest::newRow(write) << write;
    }
    // The machine's power cut after any call of a write: the disk holds the set as it was or as
    // it should be, and once the write has said it is done, as it should be.
    void powerCut()
    {
        QFETCH(QString, write);
        const Scrittura &w = writes().at(write);
        const QString image = m_dir->filePath("disco.img");
        const QString disk = m_dir->filePath("set");
        QVERIFY(QDir(m_dir->path()).mkdir("set"));
        QFile file(image);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(16 << 20));
        file.close();
        QCOMPARE(QProcess::execute("mkfs.ext4", {"-q", "-F", image}), 0);
        if (QProcess::execute("mount", {"-o", "loop", image, disk}) != 0)
            QSKIP("no loop device can be mounted here (this needs root and /dev/loop-control)");
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {"-l", disk}); });
        const QStringList arguments = lay(m_dir->path(), w);
        ::sync();
        // What the disk holds once the power is back: a copy of it as it is now, its journal
        // replayed.
        const auto cut = [&] {
            const QString copy = m_dir->filePath("taglio.img");
            QFile::remove(copy);
            QProcess::execute("cp", {"--sparse=always", image, copy});
            QProcess::execute("e2fsck", {"-fy", copy});
            QProcess debugfs;
            debugfs.start("debugfs", {"-R", "cat /set.slott", copy});
            debugfs.waitForFinished(20000);
            const QByteArray bytes = debugfs.readAllStandardOutput();
            return bytes.isEmpty() ? QByteArray() : bytes;
        };
        Fermato writer(m_dir->filePath("calls.log"),
                       "openat,pwrite64,ftruncate,fdatasync,fsync,linkat,renameat", arguments);
        int cuts = 0;
        for (; writer.next(); writer.resume(), ++cuts) {
            const QByteArray state = cut();
            QVERIFY2(state == w.before || state == w.after, qPrintable(QString::number(cuts)));
            QVERIFY(writer.out.isEmpty() || state == w.after);
        }
        QVERIFY(cuts > 3);
        QCOMPARE(writer.out, w.said);
        QCOMPARE(cut(), w.after);
    }

private:
};

QTEST_GUILESS_MAIN(tst_Scritture)
#include "tst_scritture.moc"
