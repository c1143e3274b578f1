#include "dialogofileqt.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QHeaderView>
#include <QTreeView>

namespace {

// The kinds of file the dialog lists, named in Italian: the desktop's own names would be those of
// the user's language, and Qt's of no language at all ("Folder").
class TipiInItaliano : public QFileIconProvider
{
public:
    QString type(const QFileInfo &info) const override
    {
        if (info.isDir())
            return QStringLiteral("Cartella");
        if (info.suffix().compare(QLatin1String("slott"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("Insieme di schede");
        return info.suffix().isEmpty() ? QStringLiteral("File")
                                       : QStringLiteral("File ") + info.suffix().toUpper();
    }
};

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
                       mode == QFileDialog::AcceptOpen ? m_titoloApri
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
    // A new set typed without an extension gets the one the load dialog shows: a set made as
    // "prime" would be hidden from it. A set is loaded by exactly the name typed.
    if (mode == QFileDialog::AcceptSave)
        dialog.setDefaultSuffix(QStringLiteral("slott"));
    // The field shows what it holds: the last name chosen or written, "*.slott" at first. A
    // typed name is joined to the dialog's folder.
    if (!m_nome.isEmpty())
        dialog.selectFile(QDir(m_cartella).absoluteFilePath(m_nome));
    static TipiInItaliano tipi;
    dialog.setIconProvider(&tipi);
    // Every column as wide as its heading and contents; the names take the rest.
    if (auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        view->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    m_cartella = dialog.directory().absolutePath();
    if (chosen)
        m_nome = dialog.selectedFiles().constFirst();
}

void DialogoFileQt::impostaNomeFile(std::string_view nome)
{
    m_nome = QString::fromUtf8(nome.data(), qsizetype(nome.size()));
}
