#include "avvisiqt.h"

#include "widgets/testonumero.h"

#include <QApplication>
#include <QMessageBox>

namespace {

// The box goes when answered; what was given hears the button chosen.
void apri(std::string_view testo, std::string_view titolo, QMessageBox::StandardButtons buttons,
          std::function<void(int)> risposta)
{
    auto *box = new QMessageBox(QMessageBox::NoIcon, testoQt(titolo), testoQt(testo), buttons,
                                QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    QObject::connect(box, &QDialog::finished, box, std::move(risposta));
    box->show();
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
