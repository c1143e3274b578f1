#pragma once

#include "editor/form_schede.h"
#include "shared/modulo.h"
#include "support/fakeavvisi.h"
#include "support/fakedialogofile.h"
#include "support/fakeriproduttore.h"
#include "support/generatorescriptato.h"
#include "support/setfiles.h"
#include "viewer/form_guarda.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// What every window test has around it: the game state with fakes for the sound, the message
// boxes, the file dialog and the draw; a folder for set files; numbers in the C locale.
struct Finti
{
    Finti() { QLocale::setDefault(QLocale::c()); }

    FakeRiproduttore player;
    FakeAvvisi boxes;
    FakeDialogoFile dialog;
    GeneratoreScriptato generatore;
    Modulo modulo{player, boxes};
    QTemporaryDir dir;
    QStringList note; // what a test noted down on the way

    QString path(const QString &name = "set.slott") const { return dir.filePath(name); }
    // What the player was told since the last look: the recordings heard, by their names alone
    // ("~" in front for those of the joking folder); each box as "title: text" ("title? text"
    // for a question) without the folder of the sets; then the notes.
    QStringList detto()
    {
        QStringList told = player.take().replaceInStrings("Aggiunte\\Spiritose\\", "~");
        told.replaceInStrings(QRegularExpression("^[^~]*\\\\|\\.wav$"), "");
        for (const FakeAvvisi::Box &box : boxes.take())
            told << QString(box.titolo + (box.domanda ? "? " : ": ") + box.testo)
                        .remove(dir.path() + '/');
        return told + std::exchange(note, {});
    }
};

// A title as the set stores it and the lists show it: 20 characters.
inline QString titolo20(const QString &title)
{
    return title.leftJustified(20, u' ');
}

// The boxes of a ticket in one line: the numbers (a text, "_" open and empty, "-" closed), the
// bet types each with its stake, and the wheels unless all are open and unticked; a check box is
// "x" ticked, "o" open, "-" closed, "X" ticked but closed. The closed boxes at the end of each
// part are left out. A box coloured against its state (white open, grey closed) gets a "!".
inline QString stato(const CampiScheda &c)
{
    auto colour = [](const QLineEdit *b) {
        const QString sheet = b->styleSheet();
        return sheet.isEmpty() || sheet.contains(b->isEnabled() ? "#FFFFFF" : "#C0C0C0") ? "" : "!";
    };
    auto tick = [](const QCheckBox *b) {
        return QString(b->isChecked() ? (b->isEnabled() ? "x" : "X")
                                      : (b->isEnabled() ? "o" : "-"));
    };
    QStringList numbers, bets;
    QString wheels;
    for (const QLineEdit *n : c.txt_num)
        numbers << (n->isEnabled() ? (n->text().isEmpty() ? "_" : n->text()) : "-") + colour(n);
    for (std::size_t k = 0; k < c.chk_giocata.size(); ++k)
        bets << tick(c.chk_giocata[k]) + c.txt_puntata[k]->text() + colour(c.txt_puntata[k]);
    for (const QCheckBox *w : c.chk_ruote)
        wheels += tick(w);
    while (numbers.size() > 1 && numbers.last() == "-")
        numbers.removeLast();
    while (bets.size() > 1 && bets.last() == "-")
        bets.removeLast();
    return numbers.join(' ') + " | " + bets.join(' ') +
           (wheels == QString(11, 'o') ? "" : " | " + wheels);
}

// Does in the editor what a player does, one action a string: "N:digits" types into number box
// N, "del N" deletes its last digit, "click N" clicks into it; "bet K" and "wheel W" click a bet
// type or a wheel; "stake K:digits" types a stake; "title:text" writes the title anew; "selez",
// "pulisci", "save" and "esci" press the buttons. Besides, "mute" switches the sounds off,
// "noset" leaves no set open, "show:title" shows a ticket in the viewer, "focus" notes where the
// focus is.
inline void compila(Finti &f, Form_schede &e, form_guarda &viewer, const QStringList &actions)
{
    for (const QString &action : actions) {
        const QString verb = action.section(' ', 0, 0).section(':', 0, 0);
        const QString rest = action.mid(verb.size() + 1);
        const int i = rest.section(':', 0, 0).toInt();
        if (verb.at(0).isDigit())
            QTest::keyClicks(e.txt_num[verb.toInt()], rest);
        else if (verb == "del")
            QTest::keyClicks(e.txt_num[i], "\b");
        else if (verb == "click")
            QTest::mouseClick(e.txt_num[i], Qt::LeftButton);
        else if (verb == "bet" || verb == "wheel")
            QTest::mouseClick(verb == "bet" ? e.chk_giocata[i] : e.chk_ruote[i], Qt::LeftButton);
        else if (verb == "stake")
            QTest::keyClicks(e.txt_puntata[i], rest.section(':', 1));
        else if (verb == "title") {
            e.txt_titolo->clear();
            for (QChar c : rest) // accented letters too, which have no key of their own here
                QTest::sendKeyEvent(QTest::Click, e.txt_titolo,
                                    c < u'\x80' ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown,
                                    QString(c), {});
        } else if (verb == "show")
            viewer.mostra(titolo20(rest), true);
        else if (verb == "mute")
            f.modulo.suoni_attivi = 0;
        else if (verb == "noset")
            f.modulo.file_insieme = Modulo::kNessunFile;
        else if (verb == "focus")
            f.note << "focus " + e.focusWidget()->objectName();
        else
            e.findChild<QPushButton *>("cmd_" + QString(verb).replace("save", "salvasche"))
                ->click();
    }
}

// The editor and the viewer on their own, on an open set, as the main window opens them.
struct SchedeDiProva : Finti
{
    explicit SchedeDiProva(const QByteArray &records)
    {
        writeBytes(path(), records);
        modulo.file_insieme = path().toStdString();
        editor.show();
    }
    void fai(const QStringList &actions) { compila(*this, editor, viewer, actions); }

    form_guarda viewer{modulo, nullptr};
    Form_schede editor{modulo, viewer.campi, nullptr};
};
