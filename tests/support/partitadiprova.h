#pragma once

#include "main_window/form_gioco.h"
#include "main_window/listaschede.h"
#include "main_window/paginagioca.h"
#include "main_window/paginalotto.h"
#include "main_window/paginaregolamento.h"
#include "main_window/tabstrip.h"
#include "support/finestre.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QScrollBar>
#include <QTabBar>
#include <QTextBrowser>

// A game in a real main window, shown and active, with the fakes around it.
struct PartitaDiProva : Finti
{
    PartitaDiProva()
    {
        window.show();
        QEvent activation(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&window, &activation);
        QObject::connect(&window, &Form_gioco::fineProgramma, [this] { note << "the end"; });
    }

    Form_gioco window{modulo, dialog, generatore};
    QMap<QString, QByteArray> schede; // tickets by name, for "carica"

    PaginaLotto *lotto() { return window.paginaLotto(); }
    PaginaGioca *gioca() { return window.paginaGioca(); }
    QList<QWidget *> pagine()
    {
        return {window.findChild<QWidget *>("frmLotto_0"), gioca(), lotto(),
                window.paginaRegolamento()};
    }

    // Does in the main window what a player does, one action a string: "carica" loads set.slott
    // ("carica A B" first writes it with the named tickets, "carica:name" loads another file,
    // "carica:" cancels); "nuovo:name" makes a set ("nuovo:name:" then cancels the dialog that
    // comes back); "sì" or "no" answers the next question; "> 0 2", "< 1", ">>" and "<<" move
    // rows; "gioca 0:1,2 7:3" plays a draw with those numbers first on those wheels; "view N" and
    // "viewplay N" double-click a row of either list; "tab N" clicks a tab (0: beside them);
    // "rules N" leafs the rules; "scheda", "menu:name", "viewer:name", "exit" and "close" press
    // those; "editor:action" acts in the editor (see compila). Besides, "scrivi A B" rewrites the
    // set ("scrivi -" deletes it), "cartella" puts a folder there, "punti N" sets the points,
    // "mute" and "joking" switch the sounds, and "board", "hint", "page", "menus" and "editor"
    // note what the window shows.
    void fai(const QStringList &actions)
    {
        for (const QString &action : actions) {
            QStringList words = action.split(' ', Qt::SkipEmptyParts);
            const QString verb = words.takeFirst().section(':', 0, 0), arg = action.section(':', 1);
            const int n = words.value(0).toInt();
            if (verb == "carica" && !words.isEmpty())
                fai({"scrivi " + words.join(' '), "carica"});
            else if (verb == "carica" || verb == "nuovo") {
                for (const QString &answer : arg.split(':')) {
                    if (action.contains(':') && answer.isEmpty())
                        dialog.annulla();
                    else
                        dialog.scegli(path(answer.isEmpty() ? "set.slott" : answer));
                }
                (verb == "carica" ? lotto()->cmd_carica : lotto()->cmd_newinsie)->click();
            } else if (verb[0] == '>' || verb[0] == '<') {
                ListaSchede *from = verb[0] == '>' ? lotto()->lst_esistenti : lotto()->lst_dagioca;
                from->clearSelection();
                for (const QString &row : words)
                    from->selectionModel()->select(from->model()->index(row.toInt(), 0),
                                                   QItemSelectionModel::Select);
                lotto()
                    ->findChild<QPushButton *>(QString("cmd_") + (verb.size() == 2 ? "all_" : "") +
                                               (verb[0] == '>' ? "destra" : "sinistra"))
                    ->click();
            } else if (verb == "gioca") {
                QMap<int, QList<int>> drawn;
                for (const QString &wheel : words) {
                    for (const QString &number : wheel.section(':', 1).split(','))
                        drawn[wheel.section(':', 0, 0).toInt()] << number.toInt();
                }
                generatore.ruote(drawn);
                gioca()->cmd_gioca->click();
            } else if (verb == "view" || verb == "viewplay") {
                ListaSchede *list = verb == "view" ? lotto()->lst_esistenti : lotto()->lst_dagioca;
                list->setCurrentIndex(list->model()->index(n, 0));
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                   list->visualRect(list->currentIndex()).center());
            } else if (verb == "tab") {
                QTabBar *tabs = window.tabStrip()->tabs();
                const QRect tab = tabs->tabRect(n - 1);
                QTest::mouseClick(tabs, Qt::LeftButton, {},
                                  tab.isValid() ? tab.center() : QPoint(tabs->width() - 2, 2));
            } else if (verb == "scrivi") {
                QByteArray bytes;
                for (const QString &ticket : words)
                    bytes += schede.value(ticket);
                words == QStringList{"-"} ? void(QFile::remove(path())) : writeBytes(path(), bytes);
            } else if (verb == "rules") {
                window.paginaRegolamento()->VScroll->setValue(n);
                QString shown;
                for (int i = 0; i < 4; ++i)
                    shown +=
                        window.paginaRegolamento()->OLE[i]->isVisible() ? QString::number(i) : "";
                note << "rules " + shown;
            } else if (verb == "page") {
                QString shown;
                for (int i = 0; i < 4; ++i)
                    shown += pagine()[i]->isVisible() ? QString::number(i) : "";
                note << shown + " tab " + QString::number(window.tabStrip()->selezionata());
            } else if (verb == "board") {
                QStringList bari;
                for (int p = 0; p < 5; ++p)
                    bari << gioca()->lbl_numeri[p]->text();
                note << "board " + bari.join(',');
            } else if (verb == "editor" && arg.isEmpty()) {
                Form_schede *form = window.findChild<Form_schede *>();
                note << (form && form->isVisible() ? stato(form->campi) : "no editor");
            } else if (verb == "menus") {
                note << window.findChild<QAction *>("mnu_cmd_suoni")->text() + '/' +
                            window.findChild<QAction *>("mnu_cmd_spirito")->text();
            } else if (verb == "punti") {
                modulo.punti = *Currency::fromWhole(n);
                window.mostraPunti();
            } else if (verb == "cartella") {
                QFile::remove(path());
                QDir(dir.path()).mkdir("set.slott");
            } else if (verb == "sì" || verb == "no")
                boxes.rispondi(verb == "sì");
            else if (verb == "scheda")
                lotto()->cmd_scheda->click();
            else if (verb == "editor")
                compila(*this, *window.editor(), *window.visore(), {arg});
            else if (verb == "viewer")
                window.visore()->findChild<QPushButton *>("cmd_" + arg)->click();
            else if (verb == "menu")
                window.findChild<QAction *>(arg)->trigger();
            else if (verb == "exit")
                QTest::mouseClick(window.findChild<QLabel *>("lbl_esci"), Qt::LeftButton);
            else if (verb == "close")
                window.close();
            else if (verb == "mute" || verb == "joking")
                (verb == "mute" ? modulo.suoni_attivi : modulo.suoni_spiritosi) = verb == "joking";
            else if (verb == "hint")
                note << lotto()->lbl_messaggio->text();
            else
                qFatal("Unknown action %s", qPrintable(action));
        }
    }

    // What the pages show: points, stake, result and win (with the caption when it does not end
    // in the points), the two lists, and the set's label unless it names set.slott.
    QString vista()
    {
        QStringList shown;
        for (QLabel *label : {gioca()->lbl_punti, gioca()->lbl_somma, gioca()->lbl_situazione,
                              gioca()->lbl_vincita})
            shown << label->text();
        if (window.windowTitle() != Form_gioco::kCaptionCredito + shown[0])
            shown << "[" + window.windowTitle() + "]";
        for (ListaSchede *list : {lotto()->lst_esistenti, lotto()->lst_dagioca})
            shown << "|"
                  << QStringList(list->voci())
                         .replaceInStrings(QRegularExpression(" +$"), "")
                         .join(',');
        const QString set = lotto()->lbl_filelottoschede->text().remove(dir.path() + '/');
        return shown.join(' ') + (set == "File caricato : set.slott" ? "" : " | " + set);
    }
};
