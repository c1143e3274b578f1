#include "avvisiqt.h"

#include "widgets/testonumero.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// The box goes when answered; what was given hears the button chosen.
void apri(std::string_view testo, std::string_view titolo, QMessageBox::StandardButtons pulsanti,
          std::function<void(int)> risposta)
{
    auto *casella = new QMessageBox(QMessageBox::NoIcon, testoQt(titolo), testoQt(testo), pulsanti,
                                    QApplication::activeWindow());
    casella->setAttribute(Qt::WA_DeleteOnClose);
    casella->setWindowModality(Qt::ApplicationModal);
    QObject::connect(casella, &QDialog::finished, casella, std::move(risposta));
    casella->show();
}

} // namespace

void AvvisiQt::mostra(std::string_view testo, std::string_view titolo, std::function<void()> chiuso)
{
    apri(testo, titolo, QMessageBox::Ok, [chiuso = std::move(chiuso)](int) { chiuso(); });
}

void AvvisiQt::chiedi(std::string_view testo, std::string_view titolo,
                      std::function<void(bool)> risposta)
{
    apri(testo, titolo, QMessageBox::Yes | QMessageBox::No,
         [risposta = std::move(risposta)](int scelta) { risposta(scelta == QMessageBox::Yes); });
}
