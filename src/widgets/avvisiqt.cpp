#include "avvisiqt.h"

#include "widgets/testonumero.h"

#include <QApplication>
#include <QMessageBox>

namespace {

int ask(std::string_view testo, std::string_view titolo, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, testoQt(titolo), testoQt(testo), buttons,
                    QApplication::activeWindow());
    return box.exec();
}

} // namespace

void AvvisiQt::mostra(std::string_view testo, std::string_view titolo)
{
    ask(testo, titolo, QMessageBox::Ok);
}

bool AvvisiQt::chiedi(std::string_view testo, std::string_view titolo)
{
    return ask(testo, titolo, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
