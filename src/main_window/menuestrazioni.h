#pragma once

#include <QObject>
#include <QPointer>

class Compagno;
class DialogoFile;
class FinestraVerifica;
class Modulo;
class Partita;
class QMenuBar;
class QProgressDialog;
class QWidget;

// The "Estrazioni" menu: the archive of the real draws imported whole from the published files
// or added to by hand, and the loaded set's tickets checked against it. The companion keeps the
// archive; the game asks it, and tells the player what it answered. The points are not touched.
class MenuEstrazioni : public QObject
{
    Q_OBJECT

public:
    static constexpr const char *kFiltroArchivio =
        "Archivio zip (*.zip)|*.zip|Testo delle estrazioni (*.txt)|*.txt|"
        "Testo con punto e virgola (*.csv)|*.csv|Tutti i file (*)|*|";

    MenuEstrazioni(QMenuBar *barra, Partita &partita, Modulo &modulo, DialogoFile &dialogo,
                   Compagno &compagno, QWidget *finestra);
    ~MenuEstrazioni() override;

private:
    void importa();
    void aggiungi();
    void verifica();

    Partita &m_partita;
    Modulo &m_modulo;
    DialogoFile &m_dialogo;
    Compagno &m_compagno;
    QWidget *m_finestra;
    QPointer<QProgressDialog> m_avanzamento;
    QPointer<FinestraVerifica> m_verifica;
};
