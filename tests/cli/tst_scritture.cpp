#include "support/childprocess.h"
#include "support/clirunner.h"
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
// CSV a spreadsheet outside the set's folder), and, once run untroubled, the set after it and the
// line it prints.
struct Scrittura
{
    QByteArray before;
    QString args;
    QByteArray after = {};
    QByteArray said = {};
};

const QByteArray kCsv = "titolo,numeri,ruote,estratto,ambo,terno,quaterna,cinquina\n"
                        "A,1 2,BARI,,1,,,\nB,3 4,ROMA,1,,,,\nC,5 6 7,TUTTE,,,1,,\n";

QStringList argumentsFor(const QString &args, const QString &set, const QString &csv)
{
    return QString(args).replace("FILE", set).replace("CSV", csv).split('|');
}

QByteArray bytesAt(const QString &file)
{
    return QFileInfo::exists(file) ? readBytes(file) : QByteArray();
}

void put(const QString &file, const QByteArray &bytes)
{
    if (!bytes.isNull())
        writeBytes(file, bytes);
}

// The writes, each run once untroubled in a folder of its own.
const std::map<QString, Scrittura> &writes()
{
    static const std::map<QString, Scrittura> all = [] {
        const QString add = "add|FILE|--titolo|Nuova|--numeri|1,2|--ruote|BARI|--giocata|Ambo=1";
        std::map<QString, Scrittura> w{
            {"system",
             {provaRecord() + "Coda",
              "system|FILE|--numeri|1,2,3,4,5,6,7,8|--classe|3|--ruote|BARI|--giocata|"
              "Ambo=1"}},
            {"import", {{}, "import|FILE|CSV"}},
            {"add", {provaRecord(), add}},
            {"add to a new set", {{}, add}}};
        for (auto &[name, write] : w) {
            QTemporaryDir dir;
            put(dir.filePath("set.slott"), write.before);
            writeBytes(dir.filePath("in.csv"), kCsv);
            write.said =
                runCli(argumentsFor(write.args, dir.filePath("set.slott"), dir.filePath("in.csv")))
                    .out;
            write.after = readBytes(dir.filePath("set.slott"));
        }
        return w;
    }();
    return all;
}

// The companion under strace, which logs the calls given and does `inject` (a kill, a failure,
// a signal) at the chosen one.
std::unique_ptr<QProcess> underStrace(const QString &log, const QString &calls,
                                      const QString &inject, const QStringList &arguments)
{
    auto process = std::make_unique<QProcess>();
    QStringList options{"-f", "-qq", "-y", "-o", log, "-e", "trace=" + calls};
    if (!inject.isEmpty())
        options << "-e"
                << "inject=" + inject;
    process->start(QStandardPaths::findExecutable("strace"),
                   options + QStringList{ZAFFIRONE_CLI} + arguments);
    return process;
}

// The calls on the set's folder, in order, each as strace names it to inject at it: its name
// and how many calls of that name the program had made up to it.
QList<QPair<QString, int>> callsOn(const QString &folder, const QString &log)
{
    QList<QPair<QString, int>> calls;
    QMap<QString, int> seen;
    const QRegularExpression call("^\\d+ +(\\w+)\\(");
    for (const QByteArray &line : readBytes(log).split('\n')) {
        const QString name = call.match(QString::fromUtf8(line)).captured(1);
        if (name.isEmpty())
            continue;
        ++seen[name];
        if (name != "execve" && line.contains(folder.toUtf8()))
            calls.append({name, seen[name]});
    }
    return calls;
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
        m_out += m_strace->readAllStandardOutput();
        if (!moved || ended())
            return false;
        ++m_stops;
        return true;
    }
    void resume()
    {
        if (tracee() > 0)
            ::kill(tracee(), SIGCONT);
    }
    bool ended() const { return m_strace->state() == QProcess::NotRunning; }
    // Its standard output so far.
    const QByteArray &out() const { return m_out; }
    QProcess &process() { return *m_strace; }

private:
    pid_t tracee() const
    {
        const QByteArray log = readBytes(m_log);
        return log.left(log.indexOf(' ')).toInt();
    }

    QString m_log;
    std::unique_ptr<QProcess> m_strace;
    int m_stops = 0;
    QByteArray m_out;
};

} // namespace

// A set's writes against what the world does around them: the companion killed, interrupted or
// failing at each of its calls on the set's folder, the power cut after each, the set copied,
// linked, renamed or shared meanwhile. strace does it to the real program, which knows nothing of
// it.
class tst_Scritture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("strace").isEmpty())
            QSKIP("strace is not installed: the writes cannot be stopped at their calls");
    }
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        QVERIFY(QDir(m_dir->path()).mkdir("set"));
        writeBytes(m_dir->filePath("in.csv"), kCsv);
    }

    void atEveryCall_data()
    {
        QTest::addColumn<QString>("write");
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("when");
        QTest::addColumn<QString>("inject");
        for (const auto &[name, write] : writes()) {
            QTemporaryDir dir; // laid out as the rows' own
            QDir(dir.path()).mkdir("set");
            put(dir.filePath("set/set.slott"), write.before);
            writeBytes(dir.filePath("in.csv"), kCsv);
            const QString log = dir.filePath("calls.log");
            underStrace(
                log, "%file,%desc", {},
                argumentsFor(write.args, dir.filePath("set/set.slott"), dir.filePath("in.csv")))
                ->waitForFinished(20000);
            // add catches no signal: an interrupt kills it as any other signal does.
            QStringList injects{"signal=KILL", "error=EIO"};
            if (!name.startsWith("add"))
                injects << "signal=TERM";
            for (const auto &[call, when] : callsOn(dir.filePath("set"), log))
                for (const QString &inject : injects)
                    QTest::addRow("%s: %s at %s #%d", qPrintable(name), qPrintable(inject),
                                  qPrintable(call), when)
                        << name << call << when << inject;
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
        const Scrittura &w = writes().at(write);
        const QString set = m_dir->filePath("set/set.slott");
        put(set, w.before);
        const QStringList arguments = argumentsFor(w.args, set, m_dir->filePath("in.csv"));
        const auto run = underStrace(
            "/dev/null", call, QString("%1:%2:when=%3").arg(call, inject).arg(when), arguments);
        QVERIFY(run->waitForFinished(20000));
        const QByteArray out = run->readAllStandardOutput();
        const QByteArray err = run->readAllStandardError();
        const QByteArray state = bytesAt(set);
        QVERIFY2(state == w.before || state == w.after, err.constData());
        QVERIFY(out.isEmpty() || (out == w.said && state == w.after));
        if (inject == "signal=KILL") {
            QCOMPARE(run->exitStatus(), QProcess::CrashExit);
        } else if (inject == "signal=TERM") {
            QCOMPARE(run->exitStatus(), QProcess::CrashExit);
            QCOMPARE(state == w.after, out == w.said);
        } else if (run->exitCode() == 0) {
            QCOMPARE(state, w.after);
            QCOMPARE(out, w.said);
        } else {
            QCOMPARE(run->exitCode(), 1);
            QVERIFY2(state == w.before || err.contains("nel file"), err.constData());
        }
        // A reader shows the set and changes nothing; the folder holds nothing else to be seen.
        const QStringList names = namesIn(m_dir->filePath("set"));
        QCOMPARE(names.filter(QRegularExpression("^[^.]")),
                 state.isNull() ? QStringList() : QStringList{"set.slott"});
        const auto dump = runCli({"dump", set});
        QCOMPARE(dump.exitCode, state.isNull() ? 1 : 0);
        QCOMPARE(namesIn(m_dir->filePath("set")), names);
        QCOMPARE(bytesAt(set), state);
        // The same write again finishes the work, or finds it done; nothing is left behind.
        const auto again = runCli(arguments);
        QCOMPARE(again.exitCode, state == w.after ? 2 : 0);
        QCOMPARE(bytesAt(set), w.after);
        QCOMPARE(namesIn(m_dir->filePath("set")), QStringList{"set.slott"});
    }

    void aroundTheSet_data()
    {
        QTest::addColumn<QString>("world");
        for (const char *world :
             {"a backup copied over the set after a killed write survives the next read",
              "a ticket written through one name is there through every name",
              "a set renamed during a write keeps what it held",
              "a folder copied during a write holds the set whole",
              "readers do not wait for a writer stopped after its write",
              "another user's files planted in a shared folder change nothing"})
            QTest::newRow(world) << world;
    }
    void aroundTheSet()
    {
        QFETCH(QString, world);
        const Scrittura &system = writes().at("system");
        const QString folder = m_dir->filePath("set");
        const QString set = folder + "/set.slott";
        const QStringList arguments = argumentsFor(system.args, set, {});
        const QString log = m_dir->filePath("calls.log");
        const auto dumpOf = [](const QString &file) {
            return runCli({"dump", file}).out;
        };
        writeBytes(set, system.before);
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
            QVERIFY(QDir(m_dir->path()).mkdir("altrove"));
            const QString other = m_dir->filePath("altrove/nome.slott");
            QCOMPARE(::link(toStd(set).c_str(), toStd(other).c_str()), 0);
            QCOMPARE(runCli({"add", other, "--titolo", "Uno", "--numeri", "9", "--ruote", "ROMA",
                             "--giocata", "Estratto=1"})
                         .out,
                     "2\n");
            QVERIFY(dumpOf(set).contains("\"titolo\":\"Uno "));
            const auto refused = runCli(arguments);
            QCOMPARE(refused.exitCode, 1);
            QVERIFY(refused.err.contains("collegamento fisico"));
            QCOMPARE(readBytes(other), readBytes(set));
        } else if (world.startsWith("a set renamed") || world.startsWith("a folder copied")) {
            Fermato writer(log, "fdatasync", arguments);
            QVERIFY(writer.next());
            const bool renamed = world.startsWith("a set renamed");
            const QString copy = m_dir->filePath("copia");
            if (renamed)
                QVERIFY(QFile::rename(set, folder + "/altro.slott"));
            else
                QCOMPARE(QProcess::execute("cp", {"-a", folder, copy}), 0);
            writer.resume();
            QVERIFY(!writer.next());
            QCOMPARE(writer.process().exitCode(), renamed ? 1 : 0);
            if (renamed) {
                QVERIFY(writer.process().readAllStandardError().contains("spostato"));
                QCOMPARE(namesIn(folder), QStringList{"altro.slott"});
                QCOMPARE(readBytes(folder + "/altro.slott"), system.before);
            } else {
                QCOMPARE(namesIn(copy), QStringList{"set.slott"});
                QCOMPARE(dumpOf(copy + "/set.slott"), dumpBefore);
                QCOMPARE(readBytes(set), system.after);
            }
        } else if (world.startsWith("readers")) {
            for (const QString &calls : {QString("fsync"), QString("fdatasync")}) {
                Fermato writer(log + calls, calls,
                               calls == "fsync" ? arguments
                                                : argumentsFor(writes().at("add").args, set, {}));
                QVERIFY(writer.next());
                QElapsedTimer clock;
                clock.start();
                QVERIFY(runCli({"dump", set}).exitCode == 0 && clock.elapsed() < 1000);
            }
        } else {
            QCOMPARE(::chmod(toStd(m_dir->path()).c_str(), 0755), 0);
            QCOMPARE(::chmod(toStd(folder).c_str(), 01777), 0);
            const QStringList planted{"set.slott.ripristino",
                                      ".set.slott.zaffirone-0000000000000000",
                                      ".set.slott.zaffirone-fifo", ".set.slott.zaffirone-link"};
            QCOMPARE(runInChild({std::nullopt, true},
                                [&] {
                                    writeBytes(folder + "/" + planted[0], "ZAFFIRONE RIPRISTINO");
                                    writeBytes(folder + "/" + planted[1], "x");
                                    return ::mkfifo(toStd(folder + "/" + planted[2]).c_str(),
                                                    0666) |
                                           ::symlink("set.slott",
                                                     toStd(folder + "/" + planted[3]).c_str());
                                }),
                     std::optional(0));
            QCOMPARE(dumpOf(set), dumpBefore);
            QCOMPARE(runCli(arguments).out, system.said);
            QCOMPARE(readBytes(set), system.after);
            QStringList expected = planted + QStringList{"set.slott"};
            expected.sort();
            QCOMPARE(namesIn(folder), expected);
        }
        QCOMPARE(
            namesIn(m_dir->filePath("set")).filter(QRegularExpression("zaffirone-[0-9a-f]{16}$")),
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
        QFile file(image);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(16 << 20));
        file.close();
        QCOMPARE(QProcess::execute("mkfs.ext4", {"-q", "-F", image}), 0);
        if (QProcess::execute("mount", {"-o", "loop", image, disk}) != 0)
            QSKIP("no loop device can be mounted here (this needs root and /dev/loop-control)");
        const auto unmount = qScopeGuard([&] { QProcess::execute("umount", {"-l", disk}); });
        const QString set = disk + "/set.slott";
        put(set, w.before);
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
                       "openat,pwrite64,ftruncate,fdatasync,fsync,linkat,renameat",
                       argumentsFor(w.args, set, m_dir->filePath("in.csv")));
        int cuts = 0;
        for (; writer.next(); writer.resume(), ++cuts) {
            const QByteArray state = cut();
            QVERIFY2(state == w.before || state == w.after, qPrintable(QString::number(cuts)));
            QVERIFY(writer.out().isEmpty() || state == w.after);
        }
        QVERIFY(cuts > 3);
        QCOMPARE(writer.out(), w.said);
        QCOMPARE(cut(), w.after);
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

QTEST_GUILESS_MAIN(tst_Scritture)
#include "tst_scritture.moc"
