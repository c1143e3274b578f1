#pragma once

#include "base/currency.h"
#include "engine/partita.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <memory>

class ComandiInsiemi;
class ComandoStampa;
class Compagno;
class ComandoGioca;
class GeneratoreCasuale;
class DialogoFile;
class ModelloSchede;
class Modulo;
class PaginaGioca;
class PaginaLotto;
class PaginaPresentazione;
class PaginaRegolamento;
class SceltaStampante;
class QAction;
class QGroupBox;
class QLabel;
class TabStrip;
class Form_schede;
class form_guarda;

// The game's main window: it starts the game, shows the points and the four pages, and stays
// open for the whole run; it opens the editor and the viewer and makes every connection
// between the windows. Closing it ends the program.
class Form_gioco : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr const char *kCaptionCredito =
        "Il nuovo videogioco del lotto!! ........  Questo è il tuo credito: ";

    // The archive of real draws is the companion's; its files are chosen in their own dialog.
    // The tickets are printed where the printer's choice says.
    Form_gioco(Partita &partita, Modulo &modulo, DialogoFile &dialogo,
               GeneratoreCasuale &generatore, Compagno &compagno, DialogoFile &dialogoArchivio,
               SceltaStampante &stampante, QWidget *genitore = nullptr);
    ~Form_gioco() override;

    // The scale at which the main window as drawn fits a screen's free area, 1 at most.
    static double scalaPerLoSchermo(const QRect &disponibile);

Q_SIGNALS:
    // The program must end now (the hidden exit area, or the window closed).
    void fineProgramma();

protected:
    bool event(QEvent *evento) override;
    bool eventFilter(QObject *osservato, QEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;

private:
    // A game under test reaches the windows and pages as they are made.
    friend struct PartitaDiProva;

    // The pages other than the first, and the two secondary windows, are made when first shown
    // or first needed.
    PaginaGioca *paginaGioca();
    PaginaLotto *paginaLotto();
    PaginaRegolamento *paginaRegolamento();
    form_guarda *visore();
    // The editor, made anew if it was never opened or was closed from its title bar.
    Form_schede *editor();

    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void mnu_file_newgame_Click();
    void cmd_esci_Click();
    void mnu_cmd_suoni_Click();
    void mnu_cmd_spirito_Click();
    void lbl_esci_Click();
    void TabStrip1_Click(int numero);
    void cmd_scheda_Click();
    void lst_esistenti_DblClick();
    void lst_dagioca_DblClick();

    void creaMenu();
    void creaTastiTab();
    bool tastoDelMenu(int tasto);
    void creaPagine();
    void creaPagineDiGioco();
    void aggiungiPagina(int indice, QGroupBox *pagina);
    void collocaPagina(QGroupBox *pagina);
    void creaUscitaNascosta();
    void mostraPagina(int indice);
    void statoIniziale();
    // The game's values on the "Gioca" page and the points in the caption, after any change;
    // without the points while a play credits its wins.
    void mostraStato();
    void mostraConti(const Partita::Conti &conti, bool ancheIPunti);
    // Where the editor and the viewer go: 400 twips right of the tab strip and 2500 below its
    // top, the strip's place in this window read as screen coordinates.
    QPoint posizioneSchede() const;

    Partita &m_partita;
    Modulo &m_modulo;
    DialogoFile &m_dialogo;
    GeneratoreCasuale &m_generatore;
    Compagno &m_compagno;
    DialogoFile &m_dialogoArchivio;
    TabStrip *m_tabStrip;
    QLabel *m_uscita;
    QSize m_disposta; // the outer size the content was last laid out for
    // The points as last shown: a page made later shows them, not a change made elsewhere that
    // the window has not shown yet.
    Currency m_puntiMostrati;
    // The two lists' entries: the set's tickets not chosen, and those chosen for play.
    ModelloSchede *m_esistenti;
    ModelloSchede *m_dagioca;
    ComandoStampa *m_stampa;
    PaginaPresentazione *m_presentazione;
    PaginaGioca *m_gioca = nullptr;
    PaginaLotto *m_lotto = nullptr;
    PaginaRegolamento *m_regolamento = nullptr;
    std::array<QGroupBox *, 4> m_pagine;
    QPointer<QWidget> m_primaDelMenu; // where the keys were when F10 opened the menus
    QAction *m_mnuSuoni = nullptr;
    QAction *m_mnuSpirito = nullptr;
    form_guarda *m_visore = nullptr;
    QPointer<Form_schede> m_editor;
    ComandiInsiemi *m_insiemi = nullptr;
    ComandoGioca *m_comandoGioca = nullptr;
};
