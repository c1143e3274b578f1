#include "modelloschede.h"

#include "base/codepage1252.h"
#include "storage/indiceinsieme.h"

namespace {

constexpr std::size_t kVoce = IndiceInsieme::kVoce;

} // namespace

int ModelloSchede::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : conta();
}

QVariant ModelloSchede::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= conta())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return voce(index.row());
    return {};
}

int ModelloSchede::conta() const
{
    return int(m_voci.grezze.size() / kVoce);
}

QString ModelloSchede::voce(int riga) const
{
    QString text(qsizetype(kVoce), Qt::Uninitialized);
    const char *bytes = m_voci.grezze.data() + std::size_t(riga) * kVoce;
    for (std::size_t i = 0; i < kVoce; ++i)
        text[qsizetype(i)] =
            QChar(char16_t(CodePage1252::decode(static_cast<unsigned char>(bytes[i]))));
    return text;
}

QStringList ModelloSchede::voci() const
{
    QStringList texts;
    texts.reserve(conta());
    for (int row = 0; row < conta(); ++row)
        texts << voce(row);
    return texts;
}

ModelloSchede::Voci ModelloSchede::prendi(const QList<int> &righe) const
{
    Voci voci;
    voci.grezze.reserve(std::size_t(righe.size()) * kVoce);
    for (int row : righe) {
        voci.grezze.append(m_voci.grezze, std::size_t(row) * kVoce, kVoce);
        voci.record << m_voci.record.at(row);
        voci.addebiti << m_voci.addebiti.at(row);
    }
    return voci;
}

void ModelloSchede::aggiungi(const QStringList &voci, const QList<Currency> &addebiti)
{
    aggiungi(Voci{codifica(voci), {}, addebiti});
}

void ModelloSchede::aggiungi(Voci voci)
{
    const auto n = qsizetype(voci.grezze.size() / kVoce);
    if (n == 0)
        return;
    voci.record.resize(n);
    voci.addebiti.resize(n);
    beginInsertRows({}, conta(), int(conta() + n - 1));
    if (conta() == 0) { // a whole list into an empty one: taken over, not copied
        m_voci = std::move(voci);
        endInsertRows();
        return;
    }
    m_voci.grezze += voci.grezze;
    m_voci.record += voci.record;
    m_voci.addebiti += voci.addebiti;
    endInsertRows();
}

void ModelloSchede::rimuovi(const QList<int> &righe)
{
    // From the end, one run of neighbouring rows at a time, so earlier rows keep their numbers.
    for (qsizetype end = righe.size(); end > 0;) {
        qsizetype start = end - 1;
        while (start > 0 && righe[start - 1] == righe[start] - 1)
            --start;
        const int first = righe[start];
        const int count = righe[end - 1] - first + 1;
        beginRemoveRows({}, first, first + count - 1);
        m_voci.grezze.erase(std::size_t(first) * kVoce, std::size_t(count) * kVoce);
        m_voci.record.remove(first, count);
        m_voci.addebiti.remove(first, count);
        endRemoveRows();
        end = start;
    }
}

void ModelloSchede::svuota()
{
    beginResetModel();
    m_voci = {};
    endResetModel();
}

std::string ModelloSchede::codifica(const QStringList &voci)
{
    std::string bytes(std::size_t(voci.size()) * kVoce, ' ');
    char *out = bytes.data();
    for (const QString &voce : voci) {
        const qsizetype n = std::min<qsizetype>(voce.size(), kVoce);
        for (qsizetype i = 0; i < n; ++i)
            out[i] = static_cast<char>(CodePage1252::encode(voce[i].unicode()).value_or('?'));
        out += kVoce;
    }
    return bytes;
}
