#pragma once

#include "main_window/compagno.h"
#include "main_window/form_gioco.h"
#include "main_window/menuestrazioni.h"
#include "main_window/paginagioca.h"
#include "main_window/paginalotto.h"
#include "main_window/paginaregolamento.h"
#include "support/clirunner.h"
#include "support/finestre.h"
#include "widgets/stilegioco.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <QTextBrowser>

// A game in a real main window, shown and active, with the fakes around it.
struct PartitaDiProva : Finti
{
    PartitaDiProva()
    {
        window.show();
        window.activateWindow(); // the keys go to it
        // A Wayland desktop activates only what its user clicks, and a headless one nothing.
        QVERIFY(QTest::qWaitFor([this] { return window.isActiveWindow(); }) ||
                QGuiApplication::platformName() == "wayland");
        QObject::connect(&window, &Form_gioco::fineProgramma, [this] { note << "the end"; });
    }

    // The game's scale for the screen, set as the game sets it before its windows are made.
    const bool scalata = [] {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            stile::impostaScala(Form_gioco::scalaPerLoSchermo(screen->availableGeometry()));
        return true;
    }();
    FakeDialogoFile dialogArchivio{MenuEstrazioni::kFiltroArchivio};
    Compagno compagno{cliPath(), dir.filePath("estrazioni.sqlite")};
    Form_gioco window{partita, modulo, dialog, generatore, compagno, dialogArchivio, stampante};
    QMap<QString, QByteArray> schede; // tickets by name, for "carica" and "scrivi"

    PaginaLotto *lotto() { return window.paginaLotto(); }
    PaginaGioca *gioca() { return window.paginaGioca(); }
    // The secondary windows, made first if they were not.
    Form_schede *editor() { return window.editor(); }
    form_guarda *visore() { return window.visore(); }
    QList<QWidget *> pagine()
    {
        return {window.findChild<QWidget *>("frmLotto_0"), gioca(), lotto(),
                window.paginaRegolamento()};
    }
    // A control of the window, its pages made first.
    template <typename T = QPushButton>
    T *su(const QString &name)
    {
        lotto();
        return trova<T>(&window, name);
    }
    QTabBar *tabs() { return trova<QTabBar>(&window, "TabStrip1_schede"); }
    // Every entry of a list, trailing blanks and all.
    QStringList voci(const char *list)
    {
        QStringList entries;
        const QAbstractItemModel *model = su<QListView>(list)->model();
        for (int row = 0; row < model->rowCount(); ++row)
            entries << model->index(row, 0).data().toString();
        return entries;
    }

    // Does in the main window what a player does: "carica" loads set.slott ("carica A B" writes
    // it first with the tickets so named, "carica:f" loads f, "carica:" cancels); "nuovo:f" makes
    // a set ("nuovo:f:" then cancels); "sì" or "no" answers the next question; "> 0 2", "< 1",
    // ">>" and "<<" move rows; "gioca 0:1,2 7:3" plays a draw with those numbers first on those
    // wheels; "dbl N", "dblplay N", "tab N" (0: beside the tabs), "rules N", "menu:name",
    // "scheda", "exit", "close" and "activate" act on those. "scrivi A B" rewrites the set
    // ("scrivi -" deletes it), "cartella" puts a folder in its place, "joking" switches the
    // sounds, "intempo" makes each recording end a moment later, as a real one does; "vere:DAY"
    // plays real draws from that day (see archivio), "data" notes the day shown on the board;
    // "importa:F" imports F into the archive from the Estrazioni menu, "verifica" (see there);
    // "board", "message", "page", "menus" and "vista" note what is shown, "ascolta" the winnings
    // shown at each recording. The rest goes to the editor and the viewer (see compila).
    void fai(const QStringList &actions)
    {
        for (const QString &action : actions) {
            QStringList words = action.split(' ', Qt::SkipEmptyParts);
            const QString verb = words.takeFirst().section(':', 0, 0), arg = action.section(':', 1);
            const int n = words.value(0).toInt();
            QString shown;
            if (verb == "carica" && !words.isEmpty())
                fai({"scrivi " + words.join(' '), "carica"});
            else if (verb == "carica" || verb == "nuovo") {
                for (const QString &answer : arg.split(':')) {
                    if (action.contains(':') && answer.isEmpty())
                        dialog.annulla();
                    else
                        dialog.scegli(path(answer.isEmpty() ? "set.slott" : answer));
                }
                su(verb == "carica" ? "cmd_carica" : "cmd_newinsie")->click();
            } else if (verb[0] == '>' || verb[0] == '<') {
                auto *from = su<QListView>(verb[0] == '>' ? "lst_esistenti" : "lst_dagioca");
                from->clearSelection();
                for (const QString &row : words)
                    from->selectionModel()->select(from->model()->index(row.toInt(), 0),
                                                   QItemSelectionModel::Select);
                su(QString("cmd_") + (verb.size() == 2 ? "all_" : "") +
                   (verb[0] == '>' ? "destra" : "sinistra"))
                    ->click();
            } else if (verb == "gioca") {
                QMap<int, QList<int>> drawn;
                for (const QString &wheel : words) {
                    for (const QString &number : wheel.section(':', 1).split(','))
                        drawn[wheel.section(':', 0, 0).toInt()] << number.toInt();
                }
                generatore.ruote(drawn);
                su("cmd_gioca")->click();
            } else if (verb.startsWith("dbl")) {
                auto *list = su<QListView>(verb == "dbl" ? "lst_esistenti" : "lst_dagioca");
                list->setCurrentIndex(list->model()->index(n, 0));
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                   list->visualRect(list->currentIndex()).center());
            } else if (verb == "tab") {
                const QRect tab = tabs()->tabRect(n - 1);
                QTest::mouseClick(tabs(), Qt::LeftButton, {},
                                  tab.isValid() ? tab.center() : QPoint(tabs()->width() - 2, 2));
            } else if (verb == "scrivi") {
                QByteArray bytes;
                for (const QString &ticket : words)
                    bytes += schede.value(ticket);
                words == QStringList{"-"} ? void(QFile::remove(path())) : writeBytes(path(), bytes);
            } else if (verb == "rules" || verb == "page" || verb == "board") {
                PaginaRegolamento *rules = window.paginaRegolamento();
                if (verb == "rules")
                    trova<QScrollBar>(rules, "VScroll")->setValue(n);
                for (int i = 0; i < (verb == "board" ? 5 : 4); ++i)
                    shown +=
                        verb == "board" ? su<QLabel>(QString("lbl_numeri_%1").arg(i))->text() + ","
                        : verb == "rules" ? (trova(rules, QString("OLE_%1").arg(i))->isVisible()
                                                 ? QString::number(i + 1)
                                                 : "")
                        : pagine()[i]->isVisible() ? QString::number(i)
                                                   : "";
                note << verb + " " + shown +
                            (verb == "page" ? " tab " + QString::number(tabs()->currentIndex() + 1)
                                            : "");
            } else if (verb == "cartella") {
                QFile::remove(path());
                QVERIFY(QDir(dir.path()).mkdir("set.slott"));
            } else if (verb == "activate" && arg.isEmpty()) {
                QEvent activation(QEvent::WindowActivate);
                QCoreApplication::sendEvent(&window, &activation);
            } else if (verb == "sì" || verb == "no")
                boxes.rispondi(verb == "sì");
            else if (verb == "menu")
                window.findChild<QAction *>(arg)->trigger();
            else if (verb == "menus")
                note << window.findChild<QAction *>("mnu_cmd_suoni")->text() + '/' +
                            window.findChild<QAction *>("mnu_cmd_spirito")->text();
            else if (verb == "ascolta") // the winnings shown, noted as each recording starts
                player.accanto = [this] {
                    return "= " + su<QLabel>("lbl_vincita")->text();
                };
            else if (verb == "scheda")
                su("cmd_scheda")->click();
            else if (verb == "exit")
                QTest::mouseClick(window.findChild<QLabel *>("lbl_esci"), Qt::LeftButton);
            else if (verb == "close")
                window.close();
            else if (verb == "joking" || verb == "start") // at the start, nothing more to do
                modulo.impostaSuoni(modulo.suoni_attivi(), verb == "joking");
            else if (verb == "intempo")
                player.inTempo = true;
            else if (verb == "sordo")
                player.sordo = true;
            else if (verb == "archivio")
                archivio(words);
            else if (verb == "vere") {
                gioca();
                su<QDateEdit>("txt_dal")->setDate(QDate::fromString(arg, "dd/MM/yyyy"));
                auto *fonte = su<QComboBox>("cmb_fonte");
                fonte->setCurrentIndex(0);
                QTest::keyClick(fonte, Qt::Key_Down);
            } else if (verb == "data")
                note << su<QLabel>("lbl_data_estrazione")->text();
            else if (verb == "importa") {
                dialogArchivio.scegli(path(arg));
                window.findChild<QAction *>("mnu_estrazioni_importa")->trigger();
            } else if (verb == "verifica")
                verifica(arg);
            else if (verb == "aggiungi")
                aggiungi(arg.split(' '));
            else if (verb == "message" || verb == "vista")
                note << (verb == "vista" ? vista() : su<QLabel>("lbl_messaggio")->text());
            else
                compila(*this, *editor(), *visore(), action);
            QTRY_VERIFY(!modulo.presentatore().occupato() && !compagno.occupato());
        }
    }

    // "archivio" writes the archive of real draws with two days: 29/04/2025 (Bari 7 1 2 3 4,
    // Roma 15 14 13 12 11) and 02/05/2025 (Bari 80 81 82 83 84); "archivio F" writes the
    // published file's text of those days as F instead, with a wheel no one knows when F's name
    // says "rotto".
    void archivio(const QStringList &parole)
    {
        QByteArray righe = "2025/04/29\tBA\t7\t1\t2\t3\t4\n2025/04/29\tRM\t15\t14\t13\t12\t11\n"
                           "2025/05/02\tBA\t80\t81\t82\t83\t84\n";
        if (parole.value(0).contains("rotto"))
            righe += "2025/05/06\tXX\t1\t2\t3\t4\t5\n";
        writeBytes(path(parole.value(0, "storico.txt")), righe);
        if (parole.isEmpty())
            QCOMPARE(runCli({"draws", "import", path("storico.txt"), "--archivio",
                             path("estrazioni.sqlite")})
                         .exitCode,
                     0);
    }
    // "aggiungi:DAY WHEEL=n,n,n,n,n ..." types a day's draw into the Estrazioni menu's dialog, by
    // the wheels' rows from Bari (0) to the Nazionale (10), and presses Aggiungi; a refusal shown
    // in the dialog is noted, and the dialog closed.
    void aggiungi(const QStringList &parole)
    {
        window.findChild<QAction *>("mnu_estrazioni_aggiungi")->trigger();
        QDialog *dialogo = nullptr;
        QTRY_VERIFY(dialogo = window.findChild<QDialog *>("dialogo_estrazione"));
        trova<QDateEdit>(dialogo, "data_estrazione")
            ->setDate(QDate::fromString(parole[0], "dd/MM/yyyy"));
        for (const QString &ruota : parole.mid(1)) {
            const QStringList numeri = ruota.section('=', 1).split(',');
            for (int p = 0; p < numeri.size(); ++p)
                QTest::keyClicks(
                    trova<QLineEdit>(dialogo,
                                     QString("numero_%1_%2").arg(ruota.section('=', 0, 0)).arg(p)),
                    numeri[p]);
        }
        QPointer<QDialog> aperto(dialogo);
        trova<QPushButton>(dialogo, "cmd_aggiungi_estrazione")->click();
        QTRY_VERIFY(!compagno.occupato());
        if (aperto) {
            note << trova<QLabel>(dialogo, "motivo_estrazione")->text();
            dialogo->reject();
        }
    }
    // "verifica" checks every ticket of the set against the archive's last day, "verifica:N
    // gioca" the tickets chosen for play against N days from the first: each win noted, then the
    // totals.
    void verifica(const QString &come)
    {
        window.findChild<QAction *>("mnu_estrazioni_verifica")->trigger();
        auto *finestra = trova<QDialog>(&window, "finestra_verifica");
        QTRY_VERIFY(!compagno.occupato());
        if (!come.isEmpty()) {
            trova<QComboBox>(finestra, "verifica_quali")->setCurrentIndex(come.contains("gioca"));
            trova<QDateEdit>(finestra, "verifica_data")->setDate(QDate(2025, 4, 29));
            trova<QSpinBox>(finestra, "verifica_colpi")->setValue(come.section(' ', 0, 0).toInt());
            trova<QPushButton>(finestra, "cmd_verifica")->click();
            QTRY_VERIFY(!compagno.occupato());
        }
        const auto *vincite = trova<QTableWidget>(finestra, "verifica_vincite");
        for (int r = 0; r < vincite->rowCount(); ++r) {
            QStringList celle;
            for (int c = 0; c < vincite->columnCount(); ++c)
                celle << vincite->item(r, c)->text();
            note << celle.join(' ');
        }
        note << trova<QLabel>(finestra, "verifica_totali")->text();
        finestra->hide();
    }

    // Points, stake, result and win (the caption too, unless it ends in the points), the two
    // lists, and the set's label unless it names set.slott.
    QString vista()
    {
        QStringList seen;
        for (const char *label : {"lbl_punti", "lbl_somma", "lbl_situazione", "lbl_vincita"})
            seen << su<QLabel>(label)->text();
        if (window.windowTitle() != Form_gioco::kCaptionCredito + seen[0])
            seen << "[" + window.windowTitle() + "]";
        for (const char *list : {"lst_esistenti", "lst_dagioca"})
            seen << "|" << voci(list).replaceInStrings(QRegularExpression(" +$"), "").join(',');
        const QString set = su<QLabel>("lbl_filelottoschede")->text().remove(dir.path() + '/');
        return seen.join(' ') + (set == "File caricato : set.slott" ? "" : " | " + set);
    }
};

// Runs a row of the editor's or the viewer's table: a game with the row's set loaded and the
// editor opened on it as "COMPILA NUOVA SCHEDA" opens it, then the row's actions. What the
// windows tell each other is noted: a ticket handed to the editor, saved, written over.
inline void provaSchede()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, told);
    QFETCH(QByteArray, set);
    PartitaDiProva f;
    writeBytes(f.path(), set);
    f.fai({"carica", "scheda"});
    Form_schede *editor = f.editor();
    QObject::connect(f.visore(), &form_guarda::modificaChiesta, editor,
                     [&f] { f.note << "asked"; });
    QObject::connect(editor, &Form_schede::schedinaSalvata, editor,
                     [&f](const QString &t) { f.note << "saved \"" + t + '"'; });
    const QAbstractItemModel *esistenti = f.su<QListView>("lst_esistenti")->model();
    QObject::connect(esistenti, &QAbstractItemModel::rowsAboutToBeRemoved, editor,
                     [&f, esistenti](const QModelIndex &, int first) {
                         f.note << "rewritten \"" + esistenti->index(first, 0).data().toString() +
                                       '"';
                     });
    f.detto();
    f.fai(actions);
    QCOMPARE(f.detto(), told);
    QVERIFY(!QFile::exists(QString::fromUtf8(PaginaLotto::kNessunFile)));
}
