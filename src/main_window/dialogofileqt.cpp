#include "dialogofileqt.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace {

// "Description (*.ext)|pattern|..." pairs become Qt's "Description (pattern)" entries.
QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'), Qt::SkipEmptyParts);
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i];
        entries << (name.contains(QLatin1Char('('))
                        ? name
                        : name + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

} // namespace

void DialogoFileQt::impostaFiltro(std::string_view filtro)
{
    m_filtro = qtFilter(QString::fromUtf8(filtro.data(), qsizetype(filtro.size())));
}

void DialogoFileQt::mostraApri()
{
    mostra(QFileDialog::AcceptOpen);
}

void DialogoFileQt::mostraSalva()
{
    mostra(QFileDialog::AcceptSave);
}

void DialogoFileQt::mostra(int acceptMode)
{
    const auto mode = static_cast<QFileDialog::AcceptMode>(acceptMode);
    QFileDialog dialog(QApplication::activeWindow(),
                       mode == QFileDialog::AcceptOpen ? QStringLiteral("Apri insieme di schede")
                                                       : QStringLiteral("Nuovo insieme di schede"),
                       m_cartella, m_filtro);
    // Qt's own dialog on every desktop, so that it speaks the game's language and keeps the
    // name exactly as typed.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    // A name that does not exist yet is a new, empty set; the game itself asks before it
    // overwrites a set.
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // The field shows what it holds: the last name chosen or written, "*.slott" at first. A
    // typed name is taken as it is, joined to the dialog's folder, with nothing added.
    if (!m_nome.isEmpty())
        dialog.selectFile(QDir(m_cartella).absoluteFilePath(m_nome));
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    m_cartella = dialog.directory().absolutePath();
    if (chosen)
        m_nome = dialog.selectedFiles().constFirst();
}

void DialogoFileQt::impostaNomeFile(std::string_view nome)
{
    m_nome = QString::fromUtf8(nome.data(), qsizetype(nome.size()));
}
