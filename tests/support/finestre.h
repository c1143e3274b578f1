#pragma once

#include <QClipboard>

#include "editor/form_schede.h"
#include "engine/partita.h"
#include "shared/modulo.h"
#include "storage/insiemeschede.h"
#include "support/fakeavvisi.h"
#include "support/fakedialogofile.h"
#include "support/fakeriproduttore.h"
#include "support/fakesceltastampante.h"
#include "support/generatorescriptato.h"
#include "support/setfiles.h"
#include "viewer/form_guarda.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

// Around every window test: the game state with fakes for the sound, the message boxes, the file
// dialog and the draw; a folder for set files; numbers in the C locale.
struct Finti
{
    Finti() { QLocale::setDefault(QLocale::c()); }
    ~Finti()
    {
        for (pid_t pid : rivali)
            ::waitpid(pid, nullptr, 0);
    }

    FakeRiproduttore player;
    FakeAvvisi boxes;
    FakeDialogoFile dialog;
    GeneratoreScriptato generatore;
    Modulo modulo{player, boxes};
    Partita partita;
    QTemporaryDir dir;
    FakeSceltaStampante stampante{dir.filePath("piano.pdf")};
    QStringList note;    // what a test noted down on the way
    QList<pid_t> rivali; // other writers at work on the set

    QString path(const QString &name = "set.slott") const { return dir.filePath(name); }
    // The game at these points, all else as it is.
    void punti(Currency punti)
    {
        Partita::Conti conti = partita.conti();
        conti.punti = punti;
        partita.ripristina(conti);
    }
    // What the player was told since the last look, " / " between: the recordings by name ("~"
    // before the joking folder's), each box as "title: text" ("title? text" for a question), the
    // notes; the sets' folder left out, and a run of the same counted: "click x3".
    QString detto()
    {
        QStringList heard = player.take().replaceInStrings("Aggiunte\\Spiritose\\", "~"), told;
        heard.replaceInStrings(QRegularExpression("^[^~]*\\\\|\\.wav$"), "");
        for (const FakeAvvisi::Box &box : boxes.take())
            heard << box.titolo + (box.domanda ? "? " : ": ") + box.testo;
        heard += std::exchange(note, {});
        for (qsizetype i = 0, run = 1; i < heard.size(); ++i, ++run) {
            if (i + 1 < heard.size() && heard[i + 1] == heard[i])
                continue;
            told << heard[i] + (run > 1 ? " x" + QString::number(run) : "");
            run = 0;
        }
        return told.join(" / ").remove(dir.path() + '/');
    }
};

// A control found as a player's tools find it: by its name, below a window.
template <typename T = QWidget>
T *trova(const QObject *window, const QString &name)
{
    T *control = window->findChild<T *>(name);
    if (!control)
        qFatal("no control named %s", qPrintable(name));
    return control;
}

// The boxes of a ticket in the editor, or in the viewer, whose names end in "1".
inline CampiScheda campi(const QWidget *window, const char *uno = "")
{
    const auto box = [&](const char *kind, int i = -1) {
        return trova<QLineEdit>(window,
                                QString(kind) + uno + (i < 0 ? "" : "_" + QString::number(i)));
    };
    CampiScheda c;
    c.txt_titolo = box("txt_titolo");
    for (int i = 0; i < 11; ++i) {
        if (i < 10)
            c.txt_num[std::size_t(i)] = box("txt_num", i);
        if (i < 5) {
            c.chk_giocata[std::size_t(i)] =
                trova<QCheckBox>(window, QString("chk_giocata%1_%2").arg(uno).arg(i));
            c.txt_puntata[std::size_t(i)] = box("txt_puntata", i);
        }
        c.chk_ruote[std::size_t(i)] =
            trova<QCheckBox>(window, QString("chk_ruote%1_%2").arg(uno).arg(i));
    }
    return c;
}

// A ticket's boxes in one line: numbers ("_" open and empty, "-" closed), bet types with stakes,
// wheels unless all open and unticked; "x" ticked, "o" open, "-" closed, "X" ticked but closed.
// Closed boxes ending a part are left out; one coloured against its state gets a "!".
inline QString stato(const CampiScheda &c)
{
    auto colour = [](const QLineEdit *b) {
        return b->palette().color(QPalette::Base) ==
                       (b->isEnabled() ? QColor(0xC0, 0xC0, 0xC0) : QColor(Qt::white))
                   ? "!"
                   : "";
    };
    auto tick = [](const QCheckBox *b) {
        return QString(b->isChecked() ? (b->isEnabled() ? "x" : "X")
                                      : (b->isEnabled() ? "o" : "-"));
    };
    QString numbers, bets, wheels;
    for (const QLineEdit *n : c.txt_num)
        numbers +=
            (n->isEnabled() ? (n->text().isEmpty() ? "_" : n->text()) : "-") + colour(n) + ' ';
    for (std::size_t k = 0; k < c.chk_giocata.size(); ++k)
        bets += tick(c.chk_giocata[k]) + c.txt_puntata[k]->text() + colour(c.txt_puntata[k]) + ' ';
    for (const QCheckBox *w : c.chk_ruote)
        wheels += tick(w);
    const QRegularExpression closed("( -)* $");
    return numbers.remove(closed) + " | " + bets.remove(closed) +
           (wheels == QString(11, 'o') ? "" : " | " + wheels);
}

// Record k (from 1) of a set file as "title[numbers|wheels|bet type:stake ...]".
inline QString record(const QString &file, int k)
{
    const QByteArray bytes = readBytes(file).mid(126 * (k - 1), 126).leftJustified(126, '\0');
    const Schedina s = Schedina::decodifica(reinterpret_cast<const unsigned char *>(bytes.data()));
    QString numbers, wheels, stakes;
    for (std::size_t i = 0; i < 11; ++i) {
        numbers += QString(",%1").arg(i < 10 ? s.numeri[i] : 0);
        wheels += s.ruote[i] == 1 ? QString(",%1").arg(i) : "";
        if (i < 5 && s.giocate[i] == 1)
            stakes += QString(" %1:%2").arg(i).arg(s.puntate[i].toDouble());
    }
    return QString::fromStdString(s.titoloTesto()).remove(QRegularExpression(" +$")) + "[" +
           numbers.remove(QRegularExpression("(,0)+$")).mid(1) + "|" + wheels.mid(1) + "|" +
           stakes.mid(1) + "]";
}

// Another program writing to the set: holding its lock for 0.3 s, then adding a ticket of that
// title; with no title, holding it for 6 s (longer than a writer waits) and adding nothing.
// Returns once the lock is held.
inline pid_t rivale(const QString &path, const QString &title)
{
    const Schedina ticket = makeTicket(qPrintable(title), {9}, {1}, {{0, 10000}});
    const std::string file = path.toStdString();
    int ready[2];
    if (::pipe(ready) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const auto held = BloccoInsieme::prendi(file);
        [[maybe_unused]] const auto said = ::write(ready[1], "!", 1);
        ::usleep(title.isEmpty() ? 6000000 : 300000);
        if (held && !title.isEmpty()) [[maybe_unused]]
            const auto added = InsiemeSchede(file).aggiungi(ticket, held.valore());
        ::_exit(0);
    }
    char c;
    [[maybe_unused]] const auto heard = ::read(ready[0], &c, 1);
    ::close(ready[0]);
    ::close(ready[1]);
    return pid;
}

// Does in the editor and the viewer what a player does: "N:digits" types into number box N,
// "del N" deletes its last digit, "click N", "bet K" and "wheel W" click those boxes, "stake
// K:digits" types a stake, "paste N:text" or "paste sK:text" pastes, "title:text" writes the title
// anew, "selez", "pulisci", "save" and "esci" press the buttons, "escape" ("escape1" in the
// viewer) presses Escape on a wheel box (the viewer's "Esci"), "rival:title" starts another
// writer (see rivale), "activate:editor" makes the editor
// active; "show:title" shows a ticket in the viewer (as chosen for play: "showplay:", the title as
// it is: "showraw:"), "modifica" and "esci1" press its buttons, "hint" clicks on it. "mute",
// "noset", "cut N" and "punti N" turn the sounds off, close the set, keep its first N records, set
// the points; "state", "viewer", "name", "name1", "pos", "points", "focus" and "record N" note what
// they name.
inline void compila(Finti &f, Form_schede &e, form_guarda &v, const QString &action)
{
    const QString verb = action.section(' ', 0, 0).section(':', 0, 0);
    const QString rest = action.mid(verb.size() + 1);
    const int i = rest.section(':', 0, 0).toInt();
    const CampiScheda c = campi(&e);
    QWidget *clicked = verb == "click"   ? c.txt_num[i]
                       : verb == "bet"   ? c.chk_giocata[i]
                       : verb == "wheel" ? c.chk_ruote[i]
                                         : static_cast<QWidget *>(nullptr);
    if (clicked)
        QTest::mouseClick(clicked, Qt::LeftButton);
    else if (verb.at(0).isDigit() || verb == "del")
        QTest::keyClicks(c.txt_num[verb == "del" ? i : verb.toInt()], verb == "del" ? "\b" : rest);
    else if (verb == "stake")
        QTest::keyClicks(c.txt_puntata[i], rest.section(':', 1));
    else if (verb == "paste") { // through the real clipboard, with the paste keys
        QApplication::clipboard()->setText(rest.section(':', 1));
        const QString box = rest.section(':', 0, 0);
        QTest::keySequence(box.startsWith('s') ? c.txt_puntata[box.mid(1).toInt()] : c.txt_num[i],
                           QKeySequence::Paste);
    } else if (verb == "title") {
        c.txt_titolo->clear();
        for (QChar ch : rest) // accented letters too, which have no key of their own here
            QTest::sendKeyEvent(QTest::Click, c.txt_titolo,
                                ch < u'\x80' ? Qt::Key(ch.toUpper().unicode()) : Qt::Key_unknown,
                                QString(ch), {});
    } else if (verb.startsWith("show"))
        v.mostra(verb == "showraw" ? rest : rest.leftJustified(20), verb != "showplay");
    else if (verb == "hint")
        QTest::mouseClick(&v, Qt::LeftButton, {}, trova(&v, "txt_num1_2")->mapTo(&v, QPoint(3, 3)));
    else if (verb == "activate") {
        QEvent activation(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&e, &activation);
        f.note << e.windowTitle();
    } else if (verb == "rival") // another writer: it holds the set's lock, then adds or not
        f.rivali << rivale(f.path(), rest);
    else if (verb.startsWith("escape")) // on a control that takes no keys of its own
        QTest::keyClick(verb == "escape" ? c.chk_ruote[1] : trova(&v, "cmd_esci1"), Qt::Key_Escape);
    else if (verb == "mute")
        f.modulo.impostaSuoni(false, f.modulo.suoni_spiritosi());
    else if (verb == "noset")
        f.partita.nuova();
    else if (verb == "punti")
        f.punti(Currency::fromRaw(qRound64(rest.toDouble() * Currency::kScale)));
    else if (verb == "cut")
        writeBytes(f.path(), readBytes(f.path()).left(126 * i));
    else if (verb == "state" || verb == "viewer")
        f.note << (!(verb == "state" ? static_cast<QWidget *>(&e) : &v)->isVisible() ? "closed"
                   : verb == "state"                                                 ? stato(c)
                                     : stato(campi(&v, "1")) +
                                           (trova(&v, "cmd_modifica")->isVisible() ? "" : " -M"));
    else if (verb.startsWith("name"))
        f.note << '"' + (verb == "name1" ? v.titolo() : c.txt_titolo->text()) + '"';
    else if (verb == "pos" || verb == "points" || verb == "focus" || verb == "record")
        f.note << (verb == "pos" ? "pos " + QString::number(f.partita.recordInModifica())
                   : verb == "points"
                       ? "points " + QString::number(f.partita.conti().punti.toDouble())
                   : verb == "focus" ? "focus " + e.focusWidget()->objectName()
                                     : record(f.path(), i));
    else if (auto *own =
                 e.findChild<QPushButton *>("cmd_" + QString(verb).replace("save", "salvasche")))
        own->click();
    else
        v.findChild<QPushButton *>("cmd_" + verb)->click();
}

// A row: the player's actions (", " between), what the player was told, the set file if any.
inline void riga(const char *name, const QString &actions, const QString &told,
                 const QByteArray &set = {})
{
    QTest::newRow(name) << actions.split(", ") << told << set;
}
inline void colonne()
{
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("told");
    QTest::addColumn<QByteArray>("set");
}
