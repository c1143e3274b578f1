#include "support/pdf.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString esegui(const QString &programma, const QStringList &argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        return "<" + programma + " failed: " + p.readAllStandardError() + ">";
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

LetturaPdf leggiPdf(const QString &path)
{
    LetturaPdf l;
    QStringList pagine = esegui("pdftotext", {"-layout", path, "-"}).split('\f');
    pagine.removeLast(); // after the last page's form feed
    for (const QString &pagina : pagine) {
        QStringList righe;
        for (const QString &riga : pagina.split('\n'))
            if (!riga.trimmed().isEmpty())
                righe << riga.simplified();
        l.pagine << righe.join('\n');
    }
    const QString info = esegui("pdfinfo", {"-f", "1", "-l", "9999", path});
    const auto dimensioni = QRegularExpression("Page +\\d+ size: +(.*)").globalMatch(info);
    QStringList formati;
    for (auto i = dimensioni; i.hasNext();)
        formati << i.next().captured(1);
    formati.removeDuplicates();
    l.formato = formati.filter(QRegularExpression("\\(A4\\)$")) == formati && !formati.isEmpty()
                    ? "A4"
                    : formati.join('|');
    for (const QString &riga : esegui("pdffonts", {path}).split('\n').mid(2))
        if (!riga.isEmpty())
            l.facce << riga.section(' ', 0, 0).section('+', -1);
    l.facce.sort();
    QTemporaryDir cartella;
    esegui("pdftoppm", {"-r", "50", "-png", path, cartella.filePath("p")});
    QStringList immagini = QDir(cartella.path()).entryList({"p*.png"}, QDir::Files, QDir::Name);
    for (const QString &nome : immagini) {
        const QImage pagina(cartella.filePath(nome));
        // The bottom 15 mm and the right 12 mm of an A4 page at 50 dots an inch.
        bool bianco = pagina.height() > 30 && pagina.width() > 25;
        for (int y = 0; y < pagina.height() && bianco; ++y)
            for (int x = y < pagina.height() - 30 ? pagina.width() - 25 : 0;
                 x < pagina.width() && bianco; ++x)
                bianco = qGray(pagina.pixel(x, y)) > 200;
        l.margini << (bianco ? "bianco" : "disegnato");
    }
    return l;
}

QString bloccoDiviso(const QStringList &pagine)
{
    static const QRegularExpression inizio("^(\\d+\\. |Totali$)"), fine("^(Costo|Puntata totale) ");
    for (qsizetype p = 0; p < pagine.size(); ++p) {
        bool aperto = false;
        for (const QString &riga : pagine[p].split('\n')) {
            if (inizio.match(riga).hasMatch()) {
                if (aperto)
                    return QString::number(p + 1);
                aperto = true;
            } else if (fine.match(riga).hasMatch()) {
                if (!aperto)
                    return QString::number(p + 1);
                aperto = false;
            }
        }
        if (aperto)
            return QString::number(p + 1);
    }
    return {};
}
