#include "avvisiqt.h"

#include <QApplication>
#include <QMessageBox>

namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

int ask(std::string_view testo, std::string_view titolo, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, fromView(titolo), fromView(testo), buttons,
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
